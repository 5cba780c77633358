// The 2x and 4x pixel-replication scalers.
#include "video/scale.h"
#include <gtest/gtest.h>
#include <cstring>
#include <vector>

namespace {

constexpr uint8_t UNTOUCHED = 0xEE;

using scaler = void (*)(const uint8_t *, uint8_t *, int, int, int, int);

struct scale_case {
  const char *name;
  scaler fn;
  int factor;
};

// Scales a w x h source of distinct values into a destination with the
// given pitch and extra rows, then checks every destination byte: inside
// the picture it is the replicated source pixel, outside it is untouched.
void check_scale(const scale_case &c, int w, int h, int src_pitch, int dst_pitch, int offset) {
  std::vector<uint8_t> src(static_cast<size_t>(src_pitch * h), 0x55);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) src[static_cast<size_t>(y * src_pitch + x)] = static_cast<uint8_t>(x * 7 + y * 13 + 1);
  const int rows = h * c.factor + 3;
  std::vector<uint8_t> dst(static_cast<size_t>(dst_pitch * rows + offset), UNTOUCHED);
  c.fn(src.data(), dst.data() + offset, src_pitch, dst_pitch, w, h);

  int wrong = 0;
  for (int i = 0; i < offset; i++) wrong += dst[static_cast<size_t>(i)] != UNTOUCHED;
  for (int y = 0; y < rows; y++)
    for (int x = 0; x < dst_pitch; x++) {
      const uint8_t got = dst[static_cast<size_t>(offset + y * dst_pitch + x)];
      const bool inside = x < w * c.factor && y < h * c.factor;
      const uint8_t want =
          inside ? src[static_cast<size_t>((y / c.factor) * src_pitch + x / c.factor)] : UNTOUCHED;
      if (got != want && wrong++ < 5)
        ADD_FAILURE() << c.name << " " << w << "x" << h << " at (" << x << "," << y << "): got "
                      << int(got) << " want " << int(want);
    }
  EXPECT_EQ(wrong, 0) << c.name;
}

const scale_case cases[] = {{"scale2x", scale2x, 2}, {"scale4x", scale4x, 4}};

} // namespace

TEST(Scale, SinglePixelBecomesSolidBlockAndNothingElse) {
  // 1x1 of 7 at 2x: a 2x2 block, column 2 and row 2 untouched.
  uint8_t src = 7;
  uint8_t dst[4][4];
  memset(dst, UNTOUCHED, sizeof dst);
  scale2x(&src, &dst[0][0], 1, 4, 1, 1);
  EXPECT_EQ(dst[0][0], 7);
  EXPECT_EQ(dst[0][1], 7);
  EXPECT_EQ(dst[1][0], 7);
  EXPECT_EQ(dst[1][1], 7);
  EXPECT_EQ(dst[0][2], UNTOUCHED);
  EXPECT_EQ(dst[1][2], UNTOUCHED);
  EXPECT_EQ(dst[2][0], UNTOUCHED);

  // 1x1 at 4x: every one of the four rows gets four bytes.
  uint8_t big[5][6];
  memset(big, UNTOUCHED, sizeof big);
  scale4x(&src, &big[0][0], 1, 6, 1, 1);
  for (int y = 0; y < 4; y++) {
    for (int x = 0; x < 4; x++) EXPECT_EQ(big[y][x], 7) << y << "," << x;
    EXPECT_EQ(big[y][4], UNTOUCHED) << y;
  }
  EXPECT_EQ(big[4][0], UNTOUCHED);
}

TEST(Scale, HeightZeroWritesNothing) {
  const uint8_t src[4] = {1, 2, 3, 4};
  for (const auto &c : cases) {
    std::vector<uint8_t> dst(64, UNTOUCHED);
    c.fn(src, dst.data(), 4, 16, 4, 0);
    for (uint8_t b : dst) EXPECT_EQ(b, UNTOUCHED) << c.name;
  }
}

TEST(Scale, WidePitchesLeaveTheRestOfEachRowAlone) {
  // Destination pitch beyond factor*width, source pitch beyond width.
  for (const auto &c : cases) {
    check_scale(c, 3, 2, 3, 3 * c.factor + 5, 0);
    check_scale(c, 5, 3, 9, 5 * c.factor + 1, 0);
  }
}

TEST(Scale, FullVirtualScreenFillsExactlyTheScaledPicture) {
  // 320x200 covers exactly 640x400 at 2x and 1280x800 at 4x.
  for (const auto &c : cases) check_scale(c, 320, 200, 320, 320 * c.factor + 16, 0);
}

TEST(Scale, OddDestinationAddress) {
  // An odd left margin puts the picture at an unaligned address.
  for (const auto &c : cases) {
    check_scale(c, 17, 5, 17, 17 * c.factor + 3, 1);
    check_scale(c, 17, 5, 17, 17 * c.factor + 3, 3);
  }
}
