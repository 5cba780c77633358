// Drawing primitives on the virtual screen: each primitive's pixel set and
// edge rule, read back from the screen.
#include "canvas/draw.h"
#include "video/graphics.h"
#include <gtest/gtest.h>
#include <climits>
#include <cmath>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

namespace {

using point = std::pair<int, int>; // (x, y)
using point_set = std::set<point>;

// Points vscrn at a heap block of exactly 64000 bytes, so that AddressSanitizer
// reports any write off the screen, and clears it.
class DrawTest : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = vscrn;
    screen_.assign(64000, 0);
    vscrn = screen_.data();
  }
  void TearDown() override { vscrn = saved_; }

  uint8_t at(int x, int y) const { return screen_[y * 320 + x]; }

  // Every pixel that is not 0.
  point_set inked() const {
    point_set s;
    for (int y = 0; y < 200; y++)
      for (int x = 0; x < 320; x++)
        if (at(x, y) != 0) s.insert({x, y});
    return s;
  }

  point_set inked_then_clear() {
    point_set s = inked();
    std::fill(screen_.begin(), screen_.end(), 0);
    return s;
  }

  std::vector<uint8_t> screen_;
  uint8_t *saved_ = nullptr;
};

point_set shifted(const point_set &s, int dx, int dy) {
  point_set out;
  for (auto [x, y] : s) out.insert({x + dx, y + dy});
  return out;
}

point_set within(const point_set &s, int x0, int y0, int x1, int y1) {
  point_set out;
  for (auto p : s)
    if (p.first >= x0 && p.first <= x1 && p.second >= y0 && p.second <= y1) out.insert(p);
  return out;
}

