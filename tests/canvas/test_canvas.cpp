// Canvases and the row copy: sizes, fills and the exact clipping rules.
#include "canvas/blit.h"
#include "canvas/canvas.h"
#include <algorithm>
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

TEST(Canvas, SizesFillsAndRowCopiesHonourPitches) {
  EXPECT_TRUE(canvas_new(0, 10) == nullptr && canvas_new(10, -1) == nullptr);
  canvas *c = canvas_new(3, 2);
  canvas_flood(c, 0x105); // the low 8 bits are stored
  EXPECT_EQ(bytes(c->pixels, c->pixels + 6), bytes(6, 5));
  canvas_free(c);
  bytes src(64), narrow(24);
  std::iota(src.begin(), src.end(), 0);
  blit_no(src.data() + 1, 6, narrow.data(), 8, 10, 3); // rows cut to the smaller pitch
  EXPECT_EQ(narrow, (bytes{1,  2,  3, 4, 5,  6,  0,  0,  7,  8,  9, 10,
                           11, 12, 0, 0, 13, 14, 15, 16, 17, 18, 0, 0}));
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
  canvas_free(c);
}

} // namespace
