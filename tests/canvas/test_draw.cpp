// Drawing primitives: each one's pixel set and edge rule, read back from the screen.
#include "canvas/canvas.h"
#include "canvas/draw.h"
#include "support/test_files.h"
#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include <set>
#include <utility>
#include <vector>

namespace {

using point_set = std::set<std::pair<int, int>>; // (x, y)

point_set box(int x0, int y0, int x1, int y1) {
  point_set s;
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) s.insert({x, y});
  return s;
}
point_set operator+(point_set a, const point_set &b) { return a.insert(b.begin(), b.end()), a; }
// s moved by (dx, dy), then cut to the rectangle.
point_set moved(const point_set &s, int dx, int dy, int x0 = 0, int y0 = 0, int x1 = 319,
                int y1 = 199) {
  point_set out;
  for (auto [x, y] : s)
    if (x + dx >= x0 && x + dx <= x1 && y + dy >= y0 && y + dy <= y1) out.insert({x + dx, y + dy});
  return out;
}
// The non-zero pixels of vscrn in the rectangle (cut to the screen), which are cleared.
point_set take(int x0 = 0, int y0 = 0, int x1 = 319, int y1 = 199) {
  point_set s;
  for (int y = std::max(y0, 0); y <= std::min(y1, 199); y++)
    for (int x = std::max(x0, 0); x <= std::min(x1, 319); x++)
      if (std::exchange(vscrn[y * 320 + x], 0) != 0) s.insert({x, y});
  return s;
}
point_set line_pixels(int x0, int y0, int x1, int y1) {
  draw_line(x0, y0, x1, y1, 1);
  return take(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1));
}
// A line and its copy moved by (dx, dy) agree wherever both are on screen: nothing bends at the
// edges.
void expect_same_when_moved(int x0, int y0, int x1, int y1, int dx, int dy) {
  point_set a = line_pixels(x0, y0, x1, y1), b = line_pixels(x0 + dx, y0 + dy, x1 + dx, y1 + dy);
  EXPECT_FALSE(a.empty());
  EXPECT_EQ(moved(a, dx, dy), moved(moved(b, -dx, -dy), dx, dy))
      << x1 - x0 << "," << y1 - y0 << " by " << dx;
}

// vscrn is exactly 64000 heap bytes: AddressSanitizer reports writes off screen.
class Draw : public ::testing::Test {
  std::vector<uint8_t> screen_ = std::vector<uint8_t>(64000);
  uint8_t *saved_ = std::exchange(vscrn, screen_.data());
  void TearDown() override { vscrn = saved_; }
};

// The four-argument primitives, called like the five-argument ones.
template <void (*f)(int, int, int, int)> void four(int a, int b, int c, int, int k) {
  f(a, b, c, k);
}

