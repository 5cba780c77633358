// Text output: glyph placement, colour ramps and the canvas edges.
#include "canvas/text.h"
#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A 320x24 canvas of exactly its own bytes: AddressSanitizer reports any write off it.
struct text_canvas {
  std::vector<uint8_t> block = std::vector<uint8_t>(320 * 24);
  canvas c{nullptr, 320, 320, 24, block.data()};
};

TEST(Text, CutAtTheCanvasEdgesAndColoursWrap) {
  // Ink fills exactly columns x0..x1 of rows y0..y1 (none by default), row r in (colour + r) mod
  // 256.
  const std::string block = "\xDB", two = block + block;
  const struct {
    int x, y;
    std::string text;
    int colour, x0 = 0, y0 = 0, x1 = -1, y1 = -1;
  } cases[] = {
      {0, 0, block, 250, 1, 0, 8, 7},
      {0, 0, block, 250 + 3 * 256, 1, 0, 8, 7},
      {-8, 0, block, 100, 0, 0, 0, 7},
      {316, 20, two, 100, 317, 20, 319, 23},
      {-5, -6, block, 100, 0, 0, 3, 1},
      {0, 0, std::string(45, '\xDB'), 100, 1, 0, 319, 7},
      {312, 5, two, 9, 313, 5, 319, 12},
      {3, 2, " ", 1},
      {3, 2, "", 1},
      {320, 0, two, 1},
      {-25, 0, block + two, 1},
      {0, 24, two, 1},
      {0, -8, two, 1},
      {INT_MAX - 4, INT_MAX - 2, two, 1},
      {INT_MIN, INT_MIN, two, 1},
  };
  for (auto &t : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &t - cases);
    text_canvas g, want;
    fwritexy(&g.c, t.x, t.y, t.text.c_str(), t.colour);
    for (int y = t.y0; y <= t.y1; y++)
      std::fill_n(&want.block[y * 320 + t.x0], t.x1 - t.x0 + 1,
                  static_cast<uint8_t>(t.colour + y - t.y));
    EXPECT_TRUE(g.block == want.block);
  }
}

TEST(Text, SpaceAdvancesEightColumnsRightAlignmentAndNull) {
  text_canvas g, want;
  fwritexy(&g.c, 0, 0, "A B", 40);
  fwritexy(&want.c, 0, 0, "A", 40);
  fwritexy(&want.c, 16, 0, "B", 40);
  fwritexy_right(&g.c, 312, 8, "\xDB\xDB", 9); // cells from 296, ink up to 312
  fwritexy(&want.c, 296, 8, "\xDB\xDB", 9);
  fwritexy(&g.c, 3, 2, nullptr, 40);
  EXPECT_TRUE(g.block == want.block);
}

} // namespace
