// The message box: its geometry and colours read back from the virtual
// screen, the shortening of long lines, and the key wait's result.
#include "shell/errormsg.h"
#include "canvas/canvas.h"
#include "shell/timer.h"
#include "shell/util.h"
#include "support/test_support.h"
#include "video/graphics.h"
#include "video/palette.h"
#include <SDL.h>
#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

// Presses and releases fire (Return) while the box waits.
struct fire_press {
  std::thread worker{[] {
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    test_push_key(SDLK_RETURN, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    test_push_key(SDLK_RETURN, false);
  }};
  ~fire_press() { worker.join(); }
};

constexpr uint8_t BACKDROP = 5; // what the screen shows before the box

class MessageBox : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(test_display_open(false));
    timer_init();
    std::memset(vscrn, BACKDROP, 64000);
  }
  void TearDown() override {
    timer_done();
    test_display_close();
  }

  int show(const char *line1, const char *line2) {
    fire_press press;
    return errormsg(line1, line2);
  }
  int show_failload(const char *name, const char *message) {
    fire_press press;
    return errormsg_failload(name, message);
  }

  static uint8_t at(int x, int y) { return vscrn[y * 320 + x]; }

  // The box as it must look: border x0..x1 by rows 82..117 in colour 21,
  // inside cleared to 0, each line written by fwritexy at the given x.
  // Everything outside the border keeps the backdrop.
  void expect_box(int x0, int x1, const char *line1, int x_line1, const char *line2, int x_line2) {
    std::vector<uint8_t> want(64000, BACKDROP);
    canvas ref{nullptr, 320, 320, 200, want.data()};
    for (int y = 82; y <= 117; y++)
      for (int x = x0; x <= x1; x++) want[y * 320 + x] = (y == 82 || y == 117 || x == x0 || x == x1) ? 21 : 0;
    fwritexy(&ref, x_line1, 90, line1, 24);
    fwritexy(&ref, x_line2, 102, line2, 18);
    int wrong = 0;
    for (int y = 0; y < 200; y++)
      for (int x = 0; x < 320; x++)
        if (at(x, y) != want[y * 320 + x] && ++wrong <= 5)
          ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << int(at(x, y)) << ", want "
                        << int(want[y * 320 + x]);
    EXPECT_EQ(wrong, 0);
  }

  // Leftmost and rightmost columns holding ink (non-zero) on rows y..y+7
  // between the border columns; {-1, -1} when none.
  static std::pair<int, int> ink_columns(int y, int x0, int x1) {
    int lo = -1, hi = -1;
    for (int r = y; r < y + 8; r++)
      for (int x = x0 + 1; x < x1; x++)
        if (at(x, r) != 0) {
          if (lo < 0 || x < lo) lo = x;
          if (x > hi) hi = x;
        }
    return {lo, hi};
  }
};

TEST_F(MessageBox, TwoLinesOfTenAndFourCharacters) {
  std::memset(palette + 16 * 3, 0, 16 * 3);
  EXPECT_EQ(show("0123456789", "abcd"), 1);

  // Border (112, 82) 96 x 36; background (113, 83) 94 x 34.
  for (int x = 112; x <= 207; x++) {
    EXPECT_EQ(at(x, 82), 21) << x;
    EXPECT_EQ(at(x, 117), 21) << x;
  }
  for (int y = 82; y <= 117; y++) {
    EXPECT_EQ(at(112, y), 21) << y;
    EXPECT_EQ(at(207, y), 21) << y;
    EXPECT_EQ(at(111, y), BACKDROP) << y;
    EXPECT_EQ(at(208, y), BACKDROP) << y;
  }
  EXPECT_EQ(at(113, 83), 0);
  EXPECT_EQ(at(206, 116), 0);
  // Line 1's ink starts at column 121 ('0' is inked in its leftmost column),
  // in colours 24..31 by row; line 2 placed at x = 144 ('a' inks from 145).
  EXPECT_EQ(ink_columns(90, 112, 207).first, 121);
  EXPECT_LE(ink_columns(90, 112, 207).second, 200);
  EXPECT_EQ(ink_columns(102, 112, 207).first, 145);
  for (int r = 0; r < 8; r++)
    for (int x = 113; x < 207; x++) {
      if (at(x, 90 + r) != 0) {
        EXPECT_EQ(at(x, 90 + r), 24 + r);
      }
      if (at(x, 102 + r) != 0) {
        EXPECT_EQ(at(x, 102 + r), 18 + r);
      }
    }
  expect_box(112, 207, "0123456789", 120, "abcd", 144);

  // Fresh ramps were chosen and made current for the box.
  for (int c = 0; c < 3; c++)
    for (int e = 17; e < 32; e++) EXPECT_EQ(palette[e * 3 + c] - palette[(e - 1) * 3 + c], 12);
  EXPECT_EQ(sdl_palette[21].r, palette[21 * 3]);
}

