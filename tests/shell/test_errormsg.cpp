// The message box read back from the screen: geometry, colours, shortened lines, the key wait's
// result.
#include "shell/errormsg.h"
#include "shell/timer.h"
#include "shell/util.h"
#include "support/test_support.h"
#include "video/graphics.h"
#include "video/palette.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(MessageBox, GeometryShorteningAndResult) {
  ASSERT_TRUE(test_display_open(false));
  const timer_clock_fn sdl_clock = timer_clock;
  test_clock_reset();
  timer_clock = test_clock_read;
  timer_init();
  const std::string path60 = "pictures/fighters/sheets/very-long-name/abcdefghijklmn.pi1XY",
                    name23 = "abcdefghijklmnopqrs.pcx", name24 = "x" + name23;
  // The border spans columns x0..x1 and rows 82..117; the lines as shown start at at1 and at2.
  const struct {
    int (*show)(const char *, const char *);
    const char *a, *b;
    int x0, x1, at1, at2, result = 1;
    std::string shown1 = a ? a : "", shown2 = b ? b : "";
  } cases[] = {
      {errormsg, nullptr, "abcd", 136, 183, 0, 144}, // only line 2 sizes the box
      // A long file name keeps its end after "...", so that the box fits on the screen.
      {errormsg_failload, path60.c_str(), "Not an Atari picture", 0, 319, 8, 80, 1,
       "Failed to load ..." + path60.substr(40)},
      {errormsg_failload, name23.c_str(), nullptr, 0, 319, 8, 0, 1, "Failed to load " + name23},
      {errormsg_failload, name24.c_str(), nullptr, 0, 319, 8, 0, 1,
       "Failed to load ..." + name24.substr(4)},
      {errormsg, "Gone", nullptr, 136, 183, 144, 0, 3}, // the window closed: quit
  };
  for (auto &t : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &t - cases);
    std::fill_n(vscrn, 64000, 5);
    std::fill_n(palette + 16 * 3, 16 * 3, 0);
    const uint32_t now = test_clock_ms; // Return pressed and released, or the window closed
    if (t.result == 3) {
      test_clock_at(now + 80, test_push_quit);
    } else {
      test_clock_at(now + 80, [] { test_push_key(SDLK_RETURN, true); });
      test_clock_at(now + 160, [] { test_push_key(SDLK_RETURN, false); });
    }
    EXPECT_EQ(t.show(t.a, t.b), t.result);
    for (int i = 17 * 3; i < 32 * 3; i++)
      EXPECT_EQ(palette[i] - palette[i - 3], 12) << i; // fresh ramps
    // Border in colour 21, its inside 0, the lines as fwritexy draws them, the backdrop elsewhere.
    std::vector<uint8_t> want(64000, 5);
    canvas ref{nullptr, 320, 320, 200, want.data()};
    canvas_draw_pane(&ref, t.x0, 82, t.x1 - t.x0 + 1, 36, 21);
    canvas_draw_pane(&ref, t.x0 + 1, 83, t.x1 - t.x0 - 1, 34, 0);
    fwritexy(&ref, t.at1, 90, t.shown1.c_str(), 24);
    fwritexy(&ref, t.at2, 102, t.shown2.c_str(), 18);
    auto wrong = std::mismatch(want.begin(), want.end(), vscrn).first - want.begin();
    EXPECT_EQ(wrong, 64000) << "first wrong pixel at " << wrong % 320 << "," << wrong / 320;
  }
  timer_done();
  timer_clock = sdl_clock;
  test_display_close();
}

} // namespace
