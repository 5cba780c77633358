// Canvases and blitters: ownership, fills and the exact clipping rules.
#include "canvas/blit.h"
#include "canvas/canvas.h"
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace {

using bytes = std::vector<uint8_t>;

// A canvas whose pixel (x, y) holds 10 * y + x + 1.
canvas *numbered(int w, int h) {
  canvas *c = canvas_new(w, h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) c->pixels[y * c->pitch + x] = uint8_t(10 * y + x + 1);
  return c;
}

TEST(Blit, OpaqueAndTransparentCopiesHonourPitchesAndZero) {
  bytes src(64), narrow(24);
  std::iota(src.begin(), src.end(), 0);
  blit_no(src.data() + 1, 6, narrow.data(), 8, 10, 3); // rows cut to the smaller pitch
  EXPECT_EQ(narrow, (bytes{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0, 13, 14, 15, 16, 17,
                           18, 0, 0}));
  bytes dst{7, 7, 7, 7};
  const bytes row{0, 5, 0, 255};
  blit_nt(row.data(), 4, dst.data(), 4, 4, 1);
  EXPECT_EQ(dst, (bytes{7, 5, 7, 255}));
}

TEST(Canvas, OwnershipSubCanvasesFloodAndOutlines) {
  EXPECT_EQ(canvas_new(0, 10), nullptr);
  EXPECT_EQ(canvas_new(10, -1), nullptr);
  canvas *parent = canvas_new(320, 200);
  canvas_flood(parent, 0x101); // the low 8 bits are stored
  canvas *sub = canvas_new_sub_canvas(parent, 10, 20, 5, 4);
  EXPECT_EQ(sub->pitch, 320);
  canvas_flood(sub, 9);
  EXPECT_EQ(std::count(parent->pixels, parent->pixels + 64000, 9), 20);
  EXPECT_TRUE(parent->pixels[20 * 320 + 10] == 9 && parent->pixels[23 * 320 + 14] == 9);
  canvas_free(sub); // leaves the parent's block usable
  canvas_flood(parent, 0);
  canvas_draw_rect(parent, 0, 0, 4, 3, 8);
  EXPECT_EQ(std::count(parent->pixels, parent->pixels + 64000, 8), 10);
  EXPECT_TRUE(parent->pixels[320] == 8 && parent->pixels[323] == 8 && parent->pixels[321] == 0);
  canvas_draw_rect(parent, 100, 100, 3, 1, 6); // short rects still draw two rows
  EXPECT_TRUE(parent->pixels[100 * 320 + 102] == 6 && parent->pixels[101 * 320 + 102] == 6);
  canvas_free(parent);
}

TEST(Canvas, PanesCopiesAndSpritesClipToTheTarget) {
  canvas *target = canvas_new(10, 10);
  canvas_flood(target, 0);
  canvas_draw_pane(target, -3, 8, 5, 5, 4);
  EXPECT_EQ(std::count(target->pixels, target->pixels + 100, 4), 4);
  EXPECT_EQ(target->pixels[9 * 10 + 1], 4);
  canvas *src = numbered(4, 4);
  canvas_draw_canvas(target, 8, -2, src);
  EXPECT_EQ(target->pixels[8], 21);          // source (0, 2)
  EXPECT_EQ(target->pixels[1 * 10 + 9], 32); // source (1, 3)
  EXPECT_EQ(target->pixels[2 * 10 + 8], 0);
  canvas *grabbed = canvas_grab_canvas(src, 1, 1, 2, 2);
  EXPECT_EQ(bytes(grabbed->pixels, grabbed->pixels + 4), (bytes{12, 13, 22, 23}));
  // A sprite: four native 32-bit fields (hot spot, size), then its pixels.
  uint8_t sprite[20];
  const int32_t head[4] = {8, 15, 2, 2};
  std::memcpy(sprite, head, 16);
  const uint8_t px[4] = {5, 0, 6, 7};
  std::memcpy(sprite + 16, px, 4);
  canvas *big = canvas_new(320, 200);
  canvas_flood(big, 3);
  canvas_draw_sprite(big, 100, 50, sprite);
  EXPECT_EQ(bytes(&big->pixels[35 * 320 + 92], &big->pixels[35 * 320 + 94]), (bytes{5, 3}));
  EXPECT_EQ(bytes(&big->pixels[36 * 320 + 92], &big->pixels[36 * 320 + 94]), (bytes{6, 7}));
  canvas_draw_sprite(big, 7, 14, sprite); // hangs off the top left: only pixel (1, 1) lands
  EXPECT_EQ(big->pixels[0], 7);
  for (canvas *c : {target, src, grabbed, big}) canvas_free(c);
}

// The screen operations on a virtual screen of our own, marked with 0xEE.
class Screen : public ::testing::Test {
protected:
  bytes screen = bytes(64000, 0xEE);
  uint8_t *saved = vscrn;
  void SetUp() override { vscrn = screen.data(); }
  void TearDown() override { vscrn = saved; }
  uint8_t at(int x, int y) const { return screen[y * 320 + x]; }
  long changed() const { return 64000 - std::count(screen.begin(), screen.end(), 0xEE); }
};

TEST_F(Screen, DrawCanvasClipsAtEveryEdge) {
  canvas *c = numbered(10, 10);
  draw_canvas(319, 199, c);
  EXPECT_EQ(at(319, 199), 1);
  for (auto [x, y] : {std::pair{-10, 0}, {320, 0}, {0, 200}, {0, -10}}) draw_canvas(x, y, c);
  EXPECT_EQ(changed(), 1);
  draw_canvas(-5, 0, c);
  EXPECT_EQ(changed(), 51);
  EXPECT_TRUE(at(0, 0) == 6 && at(4, 9) == 100 && at(5, 0) == 0xEE);
  c->pixels[0] = 0;
  draw_canvas_transparent(100, 100, c);
  EXPECT_TRUE(at(100, 100) == 0xEE && at(101, 100) == 2 && at(109, 109) == 100);
  canvas_free(c);
}

TEST_F(Screen, GrabsCopyTheScreenAndClipOnlyWhereTheyShould) {
  for (int i = 0; i < 64000; i++) screen[i] = uint8_t(i % 320 + i / 320);
  canvas *c = canvas_new(10, 10);
  canvas_flood(c, 0xAA);
  canvas_grab(c, -4, -2, 10, 10);
  for (int y = 0; y < 10; y++)
    for (int x = 0; x < 10; x++) ASSERT_EQ(c->pixels[y * 10 + x], x >= 4 && y >= 2 ? at(x - 4, y - 2) : 0xAA);
  canvas_flood(c, 0xAA);
  canvas_grab(c, 315, 195, 10, 10);
  EXPECT_TRUE(c->pixels[44] == at(319, 199) && c->pixels[5] == 0xAA && c->pixels[50] == 0xAA);
  const bytes before = screen;
  canvas *cell = grab_canvas(120, 60, 60, 30);
  for (int y = 60; y < 90; y++) std::memset(&screen[y * 320 + 120], 0, 60);
  draw_canvas(120, 60, cell);
  EXPECT_EQ(screen, before);
  canvas_free(cell);
  canvas_free(c);
}

} // namespace
