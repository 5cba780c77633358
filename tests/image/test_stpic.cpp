// The Atari ST loaders: PI1, PC1 and NEO, whole and damaged.
#include "image/anypic.h"
#include "image/stpic.h"
#include "image_test.h"
#include <cstring>
#include <gtest/gtest.h>

// The 320x200 test pictures: one busy, one of mostly wide bands (which
// PackBits can shrink enough to fit a PC1's 32000 bytes).
static uint8_t test_pixel(int x, int y) { return uint8_t((x / 3 + y) & 15); }
static uint8_t band_pixel(int x, int y) { return uint8_t(x < 16 ? (x + y) & 15 : (x / 32 + y / 8) & 15); }

// Packs pixels into ST planes: interleaved (four words per 16 pixels) or
// line by line (each plane's 40 bytes in turn), big-endian words.
static bytes st_planes(bool interleaved, uint8_t (*pix)(int, int) = test_pixel) {
  bytes out(32000, 0);
  for (int y = 0; y < 200; y++)
    for (int x = 0; x < 320; x++) {
      int v = pix(x, y), g = x / 16, bit = 15 - x % 16;
      for (int p = 0; p < 4; p++) {
        if (!((v >> p) & 1)) continue;
        size_t word = interleaved ? size_t(y) * 160 + g * 8 + p * 2 : size_t(y) * 160 + p * 40 + g * 2;
        out[word + (bit >= 8 ? 0 : 1)] |= uint8_t(1 << (bit & 7));
      }
    }
  return out;
}

static bytes st_colour_words() {
  bytes b;
  for (int i = 0; i < 16; i++) put_be16(b, unsigned(((i & 7) << 8) | ((i >> 1) << 4) | (7 - (i & 7))));
  return b;
}

static void expect_test_picture(const canvas *c, uint8_t (*pix)(int, int) = test_pixel) {
  ASSERT_NE(c, nullptr);
  ASSERT_EQ(c->width, 320);
  ASSERT_EQ(c->height, 200);
  int wrong = 0;
  for (int y = 0; y < 200; y++)
    for (int x = 0; x < 320; x++) wrong += pixel(c, x, y) != pix(x, y);
  EXPECT_EQ(wrong, 0);
}

static void expect_st_palette(const uint8_t *pal) {
  static const uint8_t level[8] = {0, 36, 73, 109, 146, 182, 219, 255};
  for (int i = 0; i < 16; i++) {
    EXPECT_EQ(pal[3 * i], level[i & 7]) << i;
    EXPECT_EQ(pal[3 * i + 1], level[i >> 1]) << i;
    EXPECT_EQ(pal[3 * i + 2], level[7 - (i & 7)]) << i;
  }
}

static bytes pi1_file(unsigned resolution = 0) {
  bytes b;
  put_be16(b, resolution);
  put_bytes(b, st_colour_words());
  put_bytes(b, st_planes(true));
  return b;
}

TEST(Pi1, LoadsPixelsAndPaletteAndLeavesOtherEntries) {
  temp_dir dir;
  std::string name = put_file(dir, "t.pi1", pi1_file());
  uint8_t pal[768];
  std::memset(pal, 0xCC, sizeof pal);
  const char *err = nullptr;
  canvas_ptr c(pi1_load(name.c_str(), nullptr, pal, &err));
  expect_test_picture(c.get());
  expect_st_palette(pal);
  EXPECT_EQ(std::count(pal + 48, pal + 768, 0xCC), 720);
  EXPECT_EQ(err, nullptr);
}

TEST(Pi1, WithoutPaletteGivesTheSamePixels) {
  temp_dir dir;
  // A medium-resolution word changes nothing either.
  std::string name = put_file(dir, "t.pi1", pi1_file(1));
  uint8_t pal[768] = {};
  canvas_ptr a(pi1_load(name.c_str(), nullptr, pal, nullptr));
  canvas_ptr b(pi1_load(name.c_str(), nullptr, nullptr, nullptr));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(std::memcmp(a->pixels, b->pixels, 64000), 0);
  expect_test_picture(b.get());
}

TEST(Pi1, IntoTheVirtualScreenFillsExactly64000Bytes) {
  temp_dir dir;
  std::string name = put_file(dir, "t.pi1", pi1_file());
  std::vector<uint8_t> screen(64000 + 64, 0xEE);
  canvas saved = vscrn_canvas;
  vscrn_canvas.pixels = screen.data();
  canvas *got = pi1_load(name.c_str(), &vscrn_canvas, nullptr, nullptr);
  vscrn_canvas = saved;
  EXPECT_EQ(got, &vscrn_canvas);
  canvas view = canvas_over(screen, 320, 200, 320);
  expect_test_picture(&view);
  EXPECT_EQ(std::count(screen.begin() + 64000, screen.end(), 0xEE), 64);
}

