// Canvases and blitters: ownership, fills and the exact clipping rules.
#include "canvas/blit.h"
#include "canvas/canvas.h"
#include "video/graphics.h"
#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <numeric>
#include <algorithm>
#include <vector>

namespace {

// A virtual screen of our own, filled with a marker value.
class Screen : public ::testing::Test {
protected:
  std::vector<uint8_t> screen = std::vector<uint8_t>(64000, 0xEE);
  uint8_t *saved = nullptr;
  void SetUp() override {
    saved = vscrn;
    vscrn = screen.data();
  }
  void TearDown() override { vscrn = saved; }
  uint8_t px(int x, int y) const { return screen[y * 320 + x]; }
  int changed() const {
    return int(std::count_if(screen.begin(), screen.end(), [](uint8_t v) { return v != 0xEE; }));
  }
};

// A canvas whose pixel (x, y) holds 10 * y + x + 1, never 0 for small sizes.
canvas *numbered(int w, int h) {
  canvas *c = canvas_new(w, h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) c->pixels[y * c->pitch + x] = uint8_t(10 * y + x + 1);
  return c;
}

TEST(Blit, OpaqueCopyAsOneRunOrRowByRowGivesTheSameResult) {
  std::vector<uint8_t> src(64000), a(64000, 0), b(64000, 0);
  std::iota(src.begin(), src.end(), 0);
  blit_no(src.data(), 320, a.data(), 320, 320, 200);
  for (int y = 0; y < 200; y++) blit_no(src.data() + 320 * y, 320, b.data() + 320 * y, 320, 320, 1);
  EXPECT_EQ(a, src);
  EXPECT_EQ(b, src);
}

TEST(Blit, RowLengthIsLimitedByBothPitches) {
  std::array<uint8_t, 24> src{}, dst{};
  std::iota(src.begin(), src.end(), 1);
  blit_no(src.data(), 6, dst.data(), 8, 10, 3);
  const std::array<uint8_t, 24> want = {1,  2,  3,  4,  5,  6,  0, 0, 7, 8, 9, 10,
                                        11, 12, 0, 0, 13, 14, 15, 16, 17, 18, 0, 0};
  EXPECT_EQ(dst, want);
}

TEST(Blit, TransparentCopySkipsColourZeroOnly) {
  const uint8_t src[4] = {0, 5, 0, 255};
  uint8_t dst[4] = {7, 7, 7, 7};
  blit_nt(src, 4, dst, 4, 4, 1);
  EXPECT_EQ(std::vector<uint8_t>(dst, dst + 4), (std::vector<uint8_t>{7, 5, 7, 255}));
}

TEST(Blit, HeightZeroCopiesNothing) {
  uint8_t src[4] = {1, 2, 3, 4}, dst[4] = {};
  blit_no(src, 4, dst, 4, 4, 0);
  blit_no(src, 2, dst, 3, 2, 0);
  blit_nt(src, 4, dst, 4, 4, 0);
  EXPECT_EQ(std::vector<uint8_t>(dst, dst + 4), std::vector<uint8_t>(4, 0));
}

TEST(Canvas, NewCanvasOwnsItsPixelsAndRefusesEmptySizes) {
  canvas *c = canvas_new(7, 3);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->parent, nullptr);
  EXPECT_EQ(c->pitch, 7);
  EXPECT_EQ(c->width, 7);
  EXPECT_EQ(c->height, 3);
  canvas_flood(c, 0x1234);
  for (int i = 0; i < 21; i++) EXPECT_EQ(c->pixels[i], 0x34);
  canvas_free(c);
  EXPECT_EQ(canvas_new(0, 10), nullptr);
  EXPECT_EQ(canvas_new(10, -1), nullptr);
}

TEST(Canvas, SubCanvasViewsItsParentAndFreesOnlyItsRecord) {
  canvas *parent = canvas_new(320, 200);
  canvas_flood(parent, 1);
  canvas *sub = canvas_new_sub_canvas(parent, 10, 20, 5, 4);
  EXPECT_EQ(sub->pitch, 320);
  EXPECT_EQ(sub->pixels, parent->pixels + 20 * 320 + 10);
  canvas_flood(sub, 9);
  int nines = 0;
  for (int y = 0; y < 200; y++)
    for (int x = 0; x < 320; x++) {
      const bool inside = x >= 10 && x < 15 && y >= 20 && y < 24;
      EXPECT_EQ(parent->pixels[y * 320 + x], inside ? 9 : 1);
      nines += parent->pixels[y * 320 + x] == 9;
    }
  EXPECT_EQ(nines, 20);
  canvas_free(sub);
  canvas_flood(parent, 2); // still usable (the sanitizer would catch a freed block)
  EXPECT_EQ(parent->pixels[0], 2);
  canvas_free(parent);
}

TEST(Canvas, RectOutlineCoversItsCornersAndShortRectsGiveTwoRows) {
  canvas *c = canvas_new(6, 5);
  canvas_flood(c, 0);
  canvas_draw_rect(c, 0, 0, 4, 3, 8);
  int set = 0;
  for (int i = 0; i < 30; i++) set += c->pixels[i] == 8;
  EXPECT_EQ(set, 10);
  EXPECT_EQ(c->pixels[1 * 6 + 0], 8);
  EXPECT_EQ(c->pixels[1 * 6 + 3], 8);
  EXPECT_EQ(c->pixels[1 * 6 + 1], 0);
  canvas_flood(c, 0);
  canvas_draw_rect(c, 1, 1, 3, 1, 8); // height 1 still draws rows 1 and 2
  for (int x = 1; x < 4; x++) {
    EXPECT_EQ(c->pixels[6 + x], 8);
    EXPECT_EQ(c->pixels[12 + x], 8);
  }
  canvas_free(c);
}

