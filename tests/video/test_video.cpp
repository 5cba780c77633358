// The display: mode choice, window sizes, switching and presentation through every
// scaler, and the palette's hand-over to SDL.
#include "support/test_support.h"
#include "video/draw_pane.h"
#include "video/graphics.h"
#include "video/palette.h"
#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <vector>

TEST(Graphics, ModeAndWindowChoice) {
  using modes = std::vector<graphics_mode>;
  const struct {
    modes list;
    int index, shifts;
    graphics_presenter presenter;
    int left, top;
  } table[] = {
      // 320 wide and taller: the row copy, which honours the margins
      {{{1920, 1080}, {800, 600}, {320, 240}}, 2, 0, GRAPHICS_NOSCALE_MARGIN, 0, 20},
      {{{1920, 1080}, {1280, 800}, {640, 400}}, 2, 1, GRAPHICS_SCALE2X, 0, 0}, // penalty decides
      {{{1280, 1024}}, 0, 2, GRAPHICS_SCALE4X, 0, 112},
      {{{320, 200}}, 0, 0, GRAPHICS_NOSCALE, 0, 0},
      {{{800, 600}, {660, 460}, {640, 480}}, 1, 1, GRAPHICS_SCALE2X, 10, 30}, // ties: the earliest
      {{{319, 999}, {1280, 800 + 4 * 63871}}, 1, 2, GRAPHICS_SCALE4X, 0, 2 * 63871}, // scores 63999
      {{{319, 200}, {320, 199}, {1280, 800 + 4 * 63872}}, -1, 0, {}, 0, 0}, // none below 64000
  };
  for (const auto &t : table) {
    const graphics_choice c = graphics_choose_mode(t.list);
    SCOPED_TRACE(testing::Message() << t.list.size() << " modes");
    EXPECT_EQ(c.index, t.index);
    if (t.index >= 0) {
      EXPECT_EQ(std::tuple(c.shifts, c.presenter, c.margin_left, c.margin_top),
                std::tuple(t.shifts, t.presenter, t.left, t.top));
    }
  }
  // Full screen takes the desktop's own size when SDL offers it; the score decides otherwise.
  const modes compat{{1920, 1080}, {1680, 1050}, {1366, 768}, {1280, 1024}, {640, 480}};
  const struct {
    modes list;
    bool any;
    graphics_mode desktop;
    int index, w, h, shifts, left, top;
  } desk[] = {
      {compat, false, {1920, 1080}, 0, 1920, 1080, 2, 320, 140},
      {compat, false, {1366, 768}, 2, 1366, 768, 1, 363, 184},
      {compat, false, {2560, 1440}, 4, 640, 480, 1, 0, 40}, // not listed
      {compat, false, {0, 0}, 4, 640, 480, 1, 0, 40},       // unknown
      {{{800, 600}}, true, {2560, 1440}, -1, 2560, 1440, 2, 640, 320},
      {{{320, 200}, {300, 200}}, false, {300, 200}, 0, 320, 200, 0, 0, 0}, // too small a desktop
      {{}, true, {319, 1000}, -1, 0, 0, 0, 0, 0},
  };
  for (const auto &t : desk) {
    const graphics_choice c = graphics_choose_fullscreen(t.list, t.any, t.desktop);
    EXPECT_EQ(
        std::tuple(c.index, c.mode.width, c.mode.height, c.shifts, c.margin_left, c.margin_top),
        std::tuple(t.index, t.w, t.h, t.shifts, t.left, t.top))
        << t.desktop.width << "x" << t.desktop.height << (t.any ? " any" : "");
  }
  for (const auto &t :
       {std::array{1280, 720, 640, 400}, {1280, 800, 1280, 800}, {800, 399, 320, 200}}) {
    const graphics_mode m = graphics_windowed_size(t[0], t[1]);
    EXPECT_EQ(std::pair(m.width, m.height), std::pair(t[2], t[3])) << t[0] << "x" << t[1];
  }
}

