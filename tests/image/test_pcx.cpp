// The PCX loader: header fields, row coding, the colour table, and damage.
#include "image/anypic.h"
#include "image/pcx.h"
#include "image_test.h"
#include <cstring>
#include <gtest/gtest.h>

static bytes pcx_header(unsigned ymin, unsigned ymax, unsigned bpl) {
  bytes b = {10, 5, 1, 8};
  put_le16(b, 0);        // Xmin
  put_le16(b, ymin);     // 6
  put_le16(b, bpl - 1);  // Xmax, not used
  put_le16(b, ymax);     // 10
  put_le16(b, 72);
  put_le16(b, 72);
  put_fill(b, 48, 0);
  b.push_back(0);
  b.push_back(1);        // planes
  put_le16(b, bpl);      // 66
  while (b.size() < 128) b.push_back(0xEE);
  return b;
}

static bytes colour_table() {
  bytes b = {12};
  for (int i = 0; i < 768; i++) b.push_back(uint8_t(i * 5));
  return b;
}

struct loaded {
  canvas_ptr c;
  const char *err = nullptr;
};

static loaded load(const bytes &file, canvas *given = nullptr, uint8_t *pal = nullptr, uint8_t *hd = nullptr) {
  temp_dir dir;
  std::string name = put_file(dir, "p.pcx", file);
  loaded r;
  canvas *c = pcx_load(name.c_str(), hd, given, pal, &r.err);
  if (c != given) r.c.reset(c);
  return r;
}

TEST(Pcx, HeaderGivesTheCanvasSizeFromBytesPerLine) {
  bytes file = pcx_header(0, 199, 320);
  for (int i = 0; i < 200; i++) {
    put_fill(file, 5, 0x10);
    for (int k = 0; k < 5; k++) file.push_back(0xFF), file.push_back(0x33); // runs of 63
  }
  uint8_t hd[128];
  loaded r = load(file, nullptr, nullptr, hd);
  ASSERT_TRUE(r.c);
  EXPECT_EQ(r.c->width, 320);
  EXPECT_EQ(r.c->height, 200);
  EXPECT_EQ(pixel(r.c.get(), 4, 199), 0x10);
  EXPECT_EQ(pixel(r.c.get(), 5, 199), 0x33);
  EXPECT_EQ(pixel(r.c.get(), 319, 0), 0x33);
  EXPECT_EQ(std::memcmp(hd, file.data(), 128), 0);
  // Ymin 10, Ymax 12: three rows.
  r = load(pcx_header(10, 12, 2));
  ASSERT_TRUE(r.c);
  EXPECT_EQ(r.c->height, 3);
}

TEST(Pcx, RunAndLiteralBytes) {
  // 0xC5 7: five 7s; 0xC0 x: nothing, two bytes used; 0xBF: one 191.
  bytes file = pcx_header(0, 0, 7);
  put_bytes(file, {0xC5, 7, 0xC0, 0x99, 0xBF, 0x00});
  loaded r = load(file);
  ASSERT_TRUE(r.c);
  EXPECT_EQ(std::vector<uint8_t>(r.c->pixels, r.c->pixels + 7), (std::vector<uint8_t>{7, 7, 7, 7, 7, 191, 0}));
}

TEST(Pcx, RunPastTheRowEndCarriesIntoTheNext) {
  // bpl 4: row 0 is one run of 6; row 1 still decodes 4 of its own from
  // two bytes in, and the last row's overshoot is cut at the canvas end.
  bytes file = pcx_header(0, 2, 4);
  put_bytes(file, {0xC6, 1, 2, 3, 4, 5, 0xC7, 6});
  std::vector<uint8_t> mem(12 + 4, 0xEE);
  canvas given = canvas_over(mem, 4, 3, 4);
  loaded r = load(file, &given);
  EXPECT_EQ(r.err, nullptr);
  EXPECT_EQ(mem, (std::vector<uint8_t>{1, 1, 1, 1, 1, 1, 2, 3, 4, 5, 6, 6, 0xEE, 0xEE, 0xEE, 0xEE}));
}

TEST(Pcx, PaletteIsTheLast768BytesAndChangesNoPixel) {
  bytes file = pcx_header(0, 1, 2);
  put_bytes(file, {1, 2, 0xC2, 9});
  put_bytes(file, colour_table());
  uint8_t pal[768] = {};
  loaded a = load(file, nullptr, pal);
  loaded b = load(file);
  ASSERT_TRUE(a.c && b.c);
  EXPECT_EQ(std::memcmp(a.c->pixels, b.c->pixels, 4), 0);
  EXPECT_EQ(std::memcmp(pal, file.data() + file.size() - 768, 768), 0);
}

