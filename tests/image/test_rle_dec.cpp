// The PackBits decoder: packets, the 128 header, and its bounds.
#include "image/rle_dec.h"
#include "image_test.h"
#include <gtest/gtest.h>

TEST(RleDec, LiteralThenRun) {
  const bytes in = {2, 'a', 'b', 'c', 254, 'x', 0x99};
  uint8_t out[8];
  std::fill(std::begin(out), std::end(out), 0);
  int produced = -1;
  const uint8_t *next = rle_dec(in.data(), in.data() + in.size(), out, 6, &produced);
  EXPECT_EQ(next, in.data() + 6);
  EXPECT_EQ(produced, 6);
  EXPECT_EQ(std::string(out, out + 7), std::string("abcxxx\0", 7));
}

TEST(RleDec, CountBelowOneReturnsAtOnce) {
  const bytes in = {0, 'q'};
  uint8_t out[2] = {7, 7};
  EXPECT_EQ(rle_dec(in.data(), in.data() + 2, out, 0), in.data());
  EXPECT_EQ(rle_dec(in.data(), in.data() + 2, out, -3), in.data());
  EXPECT_EQ(out[0], 7);
}

TEST(RleDec, Header128IsARunOf129) {
  const bytes in = {128, 'v'};
  uint8_t out[140];
  std::fill(std::begin(out), std::end(out), 0);
  int produced = 0;
  EXPECT_EQ(rle_dec(in.data(), in.data() + 2, out, 129, &produced), in.data() + 2);
  EXPECT_EQ(produced, 129);
  EXPECT_EQ(std::count(std::begin(out), std::end(out), 'v'), 129);
}

TEST(RleDec, OvershootingRunIsCutAtTheRoom) {
  // count 1: the 129-byte run is consumed whole but only one byte is written.
  const bytes in = {128, 'v', 0, 'z'};
  uint8_t out[4] = {0, 0, 0, 0};
  int produced = 0;
  EXPECT_EQ(rle_dec(in.data(), in.data() + 4, out, 1, &produced), in.data() + 2);
  EXPECT_EQ(produced, 1);
  EXPECT_EQ(out[0], 'v');
  EXPECT_EQ(out[1], 0);
}

TEST(RleDec, OvershootingLiteralIsCutButConsumed) {
  const bytes in = {4, 1, 2, 3, 4, 5, 255, 9};
  uint8_t out[6] = {};
  const uint8_t *next = rle_dec(in.data(), in.data() + in.size(), out, 3);
  EXPECT_EQ(next, in.data() + 6);
  EXPECT_EQ(out[2], 3);
  EXPECT_EQ(out[3], 0);
}

TEST(RleDec, StopsWhereTheInputEnds) {
  // A literal cut short by the input gives the bytes present; a run header
  // with no value byte gives nothing.
  const bytes lit = {9, 'a', 'b'};
  uint8_t out[16] = {};
  int produced = 0;
  EXPECT_EQ(rle_dec(lit.data(), lit.data() + 3, out, 16, &produced), lit.data() + 3);
  EXPECT_EQ(produced, 2);
  const bytes run = {3, 'a', 'b', 'c', 'd', 200};
  produced = 0;
  EXPECT_EQ(rle_dec(run.data(), run.data() + run.size(), out, 16, &produced), run.data() + run.size());
  EXPECT_EQ(produced, 4);
  EXPECT_EQ(rle_dec(run.data(), run.data(), out, 16, &produced), run.data());
  EXPECT_EQ(produced, 0);
}

TEST(RleDec, TwoByteRunIsHeader255) {
  const bytes in = {255, 'k', 129, 'm'};
  uint8_t out[130] = {};
  int produced = 0;
  rle_dec(in.data(), in.data() + 4, out, 130, &produced);
  EXPECT_EQ(produced, 130);
  EXPECT_EQ(out[0], 'k');
  EXPECT_EQ(out[1], 'k');
  EXPECT_EQ(out[2], 'm');
  EXPECT_EQ(out[129], 'm');
}
