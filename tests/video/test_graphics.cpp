// Mode choice, window sizes, switching and presentation of the display.
#include "input/mouse.h"
#include "support/test_support.h"
#include "video/graphics.h"
#include "video/palette.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

graphics_choice choose(std::vector<graphics_mode> modes) { return graphics_choose_mode(modes); }

} // namespace

TEST(ModeChoice, SmallestFitWinsWithScalePenalty) {
  // 320x240 scores 40 at 1x and beats every bigger mode.
  const auto a = choose({{1920, 1080}, {1280, 1024}, {1024, 768}, {800, 600}, {640, 480}, {320, 240}});
  EXPECT_EQ(a.index, 5);
  EXPECT_EQ(a.shifts, 0);
  EXPECT_EQ(a.presenter, GRAPHICS_NOSCALE_MARGIN);
  EXPECT_EQ(a.margin_left, 0);
  EXPECT_EQ(a.margin_top, 20);

  // Equal fits: the penalty makes 640x400 (64) beat 1280x800 (128).
  const auto b = choose({{1920, 1080}, {1280, 800}, {640, 400}});
  EXPECT_EQ(b.index, 2);
  EXPECT_EQ(b.shifts, 1);
  EXPECT_EQ(b.presenter, GRAPHICS_SCALE2X);
  EXPECT_EQ(b.margin_left, 0);
  EXPECT_EQ(b.margin_top, 0);

  // 1280x800 alone is the only way to 4x.
  const auto c = choose({{1920, 1080}, {1280, 800}});
  EXPECT_EQ(c.index, 1);
  EXPECT_EQ(c.shifts, 2);
  EXPECT_EQ(c.presenter, GRAPHICS_SCALE4X);
}

TEST(ModeChoice, ScaleAndMarginsOfSingleModes) {
  struct want {
    graphics_mode mode;
    int shifts;
    graphics_presenter presenter;
    int left, top;
  };
  const want table[] = {
      {{1280, 1024}, 2, GRAPHICS_SCALE4X, 0, 112},
      {{1024, 768}, 1, GRAPHICS_SCALE2X, 192, 184},
      {{400, 300}, 0, GRAPHICS_NOSCALE_MARGIN, 40, 50},
      {{320, 200}, 0, GRAPHICS_NOSCALE, 0, 0},
      // 320 wide but taller: the row copy, so the top margin is honoured.
      {{320, 240}, 0, GRAPHICS_NOSCALE_MARGIN, 0, 20},
      // Too short for 4x, and too short for 2x.
      {{1280, 600}, 1, GRAPHICS_SCALE2X, 320, 100},
      {{1024, 300}, 0, GRAPHICS_NOSCALE_MARGIN, 352, 50},
      {{1281, 801}, 2, GRAPHICS_SCALE4X, 0, 0},
      {{641, 401}, 1, GRAPHICS_SCALE2X, 0, 0},
  };
  for (const want &w : table) {
    const auto got = choose({w.mode});
    SCOPED_TRACE(testing::Message() << w.mode.width << "x" << w.mode.height);
    EXPECT_EQ(got.index, 0);
    EXPECT_EQ(got.shifts, w.shifts);
    EXPECT_EQ(got.presenter, w.presenter);
    EXPECT_EQ(got.margin_left, w.left);
    EXPECT_EQ(got.margin_top, w.top);
  }
}

TEST(ModeChoice, TiesSkipsAndEmptyLists) {
  // 640x480 and 660x460 both score 104, 320x240 and 360x200 both 40:
  // the earlier one wins.
  EXPECT_EQ(choose({{800, 600}, {640, 480}, {660, 460}}).index, 1);
  EXPECT_EQ(choose({{800, 600}, {660, 460}, {640, 480}}).index, 1);
  EXPECT_EQ(choose({{360, 200}, {320, 240}}).index, 0);
  EXPECT_EQ(choose({{320, 240}, {360, 200}}).index, 0);
  // Modes smaller than the picture do not qualify.
  EXPECT_EQ(choose({{319, 200}, {320, 199}}).index, -1);
  EXPECT_EQ(choose({{319, 1000}, {640, 400}}).index, 1);
  EXPECT_EQ(choose({}).index, -1);
  // A score of 64000 or more is never chosen.
  EXPECT_EQ(choose({{1280, 800 + 4 * 63871}}).index, 0);  // 63999
  EXPECT_EQ(choose({{1280, 800 + 4 * 63872}}).index, -1); // 64000
}