TEST(Pi1, MissingFileLeavesCanvasAndPalette) {
  temp_dir dir;
  std::vector<uint8_t> mem(64000, 0x42);
  canvas given = canvas_over(mem, 320, 200, 320);
  uint8_t pal[768];
  std::memset(pal, 0x11, sizeof pal);
  const char *err = nullptr;
  EXPECT_EQ(pi1_load(dir.file("none.pi1").c_str(), &given, pal, &err), nullptr);
  EXPECT_STREQ(err, "Unable to open file");
  EXPECT_EQ(std::count(mem.begin(), mem.end(), 0x42), 64000);
  EXPECT_EQ(std::count(pal, pal + 768, 0x11), 768);
  EXPECT_EQ(pi1_load(dir.file("none.pi1").c_str(), nullptr, nullptr, nullptr), nullptr); // no message pointer
}

TEST(Pi1, ShortPi1DecodesZero) {
  // Header, then 100 bytes of all-ones planes: 12 whole groups of colour 15,
  // half of the 13th (planes 0 and 1: colour 3), then nothing.
  temp_dir dir;
  bytes b;
  put_be16(b, 0);
  put_bytes(b, st_colour_words());
  put_fill(b, 100, 0xFF);
  std::string name = put_file(dir, "short.pi1", b);
  std::vector<uint8_t> mem(64000, 0xAA);
  canvas given = canvas_over(mem, 320, 200, 320);
  EXPECT_EQ(pi1_load(name.c_str(), &given, nullptr, nullptr), &given);
  EXPECT_EQ(std::count(mem.begin(), mem.begin() + 192, 15), 192);
  EXPECT_EQ(std::count(mem.begin() + 192, mem.begin() + 208, 3), 16);
  EXPECT_EQ(std::count(mem.begin() + 208, mem.end(), 0), 64000 - 208);

  // A file that stops inside the colour words: the missing ones are black.
  bytes tiny = {0, 0, 0x07, 0x77, 0x07};
  name = put_file(dir, "tiny.pi1", tiny);
  uint8_t pal[768];
  std::memset(pal, 0x11, sizeof pal);
  canvas_ptr c(pi1_load(name.c_str(), nullptr, pal, nullptr));
  ASSERT_TRUE(c);
  EXPECT_EQ(pal[0], 255); // 0x0777
  EXPECT_EQ(pal[3], 255); // 0x07 and a missing byte: 0x0700, red
  EXPECT_EQ(pal[4], 0);
  EXPECT_EQ(std::count(pal + 6, pal + 48, 0), 42);
  EXPECT_EQ(pal[48], 0x11);
  EXPECT_EQ(std::count(c->pixels, c->pixels + 64000, 0), 64000);
}

// --- PC1 ---

// PackBits packets of the line-by-line planes, four bytes at a time: a run
// packet (253, v) when the four are equal, else a literal (3, four bytes).
static bytes pc1_packets(const bytes &planes) {
  bytes out;
  for (size_t i = 0; i < planes.size(); i += 4) {
    if (planes[i] == planes[i + 1] && planes[i] == planes[i + 2] && planes[i] == planes[i + 3]) {
      out.push_back(253);
      out.push_back(planes[i]);
    } else {
      out.push_back(3);
      out.insert(out.end(), planes.begin() + long(i), planes.begin() + long(i) + 4);
    }
  }
  return out;
}

static bytes pc1_file(const bytes &packets) {
  bytes b;
  put_be16(b, 0x8000);
  put_bytes(b, st_colour_words());
  put_bytes(b, packets);
  return b;
}

TEST(Pc1, LoadsLineByLinePlanesAndPalette) {
  temp_dir dir;
  bytes packets = pc1_packets(st_planes(false, band_pixel));
  ASSERT_LT(packets.size(), 32000u);
  bytes b = pc1_file(packets);
  put_fill(b, 32, 0x5A); // colour-cycling tables, not read
  std::string name = put_file(dir, "t.pc1", b);
  uint8_t pal[768] = {};
  canvas_ptr c(pc1_load(name.c_str(), nullptr, pal, nullptr));
  expect_test_picture(c.get(), band_pixel);
  expect_st_palette(pal);
  canvas_ptr d(pc1_load(name.c_str(), nullptr, nullptr, nullptr));
  ASSERT_TRUE(d);
  EXPECT_EQ(std::memcmp(c->pixels, d->pixels, 64000), 0);
}

TEST(Pc1, RunCarriesAcrossAPlaneBoundary) {
  // A run of 42 0xFF fills plane 0 of line 0 and the first word of plane 1.
  temp_dir dir;
  std::string name = put_file(dir, "run.pc1", pc1_file({257 - 42, 0xFF}));
  canvas_ptr c(pc1_load(name.c_str(), nullptr, nullptr, nullptr));
  ASSERT_TRUE(c);
  EXPECT_EQ(std::count(c->pixels, c->pixels + 16, 3), 16);
  EXPECT_EQ(std::count(c->pixels + 16, c->pixels + 320, 1), 304);
  EXPECT_EQ(std::count(c->pixels + 320, c->pixels + 64000, 0), 64000 - 320);
}