// Presents a pattern over the leftovers of an earlier mode: the scaled picture must fill the
// inside of the margins, and the whole border show the palette's darkest entry, 7.
static void expect_presented() {
  for (int i = 0; i < 320 * 200; i++) vscrn[i] = uint8_t(i % 320 ^ i / 320 * 3);
  auto *px = static_cast<uint8_t *>(sdl_rscrn->pixels);
  const int pitch = sdl_rscrn->pitch, s = graphics_scale_shifts;
  std::fill(px, px + pitch * sdl_rscrn->h, 0xC3);
  graphics_update();
  int wrong = 0, border = 0;
  for (int y = 0; y < sdl_rscrn->h; y++)
    for (int x = 0; x < sdl_rscrn->w; x++) {
      const int vx = x - graphics_margin_left, vy = y - graphics_margin_top;
      if (vx >= 0 && vy >= 0 && vx < (320 << s) && vy < (200 << s))
        wrong += px[y * pitch + x] != vscrn[(vy >> s) * 320 + (vx >> s)];
      else
        border += px[y * pitch + x] != 7;
    }
  EXPECT_EQ(std::pair(wrong, border), std::pair(0, 0)) << sdl_rscrn->w << "x" << sdl_rscrn->h;
}

TEST(Graphics, Display) {
  unsetenv("SDL12COMPAT_SCALE_METHOD");
  ASSERT_TRUE(test_display_open());
  // SDL2 would smooth the full-screen stretch
  EXPECT_STREQ(getenv("SDL12COMPAT_SCALE_METHOD"), "nearest");
  EXPECT_TRUE(graphics_get_fullscreen() && (sdl_rscrn->flags & SDL_FULLSCREEN));
  // Distinct colours, so that SDL's 1x blit copies indices unchanged; 255 white, black entry 7.
  uint8_t pal[PALETTE_BYTES];
  for (int i = 0; i < PALETTE_BYTES; i++) pal[i] = uint8_t(i < 765 ? i * 5 + i / 3 : 255);
  pal[21] = pal[22] = pal[23] = 0;
  palette_set(pal);
  expect_presented();
  ASSERT_EQ(graphics_set_fullscreen(0), 1);
  const int w = sdl_rscrn->w, h = sdl_rscrn->h;
  static_cast<uint8_t *>(sdl_rscrn->pixels)[3] = 0x5A; // a new mode would start cleared
  EXPECT_EQ(graphics_set_fullscreen(0), 1);
  EXPECT_EQ(static_cast<uint8_t *>(sdl_rscrn->pixels)[3], 0x5A);
  for (const auto &size : {std::pair(w, h), std::pair(1280, 800)}) { // F11 twice: the last window
    graphics_resize(size.first, size.second);
    ASSERT_EQ(graphics_set_fullscreen(1), 1);
    ASSERT_EQ(graphics_set_fullscreen(0), 1);
    EXPECT_EQ(std::tuple(sdl_rscrn->w, sdl_rscrn->h, sdl_rscrn->flags & SDL_FULLSCREEN),
              std::tuple(size.first, size.second, 0u));
  }
  // Every presenter; an odd margin puts the 4x rows at odd addresses.
  for (const auto &sz : {std::array{320, 200, 0, 0, 0},
                         {400, 300, 0, 40, 50},
                         {1302, 850, 2, 11, 25},
                         {1024, 768, 1, 192, 184}}) {
    graphics_resize(sz[0], sz[1]);
    ASSERT_NE(sdl_rscrn, nullptr);
    EXPECT_EQ(std::tuple(graphics_scale_shifts, graphics_margin_left, graphics_margin_top),
              std::tuple(sz[2], sz[3], sz[4]))
        << sz[0] << "x" << sz[1];
    expect_presented();
  }
  const SDL_Color *d = sdl_rscrn->format->palette->colors;
  EXPECT_EQ(std::tuple(d[255].r, d[255].g, d[255].b, d[41].b),
            std::tuple(255, 255, 255, pal[125])); // kept through every mode set
  test_display_close();
  graphics_update(); // nothing to present to: must not crash
  draw_pane(0, 0, 10, 10, 1);
}
