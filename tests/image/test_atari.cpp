// ST colour words and bitplane conversions.
#include "image/atari.h"
#include "image_test.h"
#include <gtest/gtest.h>

static std::array<uint8_t, 3> st_colour(unsigned word) {
  uint8_t st[32] = {};
  st[0] = uint8_t(word >> 8);
  st[1] = uint8_t(word);
  uint8_t rgb[48];
  atari_palette_atari2host(st, rgb);
  return {rgb[0], rgb[1], rgb[2]};
}

TEST(AtariPalette, ColourWordsGiveTheEightLevels) {
  EXPECT_EQ(st_colour(0x123), (std::array<uint8_t, 3>{36, 73, 109}));
  EXPECT_EQ(st_colour(0x777), (std::array<uint8_t, 3>{255, 255, 255}));
  EXPECT_EQ(st_colour(0xFFF), (std::array<uint8_t, 3>{255, 255, 255})); // bit 3 of each nibble ignored
  EXPECT_EQ(st_colour(0x700), (std::array<uint8_t, 3>{255, 0, 0}));
  EXPECT_EQ(st_colour(0x456), (std::array<uint8_t, 3>{146, 182, 219}));
  EXPECT_EQ(st_colour(0xF000), (std::array<uint8_t, 3>{0, 0, 0}));
}

TEST(AtariPalette, FillsSixteenEntriesInOrderBigEndian) {
  uint8_t st[32];
  for (int i = 0; i < 16; i++) {
    st[2 * i] = uint8_t(i & 7);      // red level i & 7
    st[2 * i + 1] = uint8_t(7 - (i & 7)); // blue level 7 - (i & 7), green 0
  }
  uint8_t rgb[51];
  std::fill(std::begin(rgb), std::end(rgb), 0xEE);
  atari_palette_atari2host(st, rgb);
  static const uint8_t level[8] = {0, 36, 73, 109, 146, 182, 219, 255};
  for (int i = 0; i < 16; i++) {
    EXPECT_EQ(rgb[3 * i], level[i & 7]) << i;
    EXPECT_EQ(rgb[3 * i + 1], 0) << i;
    EXPECT_EQ(rgb[3 * i + 2], level[7 - (i & 7)]) << i;
  }
  EXPECT_EQ(rgb[48], 0xEE); // nothing past entry 15
}

TEST(AtariPlanes, InterleavedWordsGiveOnePixelPerBit) {
  uint8_t src[8] = {0x80, 0x00, 0x80, 0x00, 0x00, 0x00, 0x80, 0x00};
  uint8_t dst[17];
  std::fill(std::begin(dst), std::end(dst), 0xAA);
  atari_pixels_atari2vga(src, dst, 16);
  EXPECT_EQ(dst[0], 11);
  for (int i = 1; i < 16; i++) EXPECT_EQ(dst[i], 0) << i;
  EXPECT_EQ(dst[16], 0xAA);
}

TEST(AtariPlanes, EachPlaneWeighsItsBitAndLowBytesAreTheRightHalf) {
  // Pixel 15 (bit 0 of each word) takes plane weights 1, 2, 4, 8; pixel 8 is
  // bit 7 of the second byte; pixel 7 is bit 0 of the first.
  uint8_t src[8] = {0x01, 0x01, 0x00, 0x80, 0x01, 0x01, 0x00, 0x81};
  uint8_t dst[16];
  atari_pixels_atari2vga(src, dst, 16);
  EXPECT_EQ(dst[7], 1 | 4);
  EXPECT_EQ(dst[8], 2 | 8);
  EXPECT_EQ(dst[15], 1 | 4 | 8);
  EXPECT_EQ(dst[0], 0);
}

TEST(AtariPlanes, OnlyWholeGroupsAreConverted) {
  uint8_t src[16];
  std::fill(std::begin(src), std::end(src), 0xFF);
  uint8_t dst[32];
  std::fill(std::begin(dst), std::end(dst), 0x55);
  atari_pixels_atari2vga(src, dst, 15);
  for (uint8_t v : dst) EXPECT_EQ(v, 0x55);
  atari_pixels_atari2vga(src, dst, 31);
  for (int i = 0; i < 16; i++) EXPECT_EQ(dst[i], 15);
  for (int i = 16; i < 32; i++) EXPECT_EQ(dst[i], 0x55);
  atari_pixels_atari2vga(src, dst, -16);
  EXPECT_EQ(dst[16], 0x55);
}

TEST(AtariPlanes, WholePictureSecondGroupAndLastLine) {
  bytes src(32000, 0);
  src[8] = 0x40;           // group 1 plane 0: second pixel of the group
  src[31992 + 6] = 0x01;   // last group's plane 3, high byte bit 0: pixel 7
  bytes dst(64000, 0x77);
  atari2vga_picture16(src.data(), dst.data());
  EXPECT_EQ(dst[17], 1);
  EXPECT_EQ(dst[16], 0);
  EXPECT_EQ(dst[63984 + 7], 8);
  EXPECT_EQ(std::count(dst.begin(), dst.end(), 0), 63998);
}

TEST(AtariPlanes, LineByLinePlanesAreFortyBytesApart) {
  bytes src(32000, 0);
  src[0] = 0x80;             // line 0 plane 0 word 0: pixel 0 gets 1
  src[40 + 2] = 0x80;        // plane 1 word 1: pixel 16 gets 2
  src[80 + 39] = 0x01;       // plane 2 word 19 low byte: pixel 319 gets 4
  src[120 + 39] = 0x01;      // plane 3 same pixel: 8
  src[160 * 199 + 120] = 0x80; // last line, plane 3: pixel 0 gets 8
  bytes dst(64000, 0x77);
  atari_pixels_atari2vga_x(src.data(), dst.data(), 12345); // count changes nothing
  EXPECT_EQ(dst[0], 1);
  EXPECT_EQ(dst[16], 2);
  EXPECT_EQ(dst[319], 12);
  EXPECT_EQ(dst[320 * 199], 8);
  EXPECT_EQ(std::count(dst.begin(), dst.end(), 0), 63996);
}

TEST(AtariTables, GdosTablesAreInversePermutations) {
  EXPECT_EQ(st2gdos[1], 15);
  EXPECT_EQ(gdos2st[15], 1);
  for (int i = 0; i < 16; i++) {
    EXPECT_EQ(gdos2st[st2gdos[i]], i);
    EXPECT_EQ(st2gdos[gdos2st[i]], i);
  }
}