TEST_F(Draw, ExactPixelSets) {
  using draw_fn = void (*)(int, int, int, int, int);
  const draw_fn line = draw_line, rect = draw_rect, hline = four<draw_hline_clip>,
                vline = four<draw_vline>, circle = four<draw_circle>, disc = four<draw_disc>;
  const point_set shallow{{0, 0}, {1, 0}, {2, 1}, {3, 1}}, steep{{0, 0}, {0, 1}, {1, 2}, {1, 3}},
      none;
  point_set frame =
      box(0, 10, 319, 10) + box(0, 19, 319, 19) + box(0, 11, 0, 18) + box(319, 11, 319, 18);
  point_set ring2 =
      box(49, 48, 51, 48) + box(49, 52, 51, 52) + box(48, 49, 48, 51) + box(52, 49, 52, 51);
  point_set disc2 = box(48, 49, 52, 51) + box(49, 48, 51, 52);
  // A rect of height 2 or less has two rows.
  const struct {
    draw_fn draw;
    int a, b, c, d;
    point_set want;
  } cases[] = {
      {line, 0, 0, 3, 1, shallow},
      {line, 3, 1, 0, 0, shallow},
      {line, 0, 0, 1, 3, steep},
      {line, 1, 3, 0, 0, steep},
      {line, 0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}}, // not steep
      {line, 0, 3, 3, 2, {{0, 3}, {1, 3}, {2, 2}, {3, 2}}},
      {line, 10, 7, 7, 7, box(7, 7, 10, 7)},
      {line, 4, 4, 4, 4, {{4, 4}}},
      {line, 320, 0, 500, 199, none},
      {line, -20, 50, -1, 50, none},
      {hline, -5, 10, 10, 0, box(0, 10, 4, 10)},
      {hline, 3, 5, 0, 0, none},
      {hline, -5, 199, INT_MAX, 0, box(0, 199, 319, 199)},
      {hline, -10, 0, 100, 0, none},
      {hline, 0, 200, 9, 0, none},
      {hline, -10, 5, 10, 0, none},
      {vline, 7, 3, 3, 0, box(7, 3, 7, 5)},
      {vline, 5, 5, 0, 0, none},
      {vline, 0, -3, 5, 0, box(0, 0, 0, 1)},
      {vline, 319, 197, 10, 0, box(319, 197, 319, 199)},
      {vline, -1, 5, 9, 0, none},
      {vline, 320, 5, 9, 0, none},
      {rect, 0, 10, 320, 10, frame},
      {rect, -1, 10, 20, 20, none},
      {rect, 5, 5, 3, 1, box(5, 5, 7, 6)},
      {rect, 300, 190, 50, 50, box(300, 190, 319, 190) + box(300, 191, 300, 199)},
      {circle, 50, 50, 0, 0, {{50, 50}}},
      {circle, 50, 50, 2, 0, ring2},
      {circle, 0, 0, 2, 0, moved(ring2, -50, -50)},
      {circle, 319, 199, 2, 0, moved(ring2, 269, 149)},
      {disc, 50, 50, 1, 0, box(49, 49, 51, 51)},
      {disc, 50, 50, 2, 0, disc2},
      {disc, 0, 1, 2, 0, moved(disc2, -50, -49, 0, 1, 319, 199)}, // cut; row 0 left alone
      {disc, 318, 198, 2, 0, moved(disc2, 268, 148)},
  };
  for (auto &t : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &t - cases);
    t.draw(t.a, t.b, t.c, t.d, 0x105);
    for (auto [x, y] : t.want)
      EXPECT_EQ(vscrn[y * 320 + x], 5) << x << "," << y; // low 8 bits of 0x105
    EXPECT_EQ(take(), t.want);
  }
}

TEST_F(Draw, LinesOffScreenKeepExactlyTheirOnScreenPixels) {
  expect_same_when_moved(-5, -5, 400, 300, 37, 11);
  expect_same_when_moved(100, -150, 180, 400, -20, 90); // steep, through top and bottom
  // Short lines entering over the left or top edge: the skip to the first on-screen step.
  for (int dx = -12; dx <= 12; dx++)
    for (int dy = -12; dy <= 12; dy++)
      for (int off = 1; off <= 12; off++) {
        expect_same_when_moved(100, 100, 100 + dx, 100 + dy, -100 - off, 0);
        expect_same_when_moved(100, 100, 100 + dx, 100 + dy, 0, -100 - off);
      }
  // End points near the 32-bit limits: no overflow bends the slope.
  EXPECT_EQ(line_pixels(-2000000000, -1000000000, 2000000000, 1000000000),
            line_pixels(0, 0, 400, 200));
}

TEST_F(Draw, HugeCirclesAndDiscsReturnAtOnce) {
  // The largest radius: only the steps that reach the screen are taken, so these return at once.
  EXPECT_TRUE(test_returns_true(
      [](const std::string &) {
        draw_circle(160, 100, INT_MAX, 1); // all around the screen
        const bool around = take().empty();
        draw_circle(160 - INT_MAX, 100, INT_MAX, 1); // its right edge: column 160
        const bool edge = take() == box(160, 0, 160, 199);
        draw_disc(160, 100, INT_MAX, 1);
        return around && edge && take() == box(0, 1, 319, 199); // row 0 is never drawn
      },
      ""));
}

} // namespace