TEST_F(MessageBox, OnlyTheSecondLineSizesTheBox) {
  EXPECT_EQ(show(nullptr, "abcd"), 1);
  // w = 32: border (136, 82) 48 x 36, line 2 at x = 144, no first line.
  EXPECT_EQ(ink_columns(90, 136, 183), std::make_pair(-1, -1));
  expect_box(136, 183, nullptr, 0, "abcd", 144);
}

TEST_F(MessageBox, NoFightersMessage) {
  EXPECT_EQ(show("You can't play the QIRA", "No fighters were found"), 1);
  // w = 184: border (60, 82) 200 x 36, lines at x = 68 and 72.
  expect_box(60, 259, "You can't play the QIRA", 68, "No fighters were found", 72);
}

TEST_F(MessageBox, BothLinesAbsentLeaveAnEmptySmallBox) {
  EXPECT_EQ(show(nullptr, nullptr), 1);
  expect_box(152, 167, nullptr, 0, nullptr, 0);
}

TEST_F(MessageBox, LongFileNameKeepsItsEndAndTheBoxStaysOnScreen) {
  const std::string name = "pictures/fighters/sheets/very-long-name/abcdefghijklmn.pi1";
  ASSERT_EQ(name.size(), 58u);
  const std::string long_name = name + "XY"; // 60 characters
  EXPECT_EQ(show_failload(long_name.c_str(), "Not an Atari picture"), 1);
  // "Failed to load ..." and the last 20 characters: 38 characters, w = 304,
  // so the border spans the whole width and the text starts at x = 8.
  const std::string shown = "Failed to load ..." + long_name.substr(40);
  ASSERT_EQ(shown.size(), 38u);
  for (int y = 82; y <= 117; y++) {
    EXPECT_EQ(at(0, y), 21) << y;
    EXPECT_EQ(at(319, y), 21) << y;
  }
  expect_box(0, 319, shown.c_str(), 8, "Not an Atari picture", 160 - 20 * 4);
  auto [lo, hi] = ink_columns(90, 0, 319);
  EXPECT_GE(lo, 9);
  EXPECT_LE(hi, 312);
}

TEST_F(MessageBox, NameOf23CharactersIsShownWhole) {
  const char *name = "abcdefghijklmnopqrs.pcx";
  ASSERT_EQ(std::strlen(name), 23u);
  EXPECT_EQ(show_failload(name, nullptr), 1);
  // Line 2 absent: nothing on its rows.
  expect_box(0, 319, "Failed to load abcdefghijklmnopqrs.pcx", 8, nullptr, 0);
  EXPECT_EQ(ink_columns(102, 0, 319), std::make_pair(-1, -1));
}

TEST_F(MessageBox, NameOf24CharactersIsShortened) {
  EXPECT_EQ(show_failload("abcdefghijklmnopqrst.pcx", nullptr), 1);
  expect_box(0, 319, "Failed to load ...efghijklmnopqrst.pcx", 8, nullptr, 0);
}

TEST_F(MessageBox, ShortNameAndMissingName) {
  EXPECT_EQ(show_failload("x.pi1", "File not found"), 1);
  // "Failed to load x.pi1": 20 characters, w = 160: border (72, 82) 176 x 36.
  expect_box(72, 247, "Failed to load x.pi1", 80, "File not found", 104);
}

TEST_F(MessageBox, OtherLinesOver38CharactersKeepTheirStart) {
  const std::string line1(50, 'M');
  const std::string line2 = "0123456789012345678901234567890123456789-tail";
  EXPECT_EQ(show(line1.c_str(), line2.c_str()), 1);
  expect_box(0, 319, line1.substr(0, 38).c_str(), 8, line2.substr(0, 38).c_str(), 8);
}

TEST_F(MessageBox, WindowCloseEndsTheWaitWithQuit) {
  std::thread closer([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    test_push_quit();
  });
  int result = errormsg("Gone", nullptr);
  closer.join();
  EXPECT_EQ(result, 3);
  // The box stays on the screen after the wait.
  expect_box(136, 183, "Gone", 144, nullptr, 0);
}

} // namespace
