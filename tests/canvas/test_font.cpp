// The font table and text output: the table's bytes, glyph placement, colour
// ramps and the edge rule of fwritexy.
#include "canvas/canvas.h"
#include "canvas/vga-8x8.h"
#include "shell/util.h"
#include <gtest/gtest.h>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A small SHA-256 (FIPS 180-4), enough to fingerprint the 2 KiB table.
std::string sha256_hex(const uint8_t *data, size_t size) {
  static constexpr uint32_t k[64] = {
      0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
      0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
      0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
      0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
      0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
      0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
      0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
      0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};
  uint32_t h[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                   0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  std::vector<uint8_t> msg(data, data + size);
  msg.push_back(0x80);
  while (msg.size() % 64 != 56) msg.push_back(0);
  uint64_t bits = static_cast<uint64_t>(size) * 8;
  for (int i = 7; i >= 0; i--) msg.push_back(static_cast<uint8_t>(bits >> (8 * i)));
  auto rotr = [](uint32_t x, int n) { return (x >> n) | (x << (32 - n)); };
  for (size_t block = 0; block < msg.size(); block += 64) {
    uint32_t w[64];
    for (int i = 0; i < 16; i++)
      w[i] = uint32_t{msg[block + 4 * i]} << 24 | uint32_t{msg[block + 4 * i + 1]} << 16 |
             uint32_t{msg[block + 4 * i + 2]} << 8 | uint32_t{msg[block + 4 * i + 3]};
    for (int i = 16; i < 64; i++) {
      uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
      uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
      w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], hh = h[7];
    for (int i = 0; i < 64; i++) {
      uint32_t t1 = hh + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) + k[i] + w[i];
      uint32_t t2 = (rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
      hh = g, g = f, f = e, e = d + t1, d = c, c = b, b = a, a = t1 + t2;
    }
    h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e, h[5] += f, h[6] += g, h[7] += hh;
  }
  std::string hex;
  char part[9];
  for (uint32_t word : h) {
    std::snprintf(part, sizeof part, "%08x", word);
    hex += part;
  }
  return hex;
}

TEST(Font, TableEqualsTheShippedFontFile) {
  // The digest routine itself, on the standard test vectors.
  EXPECT_EQ(sha256_hex(reinterpret_cast<const uint8_t *>("abc"), 3),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  const char *two_blocks = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
  EXPECT_EQ(sha256_hex(reinterpret_cast<const uint8_t *>(two_blocks), std::strlen(two_blocks)),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");

  EXPECT_EQ(sha256_hex(vga_8x8, sizeof vga_8x8),
            "0b679d3a8ed3917a950daa5f97af613dd8235741efe1c8989888a594ee8d60dc");
}

TEST(Font, SampleGlyphs) {
  auto glyph = [](int code) {
    std::array<uint8_t, 8> rows;
    std::memcpy(rows.data(), &vga_8x8[8 * code], 8);
    return rows;
  };
  using rows = std::array<uint8_t, 8>;
  EXPECT_EQ(glyph(0x01), (rows{0x7E, 0x81, 0xA5, 0x81, 0xBD, 0x99, 0x81, 0x7E}));
  EXPECT_EQ(glyph('0'), (rows{0x38, 0x6C, 0xC6, 0xD6, 0xC6, 0x6C, 0x38, 0x00}));
  EXPECT_EQ(glyph('A'), (rows{0x38, 0x6C, 0xC6, 0xFE, 0xC6, 0xC6, 0xC6, 0x00}));
  EXPECT_EQ(glyph('B'), (rows{0xFC, 0x66, 0x66, 0x7C, 0x66, 0x66, 0xFC, 0x00}));
  EXPECT_EQ(glyph('a'), (rows{0x00, 0x00, 0x78, 0x0C, 0x7C, 0xCC, 0x76, 0x00}));
  EXPECT_EQ(glyph(0xDB), (rows{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  // The three glyphs where the source font's code page differs.
  EXPECT_EQ(glyph(0x9B), (rows{0x18, 0x18, 0x7E, 0xC0, 0xC0, 0x7E, 0x18, 0x18}));
  EXPECT_EQ(glyph(0x9D), (rows{0x66, 0x66, 0x3C, 0x7E, 0x18, 0x7E, 0x18, 0x18}));
  EXPECT_EQ(glyph(0xAF), (rows{0x00, 0xCC, 0x66, 0x33, 0x66, 0xCC, 0x00, 0x00}));
  for (int blank : {0x00, 0x20, 0xFF}) EXPECT_EQ(glyph(blank), rows{}) << blank;
}

// A canvas over a heap block with a guard band: width 40, height 24, pitch 48,
// inside a block 48 wide and 32 rows tall. Bytes outside the canvas must
// keep the guard value.
class TextTest : public ::testing::Test {
protected:
  static constexpr int W = 40, H = 24, PITCH = 48, ROWS = 32;
  static constexpr uint8_t GUARD = 0xEE;
  void SetUp() override {
    block_.assign(PITCH * ROWS, GUARD);
    c_ = {nullptr, PITCH, W, H, block_.data()};
    clear(0);
  }
  void clear(uint8_t v) {
    for (int y = 0; y < H; y++) std::memset(&block_[y * PITCH], v, W);
  }
  uint8_t at(int x, int y) const { return block_[y * PITCH + x]; }
  bool guard_intact() const {
    for (int y = 0; y < ROWS; y++)
      for (int x = 0; x < PITCH; x++)
        if ((x >= W || y >= H) && at(x, y) != GUARD) return false;
    return true;
  }
  std::vector<uint8_t> snapshot() const { return block_; }

  std::vector<uint8_t> block_;
  canvas c_{};
};

TEST_F(TextTest, LetterAInkColumnsAndRowRamp) {
  fwritexy(&c_, 0, 0, "A", 24);
  EXPECT_EQ(at(3, 0), 24);
  EXPECT_EQ(at(4, 0), 24);
  EXPECT_EQ(at(5, 0), 24);
  EXPECT_EQ(at(2, 0), 0);
  EXPECT_EQ(at(6, 0), 0);
  for (int x = 1; x <= 7; x++) EXPECT_EQ(at(x, 3), 27) << x;
  EXPECT_EQ(at(8, 3), 0);
  for (int y = 0; y < 8; y++) EXPECT_EQ(at(0, y), 0) << y;
  for (int x = 0; x < 10; x++) EXPECT_EQ(at(x, 7), 0) << x;
  // Every ink pixel of row r holds 24 + r.
  for (int y = 0; y < 8; y++)
    for (int x = 0; x < 10; x++)
      if (at(x, y) != 0) {
        EXPECT_EQ(at(x, y), 24 + y) << x << "," << y;
      }
}

TEST_F(TextTest, EveryGlyphLandsInColumnsXPlus1ToXPlus8) {
  // Read each of the 256 glyphs back from the canvas and rebuild its rows.
  for (int code = 1; code < 256; code++) {
    clear(0);
    char text[2] = {static_cast<char>(code), 0};
    fwritexy(&c_, 10, 5, text, 1);
    for (int r = 0; r < 8; r++) {
      uint8_t rebuilt = 0;
      for (int col = 0; col < 8; col++)
        if (at(11 + col, 5 + r) != 0) rebuilt |= static_cast<uint8_t>(0x80 >> col);
      EXPECT_EQ(rebuilt, vga_8x8[8 * code + r]) << "code " << code << " row " << r;
      EXPECT_EQ(at(10, 5 + r), 0);
      EXPECT_EQ(at(19, 5 + r), 0);
    }
  }
  EXPECT_TRUE(guard_intact());
}

TEST_F(TextTest, ColourWrapsModulo256) {
  fwritexy(&c_, 0, 0, "\xDB", 250);
  const uint8_t expected[8] = {250, 251, 252, 253, 254, 255, 0, 1};
  for (int y = 0; y < 8; y++)
    for (int x = 1; x <= 8; x++) EXPECT_EQ(at(x, y), expected[y]) << x << "," << y;
  clear(77);
  fwritexy(&c_, 0, 0, "\xDB", 250 + 256 * 3); // only the low 8 bits count
  EXPECT_EQ(at(1, 0), 250);
  EXPECT_EQ(at(1, 6), 0);
  EXPECT_EQ(at(0, 0), 77);
}

TEST_F(TextTest, SpaceAdvancesWithoutInkAndEmptyTextsDrawNothing) {
  clear(5);
  auto before = snapshot();
  fwritexy(&c_, 3, 2, " ", 40);
  fwritexy(&c_, 3, 2, "", 40);
  fwritexy(&c_, 3, 2, nullptr, 40);
  EXPECT_EQ(snapshot(), before);

  fwritexy(&c_, 0, 0, "A B", 40);
  auto spaced = snapshot();
  clear(5);
  fwritexy(&c_, 0, 0, "A", 40);
  fwritexy(&c_, 16, 0, "B", 40);
  EXPECT_EQ(snapshot(), spaced);
}

TEST_F(TextTest, ClippedAtTheCanvasEdges) {
  // Right and bottom: a full block at (36, 20) keeps columns 37..39, rows 20..23.
  fwritexy(&c_, 36, 20, "\xDB\xDB", 100);
  int ink = 0;
  for (int y = 0; y < H; y++)
    for (int x = 0; x < W; x++)
      if (at(x, y) != 0) {
        ink++;
        EXPECT_TRUE(x >= 37 && y >= 20) << x << "," << y;
      }
  EXPECT_EQ(ink, 3 * 4);
  EXPECT_TRUE(guard_intact());

  // Left and top: at (-5, -6) the ink is columns 0..3 of rows 0..1, in the
  // colours of glyph rows 6 and 7.
  clear(0);
  fwritexy(&c_, -5, -6, "\xDB", 100);
  for (int y = 0; y < 4; y++)
    for (int x = 0; x < 6; x++) EXPECT_EQ(at(x, y), (x < 4 && y < 2) ? 106 + y : 0) << x << "," << y;

  // Wholly outside, in every direction, and far away.
  clear(0);
  auto before = snapshot();
  fwritexy(&c_, W, 0, "AB", 1);
  fwritexy(&c_, -8 * 3 - 1, 0, "\xDB\xDB\xDB", 1);
  fwritexy(&c_, 0, H, "AB", 1);
  fwritexy(&c_, 0, -8, "AB", 1);
  fwritexy(&c_, INT32_MAX - 4, INT32_MAX - 2, "\xDB\xDB", 1);
  fwritexy(&c_, INT32_MIN, INT32_MIN, "\xDB\xDB", 1);
  EXPECT_EQ(snapshot(), before);

  // A cell at -8 still has its last column, column 0, on the canvas.
  fwritexy(&c_, -8, 0, "\xDB", 1);
  for (int y = 0; y < H; y++)
    for (int x = 0; x < W; x++) EXPECT_EQ(at(x, y), (x == 0 && y < 8) ? 1 + y : 0) << x << "," << y;

  // A long line running off the right edge still draws its first cells.
  fwritexy(&c_, 0, 0, "\xDB\xDB\xDB\xDB\xDB\xDB\xDB\xDB\xDB\xDB", 1);
  for (int x = 1; x < W; x++) EXPECT_EQ(at(x, 0), 1) << x;
  EXPECT_TRUE(guard_intact());
}

TEST(TextRight, EndsAtTheGivenColumn) {
  canvas *c = canvas_new(320, 200);
  ASSERT_NE(c, nullptr);
  std::memset(c->pixels, 0, 320 * 200);
  fwritexy_right(c, 312, 50, "\xDB\xDB", 9);
  for (int x = 290; x < 320; x++) EXPECT_EQ(c->pixels[50 * 320 + x], (x >= 297 && x <= 312) ? 9 : 0) << x;

  // Same pixels as fwritexy with the first cell at 312 - 8n.
  std::vector<uint8_t> right(c->pixels, c->pixels + 320 * 200);
  std::memset(c->pixels, 0, 320 * 200);
  fwritexy(c, 296, 50, "\xDB\xDB", 9);
  EXPECT_TRUE(std::equal(right.begin(), right.end(), c->pixels));
  canvas_free(c);
}

} // namespace