TEST(Pcx, WithoutPaletteTheEndOfTheFileIsNeverNeeded) {
  bytes full = pcx_header(0, 1, 3);
  put_bytes(full, {4, 0xC2, 5, 6, 7, 8});
  bytes with_table = full;
  put_bytes(with_table, colour_table());
  loaded a = load(full), b = load(with_table);
  ASSERT_TRUE(a.c && b.c);
  EXPECT_EQ(std::memcmp(a.c->pixels, b.c->pixels, 6), 0);
  EXPECT_EQ(pixel(a.c.get(), 2, 1), 8);
}

TEST(Pcx, ShortPcxStopsAtTheEndWithoutReusingTheLastByte) {
  // The file ends on a run byte with count 0: decoding stops. A new canvas
  // keeps colour 0 where nothing came.
  bytes file = pcx_header(0, 1, 4);
  put_bytes(file, {3, 0xC0});
  loaded r = load(file);
  ASSERT_TRUE(r.c);
  EXPECT_EQ(std::vector<uint8_t>(r.c->pixels, r.c->pixels + 8), (std::vector<uint8_t>{3, 0, 0, 0, 0, 0, 0, 0}));
  std::vector<uint8_t> mem(8, 0xEE);
  canvas given = canvas_over(mem, 4, 2, 4);
  load(file, &given);
  EXPECT_EQ(mem, (std::vector<uint8_t>{3, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}));
}

TEST(Pcx, ShortPaletteReadsOnFromWhereTheRowsStopped) {
  // A file under 768 bytes: the table read takes what follows the rows.
  bytes file = pcx_header(0, 0, 2);
  put_bytes(file, {1, 2, 0x50, 0x51, 0x52});
  uint8_t pal[768];
  std::memset(pal, 0xAB, sizeof pal);
  loaded r = load(file, nullptr, pal);
  ASSERT_TRUE(r.c);
  EXPECT_EQ(pal[0], 0x50);
  EXPECT_EQ(pal[2], 0x52);
  EXPECT_EQ(pal[3], 0xAB);
}

TEST(Pcx, PcxYmaxBelowYminGivesNoRows) {
  bytes file = pcx_header(5, 4, 4);
  put_bytes(file, {0xC4, 1});
  loaded r = load(file);
  EXPECT_EQ(r.c, nullptr);
  EXPECT_STREQ(r.err, "Picture has no size");
  std::vector<uint8_t> mem(16, 0xEE);
  canvas given = canvas_over(mem, 4, 4, 4);
  r = load(pcx_header(9, 3, 4), &given);
  EXPECT_EQ(r.err, nullptr);
  EXPECT_EQ(std::count(mem.begin(), mem.end(), 0xEE), 16);
}

TEST(Pcx, PcxHugeHeaderFailsCleanly) {
  loaded r = load(pcx_header(0, 65534, 65535));
  EXPECT_EQ(r.c, nullptr);
  EXPECT_STREQ(r.err, "Picture too large");
  r = load(pcx_header(0, 10, 0));
  EXPECT_STREQ(r.err, "Picture has no size");
  // Given a small canvas, the same header only ever fills that canvas.
  bytes file = pcx_header(0, 65534, 65535);
  for (int i = 0; i < 100; i++) file.push_back(0xFF), file.push_back(0x44);
  std::vector<uint8_t> mem(64 + 8, 0xEE);
  canvas given = canvas_over(mem, 8, 8, 8);
  r = load(file, &given);
  EXPECT_EQ(r.err, nullptr);
  EXPECT_EQ(std::count(mem.begin(), mem.begin() + 64, 0x44), 64);
  EXPECT_EQ(std::count(mem.begin() + 64, mem.end(), 0xEE), 8);
}

TEST(Pcx, GivenCanvasRowsIgnorePitchButStayInsideTheBlock) {
  // Pitch 6, width 4, 2 rows: the block ends at 6 + 4 = 10 bytes.
  bytes file = pcx_header(0, 2, 4);
  put_bytes(file, {0xCC, 3});
  std::vector<uint8_t> mem(12, 0xEE);
  canvas given = canvas_over(mem, 4, 2, 6);
  load(file, &given);
  EXPECT_EQ(std::count(mem.begin(), mem.begin() + 10, 3), 10);
  EXPECT_EQ(mem[10], 0xEE);
}

TEST(Pcx, HeaderProblems) {
  bytes file = pcx_header(0, 0, 1);
  file.resize(127);
  EXPECT_STREQ(load(file).err, "Could not read header");
  const char *err = nullptr;
  EXPECT_EQ(pcx_load("/nonexistent/x.pcx", nullptr, nullptr, nullptr, &err), nullptr);
  EXPECT_STREQ(err, "Unable to open file");
}