TEST(ModeChoice, WindowedSizeFromDesktop) {
  struct want {
    int dw, dh, w, h;
  };
  const want table[] = {
      {1280, 720, 640, 400}, {1279, 1024, 640, 400}, {1280, 800, 1280, 800},
      {800, 399, 320, 200},  {1920, 1200, 1280, 800}, {0, 0, 320, 200},
  };
  for (const want &w : table) {
    const graphics_mode m = graphics_windowed_size(w.dw, w.dh);
    EXPECT_EQ(m.width, w.w) << w.dw << "x" << w.dh;
    EXPECT_EQ(m.height, w.h) << w.dw << "x" << w.dh;
  }
}

class Display : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(test_display_open()); }
  void TearDown() override { test_display_close(); }

  // The display's own view of its mode agrees with the mode choice.
  static void expect_consistent() {
    ASSERT_NE(sdl_rscrn, nullptr);
    const auto c = choose({{sdl_rscrn->w, sdl_rscrn->h}});
    EXPECT_EQ(graphics_scale_shifts, c.shifts);
    EXPECT_EQ(graphics_margin_left, c.margin_left);
    EXPECT_EQ(graphics_margin_top, c.margin_top);
    EXPECT_EQ(RSCRN, static_cast<uint8_t *>(sdl_rscrn->pixels) + sdl_rscrn->pitch * graphics_margin_top +
                         graphics_margin_left);
  }

  // Draws a pattern, presents it and checks the display: the scaled
  // picture inside the margins and a border byte left as it was.
  static void expect_presented() {
    ASSERT_NE(sdl_rscrn, nullptr);
    std::vector<uint8_t> pal(PALETTE_BYTES);
    for (int i = 0; i < PALETTE_BYTES; i++) pal[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 5 + i / 3);
    palette_set(pal.data());
    for (int y = 0; y < 200; y++)
      for (int x = 0; x < 320; x++) vscrn[y * 320 + x] = static_cast<uint8_t>(x ^ (y * 3));
    auto *px = static_cast<uint8_t *>(sdl_rscrn->pixels);
    const int pitch = sdl_rscrn->pitch;
    const int s = graphics_scale_shifts;
    const bool border = sdl_rscrn->w > (320 << s) || sdl_rscrn->h > (200 << s);
    const int bx = sdl_rscrn->w - 1, by = sdl_rscrn->h - 1;
    if (border) px[by * pitch + bx] = 0xC3;
    graphics_update();
    int wrong = 0;
    for (int y = 0; y < (200 << s); y++)
      for (int x = 0; x < (320 << s); x++) {
        const uint8_t got = px[(graphics_margin_top + y) * pitch + graphics_margin_left + x];
        if (got != vscrn[(y >> s) * 320 + (x >> s)] && wrong++ < 3)
          ADD_FAILURE() << "pixel (" << x << "," << y << ") is " << int(got);
      }
    EXPECT_EQ(wrong, 0);
    if (border) {
      EXPECT_EQ(px[by * pitch + bx], 0xC3) << "border was written";
    }
  }

  static void expect_window(int w, int h) {
    ASSERT_NE(sdl_rscrn, nullptr);
    EXPECT_EQ(graphics_get_fullscreen(), 0);
    EXPECT_EQ(sdl_rscrn->flags & SDL_FULLSCREEN, 0u);
    EXPECT_EQ(sdl_rscrn->w, w);
    EXPECT_EQ(sdl_rscrn->h, h);
  }
};

TEST_F(Display, OpensFullScreenWithAVirtualScreenOfItsOwn) {
  EXPECT_EQ(graphics_get_fullscreen(), 1);
  EXPECT_NE(sdl_rscrn->flags & SDL_FULLSCREEN, 0u);
  expect_consistent();
  ASSERT_NE(sdl_vscrn, nullptr);
  EXPECT_EQ(sdl_vscrn->w, 320);
  EXPECT_EQ(sdl_vscrn->h, 200);
  EXPECT_EQ(sdl_vscrn->pitch, 320);
  EXPECT_EQ(sdl_vscrn->format->BitsPerPixel, 8);
  EXPECT_EQ(vscrn, static_cast<uint8_t *>(sdl_vscrn->pixels));
  EXPECT_EQ(VSCRN, vscrn);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  expect_presented();
}

TEST_F(Display, SwitchingToTheCurrentStateSetsNoMode) {
  ASSERT_EQ(graphics_set_fullscreen(0), 1);
  auto *px = static_cast<uint8_t *>(sdl_rscrn->pixels);
  px[3] = 0x5A; // a new windowed mode starts cleared
  EXPECT_EQ(graphics_set_fullscreen(0), 1);
  EXPECT_EQ(static_cast<uint8_t *>(sdl_rscrn->pixels)[3], 0x5A);
  EXPECT_EQ(graphics_get_fullscreen(), 0);
  EXPECT_EQ(graphics_set_fullscreen(1), 1);
  EXPECT_EQ(graphics_set_fullscreen(1), 1);
  EXPECT_EQ(graphics_get_fullscreen(), 1);
}