TEST(Pc1, Header128IsARunOf129) {
  // 129 bytes: line 0's four planes (160) are not all covered: planes 0..2
  // full (120 bytes) and 9 bytes of plane 3, i.e. pixels 0..71 are 15.
  temp_dir dir;
  std::string name = put_file(dir, "r.pc1", pc1_file({128, 0xFF}));
  canvas_ptr c(pc1_load(name.c_str(), nullptr, nullptr, nullptr));
  ASSERT_TRUE(c);
  EXPECT_EQ(std::count(c->pixels, c->pixels + 72, 15), 72);
  EXPECT_EQ(std::count(c->pixels + 72, c->pixels + 320, 7), 248);
}

TEST(Pc1, ShortPc1DecodesZero) {
  // Packets that stop early and a literal cut by the end of the file.
  temp_dir dir;
  std::string name = put_file(dir, "short.pc1", pc1_file({1, 0xFF, 0xFF, 100, 0xFF}));
  std::vector<uint8_t> mem(64000, 0xAA);
  canvas given = canvas_over(mem, 320, 200, 320);
  EXPECT_EQ(pc1_load(name.c_str(), &given, nullptr, nullptr), &given);
  EXPECT_EQ(std::count(mem.begin(), mem.begin() + 24, 1), 24);
  EXPECT_EQ(std::count(mem.begin() + 24, mem.end(), 0), 64000 - 24);
  // Only the header, or less.
  name = put_file(dir, "hdr.pc1", bytes{0x80, 0});
  uint8_t pal[768];
  std::memset(pal, 9, sizeof pal);
  EXPECT_EQ(pc1_load(name.c_str(), &given, pal, nullptr), &given);
  EXPECT_EQ(std::count(mem.begin(), mem.end(), 0), 64000);
  EXPECT_EQ(std::count(pal, pal + 48, 0), 48);
  EXPECT_EQ(pal[48], 9);
}

TEST(Pc1, ReadsAtMost32000BytesOfPackets) {
  // 16000 one-byte literals use up the 32000 bytes read; the run after them
  // is not part of the picture.
  bytes packets;
  for (int i = 0; i < 16000; i++) {
    packets.push_back(0);
    packets.push_back(0);
  }
  packets.push_back(129);
  packets.push_back(0xFF);
  temp_dir dir;
  std::string name = put_file(dir, "long.pc1", pc1_file(packets));
  canvas_ptr c(pc1_load(name.c_str(), nullptr, nullptr, nullptr));
  ASSERT_TRUE(c);
  EXPECT_EQ(std::count(c->pixels, c->pixels + 64000, 0), 64000);
}

// --- NEO ---

static bytes neo_file() {
  bytes b;
  put_be16(b, 0);
  put_be16(b, 0);
  put_bytes(b, st_colour_words());
  while (b.size() < 128) b.push_back(uint8_t(b.size()));
  put_bytes(b, st_planes(true));
  put_fill(b, 50, 0x33); // trailing bytes are not read
  return b;
}

TEST(Neo, LoadsAndLeavesTheFirst32128BytesInTheRawBuffer) {
  temp_dir dir;
  bytes file = neo_file();
  std::string name = put_file(dir, "t.neo", file);
  std::vector<uint8_t> raw(32128 + 16, 0xEE);
  uint8_t pal[768] = {};
  canvas_ptr c(neo_load(name.c_str(), raw.data(), nullptr, pal, nullptr));
  expect_test_picture(c.get());
  expect_st_palette(pal);
  EXPECT_TRUE(std::equal(raw.begin(), raw.begin() + 32128, file.begin()));
  EXPECT_EQ(raw[32128], 0xEE);
  canvas_ptr d(neo_load(name.c_str(), nullptr, nullptr, nullptr, nullptr));
  expect_test_picture(d.get());
}

TEST(Neo, ShortNeoDecodesZero) {
  temp_dir dir;
  bytes file = neo_file();
  file.resize(128 + 8); // one group of planes
  std::string name = put_file(dir, "s.neo", file);
  std::vector<uint8_t> raw(32128, 0xEE);
  std::vector<uint8_t> mem(64000, 0xAA);
  canvas given = canvas_over(mem, 320, 200, 320);
  EXPECT_EQ(neo_load(name.c_str(), raw.data(), &given, nullptr, nullptr), &given);
  for (int x = 0; x < 16; x++) EXPECT_EQ(mem[x], test_pixel(x, 0));
  EXPECT_EQ(std::count(mem.begin() + 16, mem.end(), 0), 64000 - 16);
  EXPECT_EQ(std::count(raw.begin() + 136, raw.end(), 0), 32128 - 136);
  const char *err = nullptr;
  EXPECT_EQ(neo_load(dir.file("no.neo").c_str(), raw.data(), nullptr, nullptr, &err), nullptr);
  EXPECT_STREQ(err, "Unable to open file");
}