TEST_F(DrawTest, LineSetsTheBresenhamPixelsInEitherDirection) {
  const point_set shallow{{0, 0}, {1, 0}, {2, 1}, {3, 1}};
  draw_line(0, 0, 3, 1, 5);
  EXPECT_EQ(inked_then_clear(), shallow);
  draw_line(3, 1, 0, 0, 5);
  EXPECT_EQ(inked_then_clear(), shallow);

  // 45 degrees is not steep: one pixel per column, one per row.
  draw_line(0, 0, 3, 3, 5);
  EXPECT_EQ(inked_then_clear(), (point_set{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));

  // Steep: the roles of x and y change, in both directions.
  const point_set steep{{0, 0}, {0, 1}, {1, 2}, {1, 3}};
  draw_line(0, 0, 1, 3, 5);
  EXPECT_EQ(inked_then_clear(), steep);
  draw_line(1, 3, 0, 0, 5);
  EXPECT_EQ(inked_then_clear(), steep);

  // Rising to the right steps the minor axis down.
  draw_line(0, 3, 3, 2, 5);
  EXPECT_EQ(inked_then_clear(), (point_set{{0, 3}, {1, 3}, {2, 2}, {3, 2}}));

  draw_line(5, 10, 5, 12, 5);
  EXPECT_EQ(inked_then_clear(), (point_set{{5, 10}, {5, 11}, {5, 12}}));

  // Horizontal, given right to left, and a single point.
  draw_line(10, 7, 7, 7, 5);
  EXPECT_EQ(inked_then_clear(), (point_set{{7, 7}, {8, 7}, {9, 7}, {10, 7}}));
  draw_line(4, 4, 4, 4, 0x1FE);
  EXPECT_EQ(inked(), (point_set{{4, 4}}));
  EXPECT_EQ(at(4, 4), 0xFE);
}

TEST_F(DrawTest, LinePartlyOffScreenKeepsOnlyItsOnScreenPixels) {
  draw_line(-5, -5, 400, 300, 3);
  point_set a = inked_then_clear();
  EXPECT_FALSE(a.empty());
  // A line is the same shape wherever it starts: moving both ends moves every
  // pixel, so the two draws agree wherever both are on screen.
  draw_line(-5 + 37, -5 + 11, 400 + 37, 300 + 11, 3);
  point_set b = inked_then_clear();
  EXPECT_EQ(within(shifted(a, 37, 11), 0, 0, 319, 199), within(b, 37, 11, 319, 199));

  // Steep, entering from above and leaving below.
  draw_line(100, -150, 180, 400, 3);
  point_set steep = inked_then_clear();
  draw_line(100 - 20, -150 + 90, 180 - 20, 400 + 90, 3);
  point_set steep_moved = inked_then_clear();
  EXPECT_EQ(steep.size(), 200u); // one pixel on every row
  EXPECT_EQ(within(shifted(steep, -20, 90), 0, 0, 319, 199), within(steep_moved, 0, 90, 319, 199));

  // Lines wholly off screen draw nothing.
  draw_line(-50, -10, -1, -300, 3);
  draw_line(320, 0, 500, 199, 3);
  draw_line(0, 200, 319, 250, 3);
  draw_line(-20, 50, -1, 50, 3);
  EXPECT_TRUE(inked().empty());
}

TEST_F(DrawTest, LineEnteringFromOffScreenMatchesTheSameLineOnScreen) {
  // Every short line, started 1..n pixels off the left or top edge, must show
  // exactly the on-screen part of the same line drawn well inside.
  auto take = [this](int x0, int y0, int x1, int y1) {
    point_set s;
    for (int y = y0; y <= y1; y++)
      for (int x = x0; x <= x1; x++)
        if (at(x, y) != 0) {
          s.insert({x, y});
          screen_[y * 320 + x] = 0;
        }
    return s;
  };
  for (int dx = -12; dx <= 12; dx++)
    for (int dy = -12; dy <= 12; dy++)
      for (int off = 1; off <= 12; off++) {
        draw_line(100, 100, 100 + dx, 100 + dy, 1);
        point_set inside = take(80, 80, 120, 120);
        // Moved left so that the start is `off` columns off screen.
        draw_line(-off, 100, -off + dx, 100 + dy, 1);
        EXPECT_EQ(take(0, 80, 20, 120), within(shifted(inside, -100 - off, 0), 0, 0, 319, 199))
            << dx << "," << dy << " left " << off;
        draw_line(100, -off, 100 + dx, -off + dy, 1);
        EXPECT_EQ(take(80, 0, 120, 20), within(shifted(inside, 0, -100 - off), 0, 0, 319, 199))
            << dx << "," << dy << " top " << off;
      }
  EXPECT_TRUE(inked().empty());
}

TEST_F(DrawTest, LineWithFarEndPointsDrawsTheSameSlopeOnScreen) {
  // Slope 1/2 through the origin from coordinates near the 32-bit limits.
  draw_line(-2000000000, -1000000000, 2000000000, 1000000000, 1);
  point_set far = inked_then_clear();
  draw_line(0, 0, 400, 200, 1);
  point_set near = inked_then_clear();
  EXPECT_EQ(far.size(), 320u);
  EXPECT_EQ(far, near);
  draw_line(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 1);
  point_set diagonal = inked_then_clear();
  EXPECT_EQ(diagonal.size(), 200u);
  EXPECT_TRUE(diagonal.count({0, 0}) && diagonal.count({199, 199}));
}

TEST_F(DrawTest, HlineClipClipsBothSidesAndNeverTouchesRowZero) {
  draw_hline_clip(-5, 10, 10, 4);
  EXPECT_EQ(inked_then_clear(), (point_set{{0, 10}, {1, 10}, {2, 10}, {3, 10}, {4, 10}}));
  draw_hline_clip(315, 10, 10, 4);
  EXPECT_EQ(inked_then_clear(), (point_set{{315, 10}, {316, 10}, {317, 10}, {318, 10}, {319, 10}}));
  draw_hline_clip(-5, 199, INT_MAX, 4);
  EXPECT_EQ(inked_then_clear().size(), 320u);

  draw_hline_clip(0, 0, 320, 4);
  draw_hline_clip(-10, 0, 100, 4);
  draw_hline_clip(0, -1, 320, 4);
  draw_hline_clip(0, 200, 320, 4);
  draw_hline_clip(-10, 5, 10, 4); // ends just left of column 0
  draw_hline_clip(320, 5, 10, 4);
  draw_hline_clip(3, 5, 0, 4);
  draw_hline_clip(3, 5, -4, 4);
  EXPECT_TRUE(inked().empty());

  draw_hline_clip(0, 1, 1, 4);
  EXPECT_EQ(inked(), (point_set{{0, 1}}));
}

TEST_F(DrawTest, VlineDrawsDownwardsAndDropsOffScreenRows) {
  draw_vline(7, 3, 3, 2);
  EXPECT_EQ(inked_then_clear(), (point_set{{7, 3}, {7, 4}, {7, 5}}));
  draw_vline(319, 197, 10, 2);
  EXPECT_EQ(inked_then_clear(), (point_set{{319, 197}, {319, 198}, {319, 199}}));
  draw_vline(0, -3, 5, 2);
  EXPECT_EQ(inked_then_clear(), (point_set{{0, 0}, {0, 1}}));
  draw_vline(5, 5, 0, 2);
  draw_vline(5, 5, -3, 2);
  draw_vline(-1, 5, 10, 2);
  draw_vline(320, 5, 10, 2);
  draw_vline(5, 200, 10, 2);
  EXPECT_TRUE(inked().empty());
}

TEST_F(DrawTest, RectOutlineFullWidthFrameAndEdgeRules) {
  draw_rect(0, 10, 320, 10, 8);
  point_set frame = inked_then_clear();
  EXPECT_EQ(frame.size(), 320u * 2 + 8u * 2);
  for (int x = 0; x < 320; x++) EXPECT_TRUE(frame.count({x, 10}) && frame.count({x, 19})) << x;
  for (int y = 11; y <= 18; y++) EXPECT_TRUE(frame.count({0, y}) && frame.count({319, y})) << y;
  EXPECT_EQ(within(frame, 0, 0, 319, 9).size() + within(frame, 0, 20, 319, 199).size(), 0u);

  draw_rect(-1, 10, 20, 20, 8);
  draw_rect(10, -1, 20, 20, 8);
  EXPECT_TRUE(inked().empty());

  // Two rows whatever the height, 2 or less.
  for (int h : {2, 1, 0, -5}) {
    draw_rect(5, 5, 3, h, 8);
    EXPECT_EQ(inked_then_clear(), (point_set{{5, 5}, {6, 5}, {7, 5}, {5, 6}, {6, 6}, {7, 6}})) << h;
  }

  // Past the right and bottom edges: what is on screen stays, the rest drops.
  draw_rect(300, 190, 50, 50, 8);
  point_set cut = inked();
  EXPECT_EQ(cut.size(), 20u + 9u);
  EXPECT_EQ(within(cut, 300, 190, 319, 190).size(), 20u);
  EXPECT_EQ(within(cut, 300, 191, 300, 199).size(), 9u);
}

TEST_F(DrawTest, CircleSmallRadiiPixelSets) {
  draw_circle(50, 50, 0, 6);
  EXPECT_EQ(inked_then_clear(), (point_set{{50, 50}}));
  draw_circle(50, 50, 1, 6);
  EXPECT_EQ(inked_then_clear(), (point_set{{49, 50}, {51, 50}, {50, 49}, {50, 51}}));
  draw_circle(50, 50, 2, 6);
  point_set r2 = inked_then_clear();
  EXPECT_EQ(r2.size(), 12u);
  EXPECT_EQ(r2, (point_set{{50, 48}, {50, 52}, {48, 50}, {52, 50}, {49, 48}, {51, 48}, {49, 52},
                           {51, 52}, {48, 49}, {48, 51}, {52, 49}, {52, 51}}));
}

TEST_F(DrawTest, CircleLiesOnItsRadiusAndIsCutAtTheEdges) {
  draw_circle(160, 100, 40, 6);
  point_set whole = inked_then_clear();
  for (auto [x, y] : whole) {
    double d = std::hypot(x - 160, y - 100);
    EXPECT_LT(std::fabs(d - 40), 1.0) << x << "," << y;
  }
  // Eight-fold symmetric.
  for (auto [x, y] : whole) {
    int dx = x - 160, dy = y - 100;
    EXPECT_TRUE(whole.count({160 - dx, 100 + dy}) && whole.count({160 + dy, 100 + dx}));
  }
  // Centred on the corner: only the quarter inside the screen.
  draw_circle(0, 0, 40, 6);
  EXPECT_EQ(inked_then_clear(), within(shifted(whole, -160, -100), 0, 0, 319, 199));
  draw_circle(319, 199, 40, 6);
  EXPECT_EQ(inked_then_clear(), within(shifted(whole, 159, 99), 0, 0, 319, 199));
}

TEST_F(DrawTest, DiscIsFilledRowsClippedAndNeverOnRowZero) {
  draw_disc(50, 50, 0, 7);
  EXPECT_EQ(inked_then_clear(), (point_set{{50, 50}}));
  draw_disc(50, 50, 1, 7);
  point_set square;
  for (int y = 49; y <= 51; y++)
    for (int x = 49; x <= 51; x++) square.insert({x, y});
  EXPECT_EQ(inked_then_clear(), square);

  draw_disc(160, 100, 30, 7);
  point_set whole = inked_then_clear();
  for (int y = 0; y < 200; y++) {
    // Each row is one unbroken span centred on column 160.
    point_set row = within(whole, 0, y, 319, y);
    if (row.empty()) continue;
    int lo = row.begin()->first, hi = row.rbegin()->first;
    EXPECT_EQ(row.size(), static_cast<size_t>(hi - lo + 1)) << y;
    EXPECT_EQ(lo + hi, 320) << y;
  }
  for (int y = 70; y <= 130; y++)
    for (int x = 130; x <= 190; x++) {
      double d = std::hypot(x - 160, y - 100);
      if (d <= 29) {
        EXPECT_TRUE(whole.count({x, y})) << x << "," << y;
      } else if (d >= 31) {
        EXPECT_FALSE(whole.count({x, y})) << x << "," << y;
      }
    }

  // Near the top-left corner: cut at the left edge, row 0 left alone.
  draw_disc(5, 3, 30, 7);
  point_set corner = inked_then_clear();
  EXPECT_TRUE(within(corner, 0, 0, 319, 0).empty());
  EXPECT_EQ(corner, within(shifted(whole, -155, -97), 0, 1, 319, 199));
  draw_disc(315, 190, 30, 7);
  EXPECT_EQ(inked_then_clear(), within(shifted(whole, 155, 90), 0, 1, 319, 199));
}

// draw_pane goes through SDL, so it needs a real 8-bit surface.
TEST(DrawPane, FillsTheOnScreenPartOfItsRectangle) {
  SDL_Surface *surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 200, 8, 0, 0, 0, 0);
  ASSERT_NE(surface, nullptr);
  ASSERT_EQ(surface->pitch, 320);
  SDL_Surface *saved_surface = sdl_vscrn;
  uint8_t *saved_pixels = vscrn;
  sdl_vscrn = surface;
  vscrn = static_cast<uint8_t *>(surface->pixels);
  auto count = [&](uint8_t value, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; y++)
      for (int x = x0; x <= x1; x++) n += vscrn[y * 320 + x] == value;
    return n;
  };

  std::memset(vscrn, 0, 64000);
  draw_pane(-10, -10, 20, 20, 9);
  EXPECT_EQ(count(9, 0, 0, 9, 9), 100);
  EXPECT_EQ(count(9, 0, 0, 319, 199), 100);

  draw_pane(310, 195, 50, 50, 0x10C); // colour keeps its low 8 bits
  EXPECT_EQ(count(0x0C, 310, 195, 319, 199), 50);
  EXPECT_EQ(count(0x0C, 0, 0, 319, 199), 50);

  // Coordinates are cut to 16 bits: 65536 + 100 lands at 100.
  draw_pane(65536 + 100, 50, 2, 2, 3);
  EXPECT_EQ(count(3, 100, 50, 101, 51), 4);
  EXPECT_EQ(count(3, 0, 0, 319, 199), 4);

  draw_pane(0, 0, 320, 200, 1);
  EXPECT_EQ(count(1, 0, 0, 319, 199), 64000);

  sdl_vscrn = saved_surface;
  vscrn = saved_pixels;
  SDL_FreeSurface(surface);
}

} // namespace