TEST_F(Display, TwoSwitchesComeBackToTheSameWindow) {
  ASSERT_EQ(graphics_set_fullscreen(0), 1);
  const int w = sdl_rscrn->w, h = sdl_rscrn->h;
  EXPECT_TRUE((w == 320 && h == 200) || (w == 640 && h == 400) || (w == 1280 && h == 800));
  expect_consistent();
  ASSERT_EQ(graphics_set_fullscreen(1), 1);
  EXPECT_NE(sdl_rscrn->flags & SDL_FULLSCREEN, 0u);
  expect_consistent();
  ASSERT_EQ(graphics_set_fullscreen(0), 1);
  expect_window(w, h);

  // A window size set since is the one leaving full screen returns to.
  graphics_resize(1280, 800);
  expect_window(1280, 800);
  ASSERT_EQ(graphics_set_fullscreen(1), 1);
  ASSERT_EQ(graphics_set_fullscreen(0), 1);
  expect_window(1280, 800);
  EXPECT_EQ(graphics_scale_shifts, 2);
}

TEST_F(Display, EveryScaleIsPresentedInsideItsMargins) {
  ASSERT_EQ(graphics_set_fullscreen(0), 1);
  const struct {
    int w, h, shifts, left, top;
  } sizes[] = {
      {1280, 800, 2, 0, 0}, {640, 400, 1, 0, 0},   {320, 200, 0, 0, 0},
      {400, 300, 0, 40, 50}, {1024, 768, 1, 192, 184}, {1300, 850, 2, 10, 25},
  };
  for (const auto &sz : sizes) {
    SCOPED_TRACE(testing::Message() << sz.w << "x" << sz.h);
    graphics_resize(sz.w, sz.h);
    ASSERT_NE(sdl_rscrn, nullptr);
    EXPECT_EQ(graphics_scale_shifts, sz.shifts);
    EXPECT_EQ(graphics_margin_left, sz.left);
    EXPECT_EQ(graphics_margin_top, sz.top);
    expect_presented();
  }
}

TEST_F(Display, PaletteSurvivesModeChanges) {
  std::vector<uint8_t> pal(PALETTE_BYTES, 0);
  pal[3 * 10] = 200;
  pal[3 * 10 + 1] = 100;
  pal[3 * 10 + 2] = 50;
  palette_set(pal.data());
  ASSERT_EQ(graphics_set_fullscreen(0), 1);
  SDL_Color c = sdl_rscrn->format->palette->colors[10];
  EXPECT_EQ(c.r, 200);
  EXPECT_EQ(c.g, 100);
  EXPECT_EQ(c.b, 50);
  graphics_resize(1280, 800);
  c = sdl_rscrn->format->palette->colors[10];
  EXPECT_EQ(c.r, 200);
  EXPECT_EQ(c.b, 50);
}

TEST_F(Display, MousePositionMapsToVirtualPixels) {
  ASSERT_EQ(graphics_set_fullscreen(0), 1);
  graphics_resize(1024, 768); // 2x, margins 192 and 184
  ASSERT_EQ(graphics_margin_left, 192);
  const struct {
    int wx, wy, x, y;
  } table[] = {{191, 183, 0, 0}, {192, 184, 0, 0}, {194, 187, 1, 1}, {831, 583, 319, 199}, {1000, 700, 404, 258}};
  for (const auto &t : table) {
    SDL_WarpMouse(static_cast<Uint16>(t.wx), static_cast<Uint16>(t.wy));
    mouse_update();
    EXPECT_EQ(mouse_x, t.x) << "window x " << t.wx;
    EXPECT_EQ(mouse_y, t.y) << "window y " << t.wy;
  }
}

TEST(DisplayLifecycle, ChosenWhileClosedOpensAsAWindow) {
  ASSERT_TRUE(test_display_open(false));
  EXPECT_EQ(sdl_rscrn->flags & SDL_FULLSCREEN, 0u);
  test_display_close();
  EXPECT_EQ(sdl_rscrn, nullptr);
  graphics_update(); // nothing to present to: must not crash
}

TEST(DisplayLifecycle, ScaleMethodDefaultsToNearestButKeepsTheUsersChoice) {
  unsetenv("SDL12COMPAT_SCALE_METHOD");
  ASSERT_TRUE(test_display_open());
  test_display_close();
  ASSERT_NE(getenv("SDL12COMPAT_SCALE_METHOD"), nullptr);
  EXPECT_STREQ(getenv("SDL12COMPAT_SCALE_METHOD"), "nearest");
  setenv("SDL12COMPAT_SCALE_METHOD", "linear", 1);
  ASSERT_TRUE(test_display_open());
  test_display_close();
  EXPECT_STREQ(getenv("SDL12COMPAT_SCALE_METHOD"), "linear");
  unsetenv("SDL12COMPAT_SCALE_METHOD");
}
