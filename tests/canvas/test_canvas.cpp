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
  EXPECT_EQ(narrow, (bytes{1,  2,  3, 4, 5,  6,  0,  0,  7,  8,  9, 10,
                           11, 12, 0, 0, 13, 14, 15, 16, 17, 18, 0, 0}));
  bytes dst{7, 7, 7, 7};
  const bytes row{0, 5, 0, 255};
  blit_nt(row.data(), 4, dst.data(), 4, 4, 1);
  EXPECT_EQ(dst, (bytes{7, 5, 7, 255}));
}

TEST(Canvas, SubCanvasesShareTheBlockAndCopiesClipToTheTarget) {
  EXPECT_TRUE(canvas_new(0, 10) == nullptr && canvas_new(10, -1) == nullptr);
  canvas *target = canvas_new(10, 10), *src = numbered(4, 4);
  canvas_flood(target, 0x100); // the low 8 bits are stored
  canvas *sub = canvas_new_sub_canvas(target, 1, 2, 5, 4);
  canvas_flood(sub, 9);
  EXPECT_TRUE(std::count(target->pixels, target->pixels + 100, 9) == 20 &&
              target->pixels[2 * 10 + 1] == 9 && target->pixels[5 * 10 + 5] == 9);
  canvas_free(sub); // leaves the parent's block usable
  canvas_flood(target, 0);
  canvas_draw_canvas(target, 8, -2, src);
  EXPECT_EQ(target->pixels[8], 21);          // source (0, 2)
  EXPECT_EQ(target->pixels[1 * 10 + 9], 32); // source (1, 3)
  EXPECT_EQ(target->pixels[2 * 10 + 8], 0);
  canvas *grabbed = canvas_grab_canvas(src, 1, 1, 2, 2);
  EXPECT_EQ(bytes(grabbed->pixels, grabbed->pixels + 4), (bytes{12, 13, 22, 23}));
  // A sprite: four native 32-bit fields (hot spot, size), then its pixels.
  uint8_t sprite[20];
  const int32_t head[4] = {8, 15, 2, 2};
  const uint8_t px[4] = {5, 0, 6, 7};
  std::memcpy(sprite, head, 16);
  std::memcpy(sprite + 16, px, 4);
  canvas_flood(target, 3);
  canvas_draw_sprite(target, 7, 14, sprite); // hangs off the top left: only (1, 1) lands
  EXPECT_EQ(bytes(target->pixels, target->pixels + 2), (bytes{7, 3}));
  for (canvas *c : {target, src, grabbed}) canvas_free(c);
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

} // namespace