TEST(Canvas, PaneAndCanvasCopiesClipToTheTarget) {
  canvas *target = canvas_new(10, 10);
  canvas_flood(target, 0);
  canvas_draw_pane(target, -3, 8, 5, 5, 4);
  int fours = 0;
  for (int i = 0; i < 100; i++) fours += target->pixels[i] == 4;
  EXPECT_EQ(fours, 4); // columns 0..1 of rows 8..9
  EXPECT_EQ(target->pixels[8 * 10 + 1], 4);
  canvas *src = numbered(4, 4);
  canvas_flood(target, 0);
  canvas_draw_canvas(target, 8, -2, src);
  EXPECT_EQ(target->pixels[0 * 10 + 8], 21); // source (0, 2)
  EXPECT_EQ(target->pixels[1 * 10 + 9], 32); // source (1, 3)
  EXPECT_EQ(target->pixels[2 * 10 + 8], 0);
  canvas *grabbed = canvas_grab_canvas(src, 1, 1, 2, 2);
  EXPECT_EQ(std::vector<uint8_t>(grabbed->pixels, grabbed->pixels + 4),
            (std::vector<uint8_t>{12, 13, 22, 23}));
  canvas_free(grabbed);
  canvas_free(src);
  canvas_free(target);
}

TEST(Canvas, SpriteHotSpotPlacesTheTopLeftPixelAndZeroIsTransparent) {
  canvas *target = canvas_new(320, 200);
  canvas_flood(target, 3);
  std::vector<uint8_t> sprite(16 + 2 * 2);
  const int32_t head[4] = {8, 15, 2, 2};
  std::memcpy(sprite.data(), head, sizeof head);
  const uint8_t pixels[4] = {5, 0, 6, 7};
  std::memcpy(sprite.data() + 16, pixels, 4);
  canvas_draw_sprite(target, 100, 50, sprite.data());
  EXPECT_EQ(target->pixels[35 * 320 + 92], 5);
  EXPECT_EQ(target->pixels[35 * 320 + 93], 3);
  EXPECT_EQ(target->pixels[36 * 320 + 92], 6);
  EXPECT_EQ(target->pixels[36 * 320 + 93], 7);
  canvas_draw_sprite(target, 8, 15, sprite.data()); // corner (0, 0)
  EXPECT_EQ(target->pixels[0], 5);
  canvas_free(target);
}

TEST_F(Screen, DrawCanvasClipsToTheScreen) {
  canvas *c = numbered(10, 10);
  draw_canvas(319, 199, c);
  EXPECT_EQ(changed(), 1);
  EXPECT_EQ(px(319, 199), 1);
  draw_canvas(-10, 0, c);
  draw_canvas(320, 0, c);
  draw_canvas(0, 200, c);
  draw_canvas(0, -10, c);
  EXPECT_EQ(changed(), 1);
  draw_canvas(-5, 0, c);
  EXPECT_EQ(changed(), 51);
  for (int y = 0; y < 10; y++)
    for (int x = 0; x < 5; x++) EXPECT_EQ(px(x, y), 10 * y + x + 5 + 1);
  EXPECT_EQ(px(5, 0), 0xEE);
  canvas_free(c);
}

TEST_F(Screen, TransparentDrawLeavesZeroPixelsAndCopiesTheRest) {
  canvas *c = canvas_new(3, 1);
  c->pixels[0] = 0;
  c->pixels[1] = 255;
  c->pixels[2] = 1;
  draw_canvas_transparent(10, 10, c);
  EXPECT_EQ(px(10, 10), 0xEE);
  EXPECT_EQ(px(11, 10), 255);
  EXPECT_EQ(px(12, 10), 1);
  canvas_free(c);
}

TEST_F(Screen, GrabClipsAtTheTopLeftAndLeavesTheRestOfTheCanvas) {
  for (int i = 0; i < 64000; i++) screen[i] = uint8_t(i % 320 + i / 320);
  canvas *c = canvas_new(10, 10);
  canvas_flood(c, 0xAA);
  canvas_grab(c, -4, -2, 10, 10);
  for (int y = 0; y < 10; y++)
    for (int x = 0; x < 10; x++) {
      const bool copied = x >= 4 && y >= 2;
      EXPECT_EQ(c->pixels[y * 10 + x], copied ? px(x - 4, y - 2) : 0xAA) << x << "," << y;
    }
  canvas_flood(c, 0xAA);
  canvas_grab(c, 315, 195, 10, 10); // clipped at the right and bottom
  EXPECT_EQ(c->pixels[0], px(315, 195));
  EXPECT_EQ(c->pixels[4 * 10 + 4], px(319, 199));
  EXPECT_EQ(c->pixels[5], 0xAA);
  EXPECT_EQ(c->pixels[5 * 10], 0xAA);
  canvas_free(c);
}

TEST_F(Screen, GrabThenDrawAtTheSamePlaceLeavesTheScreenUnchanged) {
  for (int i = 0; i < 64000; i++) screen[i] = uint8_t(i * 7);
  const std::vector<uint8_t> before = screen;
  canvas *c = grab_canvas(120, 60, 60, 30);
  for (int y = 60; y < 90; y++) std::memset(&screen[y * 320 + 120], 0, 60);
  draw_canvas(120, 60, c);
  EXPECT_EQ(screen, before);
  canvas_free(c);
}

} // namespace
