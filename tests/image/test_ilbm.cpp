// The IFF PBM loader: the chunk walk, both body codings, and damaged files.
#include "image/anypic.h"
#include "image/ilbm.h"
#include "image_test.h"
#include <cstring>
#include <gtest/gtest.h>

static bytes chunk(const char *id, const bytes &data) {
  bytes b;
  put_text(b, id);
  put_be32(b, uint32_t(data.size()));
  put_bytes(b, data);
  if (data.size() & 1) b.push_back(0xA5); // pad
  return b;
}

static bytes form(const char *type, std::initializer_list<bytes> chunks) {
  bytes body;
  put_text(body, type);
  for (const bytes &c : chunks) put_bytes(body, c);
  bytes b;
  put_text(b, "FORM");
  put_be32(b, uint32_t(body.size()));
  put_bytes(b, body);
  return b;
}

static bytes bmhd(unsigned w, unsigned h, uint8_t compression) {
  bytes b;
  put_be16(b, w);
  put_be16(b, h);
  put_be16(b, 0);
  put_be16(b, 0);
  b.push_back(8);           // planes
  b.push_back(0);           // masking
  b.push_back(compression); // offset 10
  b.push_back(0);           // pad
  put_be16(b, 0);           // transparent colour
  b.push_back(5);
  b.push_back(6);
  put_be16(b, w);
  put_be16(b, h);
  return b;
}

// Row-major pixels (x * 7 + y * 3) & 255.
static bytes raw_pixels(unsigned w, unsigned h) {
  bytes b;
  for (unsigned y = 0; y < h; y++)
    for (unsigned x = 0; x < w; x++) b.push_back(uint8_t(x * 7 + y * 3));
  return b;
}

// Each row as literal packets of up to 128 bytes.
static bytes packed_rows(const bytes &pix, unsigned w) {
  bytes out;
  for (size_t row = 0; row < pix.size(); row += w)
    for (unsigned x = 0; x < w; x += 128) {
      unsigned n = std::min(128u, w - x);
      out.push_back(uint8_t(n - 1));
      out.insert(out.end(), pix.begin() + long(row + x), pix.begin() + long(row + x + n));
    }
  return out;
}

static bytes colours(unsigned n) {
  bytes b;
  for (unsigned i = 0; i < 3 * n; i++) b.push_back(uint8_t(255 - i));
  return b;
}

struct loaded {
  canvas_ptr c;
  const char *err = nullptr;
};

static loaded load(const bytes &file, canvas *given = nullptr, uint8_t *pal = nullptr, uint8_t *hd = nullptr) {
  temp_dir dir;
  std::string name = put_file(dir, "p.lbm", file);
  loaded r;
  canvas *c = ilbm_load(name.c_str(), hd, given, pal, &r.err);
  if (c != given) r.c.reset(c);
  return r;
}

TEST(Ilbm, RefusesWhatIsNotAPbmForm) {
  EXPECT_STREQ(load(form("ILBM", {chunk("BMHD", bmhd(4, 4, 0))})).err, "No ILBM PBM data");
  EXPECT_STREQ(load(form("PBM", {})).err, "No ILBM PBM data"); // "PBM" then end of file
  bytes notform = form("PBM ", {});
  notform[0] = 'f';
  EXPECT_STREQ(load(notform).err, "No FORM header");
  EXPECT_STREQ(load(bytes{'F', 'O', 'R', 'M', 0, 0, 0}).err, "Could not read header");
  const char *err = nullptr;
  EXPECT_EQ(ilbm_load("/nonexistent/x.lbm", nullptr, nullptr, nullptr, &err), nullptr);
  EXPECT_STREQ(err, "Unable to open file");
}

TEST(Ilbm, UncompressedBodyAndCmapAreTakenAsTheyAre) {
  bytes pix = raw_pixels(320, 200), cmap = colours(256);
  uint8_t pal[768] = {};
  uint8_t hd[20] = {};
  loaded r = load(form("PBM ", {chunk("BMHD", bmhd(320, 200, 0)), chunk("CMAP", cmap), chunk("BODY", pix)}),
                  nullptr, pal, hd);
  ASSERT_TRUE(r.c);
  EXPECT_EQ(r.c->width, 320);
  EXPECT_EQ(r.c->height, 200);
  EXPECT_EQ(std::memcmp(r.c->pixels, pix.data(), pix.size()), 0);
  EXPECT_EQ(std::memcmp(pal, cmap.data(), 768), 0);
  bytes want_hd = bmhd(320, 200, 0);
  EXPECT_EQ(std::memcmp(hd, want_hd.data(), 20), 0);
  EXPECT_EQ(r.err, nullptr);
}

TEST(Ilbm, CompressedBodyDecodesRowByRow) {
  // Rows continue in the packed data where the previous one stopped; a run
  // may end a row exactly.
  bytes pix = raw_pixels(150, 3);
  bytes packed = packed_rows(pix, 150);
  std::fill(pix.begin() + 150, pix.begin() + 300, 9);
  bytes row1 = {257 - 128, 9, 235, 9}; // 128 + 22 nines
  bytes body(packed.begin(), packed.begin() + 152);
  put_bytes(body, row1);
  body.insert(body.end(), packed.begin() + 304, packed.end());
  loaded r = load(form("PBM ", {chunk("BMHD", bmhd(150, 3, 1)), chunk("BODY", body)}));
  ASSERT_TRUE(r.c);
  EXPECT_EQ(std::memcmp(r.c->pixels, pix.data(), pix.size()), 0);
}

TEST(Ilbm, SixteenColourCmapFillsOnlySixteenEntries) {
  uint8_t pal[768];
  std::memset(pal, 0x3C, sizeof pal);
  loaded r = load(form("PBM ", {chunk("BMHD", bmhd(2, 2, 0)), chunk("CMAP", colours(16)), chunk("BODY", {1, 2, 3, 4})}),
                  nullptr, pal);
  ASSERT_TRUE(r.c);
  bytes want = colours(16);
  EXPECT_EQ(std::memcmp(pal, want.data(), 48), 0);
  EXPECT_EQ(std::count(pal + 48, pal + 768, 0x3C), 720);
}

TEST(Ilbm, OddLengthUnknownChunkIsSkippedWithItsPad) {
  loaded r = load(form("PBM ", {chunk("BMHD", bmhd(2, 1, 0)), chunk("ANNO", {1, 2, 3, 4, 5}), chunk("BODY", {7, 8})}));
  ASSERT_TRUE(r.c);
  EXPECT_EQ(pixel(r.c.get(), 0, 0), 7);
  EXPECT_EQ(pixel(r.c.get(), 1, 0), 8);
}

TEST(Ilbm, NoBodyIsEmptyUnlessACanvasWasGiven) {
  bytes file = form("PBM ", {chunk("BMHD", bmhd(2, 2, 0)), chunk("CMAP", colours(2))});
  loaded r = load(file);
  EXPECT_EQ(r.c, nullptr);
  EXPECT_STREQ(r.err, "body is empty");
  std::vector<uint8_t> mem(4, 0x21);
  canvas given = canvas_over(mem, 2, 2, 2);
  r = load(file, &given);
  EXPECT_EQ(r.err, nullptr);
  EXPECT_EQ(std::count(mem.begin(), mem.end(), 0x21), 4);
}

TEST(Ilbm, CompressionTwoIsReadAsUncompressed) {
  loaded r = load(form("PBM ", {chunk("BMHD", bmhd(3, 1, 2)), chunk("BODY", {0x80, 0x41, 0x42})}));
  ASSERT_TRUE(r.c);
  EXPECT_EQ(pixel(r.c.get(), 0, 0), 0x80);
  EXPECT_EQ(pixel(r.c.get(), 2, 0), 0x42);
}

TEST(Ilbm, WiderPictureIntoA320Canvas) {
  // Packed: the screen is left as it was. Uncompressed: its left 320 columns.
  bytes pix = raw_pixels(400, 200);
  std::vector<uint8_t> screen(64000, 0x66);
  canvas given = canvas_over(screen, 320, 200, 320);
  load(form("PBM ", {chunk("BMHD", bmhd(400, 200, 1)), chunk("BODY", packed_rows(pix, 400))}), &given);
  EXPECT_EQ(std::count(screen.begin(), screen.end(), 0x66), 64000);
  loaded r = load(form("PBM ", {chunk("BMHD", bmhd(400, 200, 0)), chunk("BODY", pix)}), &given);
  EXPECT_EQ(r.err, nullptr);
  int wrong = 0;
  for (int y = 0; y < 200; y++)
    for (int x = 0; x < 320; x++) wrong += screen[size_t(y) * 320 + x] != pix[size_t(y) * 400 + x];
  EXPECT_EQ(wrong, 0);
}

TEST(Ilbm, NarrowerPictureHonoursPitchAndWidth) {
  // 3x2 into a 5-wide canvas with pitch 8: only columns 0..2 of each row.
  bytes pix = {1, 2, 3, 4, 5, 6};
  for (uint8_t comp : {0, 1}) {
    std::vector<uint8_t> mem(16, 0xEE);
    canvas given = canvas_over(mem, 5, 2, 8);
    load(form("PBM ", {chunk("BMHD", bmhd(3, 2, comp)), chunk("BODY", comp ? packed_rows(pix, 3) : pix)}), &given);
    EXPECT_EQ(mem, (std::vector<uint8_t>{1, 2, 3, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 4, 5, 6, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}))
        << int(comp);
  }
}

TEST(Ilbm, OvershootingRunIsCutAtTheRowEnd) {
  // A 4-wide row coded as a run of 6 into a 6-wide canvas: columns 4, 5 stay.
  std::vector<uint8_t> mem(12, 0xEE);
  canvas given = canvas_over(mem, 6, 2, 6);
  load(form("PBM ", {chunk("BMHD", bmhd(4, 2, 1)), chunk("BODY", {251, 3, 251, 4})}), &given);
  EXPECT_EQ(mem, (std::vector<uint8_t>{3, 3, 3, 3, 0xEE, 0xEE, 4, 4, 4, 4, 0xEE, 0xEE}));
}

TEST(Ilbm, BodyBeforeBmhdIsSkipped) {
  bytes early = form("PBM ", {chunk("BODY", {9, 9, 9}), chunk("BMHD", bmhd(2, 1, 0)), chunk("BODY", {5, 6})});
  loaded r = load(early);
  ASSERT_TRUE(r.c);
  EXPECT_EQ(r.c->width, 2);
  EXPECT_EQ(pixel(r.c.get(), 0, 0), 5);
  EXPECT_EQ(pixel(r.c.get(), 1, 0), 6);
  r = load(form("PBM ", {chunk("BODY", {9, 9, 9, 9})}));
  EXPECT_EQ(r.c, nullptr);
  EXPECT_STREQ(r.err, "body is empty");
}

TEST(Ilbm, CmapOver768FillsThePaletteAndSkipsTheRest) {
  bytes big = colours(300); // 900 bytes
  uint8_t pal[768 + 8];
  std::memset(pal, 0x77, sizeof pal);
  loaded r = load(form("PBM ", {chunk("CMAP", big), chunk("BMHD", bmhd(1, 1, 0)), chunk("BODY", {42})}), nullptr, pal);
  ASSERT_TRUE(r.c);
  EXPECT_EQ(pixel(r.c.get(), 0, 0), 42);
  EXPECT_EQ(std::memcmp(pal, big.data(), 768), 0);
  EXPECT_EQ(pal[768], 0x77);
}

TEST(Ilbm, BmhdLongerThan20KeepsTheWalkInStep) {
  bytes hd = bmhd(2, 1, 0);
  put_fill(hd, 5, 0xEE); // 25 bytes: the rest and its pad are skipped
  uint8_t got[20];
  loaded r = load(form("PBM ", {chunk("BMHD", hd), chunk("BODY", {3, 4})}), nullptr, nullptr, got);
  ASSERT_TRUE(r.c);
  EXPECT_EQ(pixel(r.c.get(), 1, 0), 4);
  EXPECT_EQ(std::memcmp(got, hd.data(), 20), 0);
}

TEST(Ilbm, GivenCanvasWithFewerRowsIsNotWrittenPastItsEnd) {
  bytes pix = raw_pixels(4, 6);
  for (uint8_t comp : {0, 1}) {
    std::vector<uint8_t> mem(4 * 2 + 8, 0xEE);
    canvas given = canvas_over(mem, 4, 2, 4);
    loaded r = load(form("PBM ", {chunk("BMHD", bmhd(4, 6, comp)), chunk("BODY", comp ? packed_rows(pix, 4) : pix),
                                  chunk("ANNO", {})}),
                    &given);
    EXPECT_EQ(r.err, nullptr);
    EXPECT_TRUE(std::equal(mem.begin(), mem.begin() + 8, pix.begin())) << int(comp);
    EXPECT_EQ(std::count(mem.begin() + 8, mem.end(), 0xEE), 8) << int(comp);
  }
}

TEST(Ilbm, CompressedBodyThatEndsEarlyStops) {
  // Two of four rows present: a new canvas keeps colour 0 below, a given one
  // keeps its own pixels.
  bytes pix = raw_pixels(4, 4);
  bytes packed = packed_rows(pix, 4);
  packed.resize(5 * 2 + 2); // and a cut literal: one byte of row 2
  bytes file = form("PBM ", {chunk("BMHD", bmhd(4, 4, 1)), chunk("BODY", packed)});
  loaded r = load(file);
  ASSERT_TRUE(r.c);
  EXPECT_TRUE(std::equal(r.c->pixels, r.c->pixels + 9, pix.begin()));
  EXPECT_EQ(std::count(r.c->pixels + 9, r.c->pixels + 16, 0), 7);
  std::vector<uint8_t> mem(16, 0xEE);
  canvas given = canvas_over(mem, 4, 4, 4);
  load(file, &given);
  EXPECT_TRUE(std::equal(mem.begin(), mem.begin() + 9, pix.begin()));
  EXPECT_EQ(std::count(mem.begin() + 9, mem.end(), 0xEE), 7);
  // A chunk length beyond the file's end: the bytes present are used.
  bytes cut = form("PBM ", {chunk("BMHD", bmhd(4, 4, 1))});
  put_text(cut, "BODY");
  put_be32(cut, 0xFFFFFFF0u);
  put_bytes(cut, bytes(packed.begin(), packed.begin() + 5));
  r = load(cut);
  ASSERT_TRUE(r.c);
  EXPECT_TRUE(std::equal(r.c->pixels, r.c->pixels + 4, pix.begin()));
  EXPECT_EQ(std::count(r.c->pixels + 4, r.c->pixels + 16, 0), 12);
}

TEST(Ilbm, UncompressedBodyThatEndsEarlyLeavesZeros) {
  bytes file = form("PBM ", {chunk("BMHD", bmhd(4, 4, 0))});
  put_text(file, "BODY");
  put_be32(file, 16);
  put_bytes(file, {1, 2, 3, 4, 5});
  loaded r = load(file);
  ASSERT_TRUE(r.c);
  EXPECT_EQ(pixel(r.c.get(), 0, 1), 5);
  EXPECT_EQ(std::count(r.c->pixels + 5, r.c->pixels + 16, 0), 11);
}

TEST(Ilbm, IlbmHugeOrEmptyHeaderFailsCleanly) {
  loaded r = load(form("PBM ", {chunk("BMHD", bmhd(65535, 65535, 1)), chunk("BODY", {0, 1})}));
  EXPECT_EQ(r.c, nullptr);
  EXPECT_STREQ(r.err, "Picture too large");
  r = load(form("PBM ", {chunk("BMHD", bmhd(0, 200, 0)), chunk("BODY", {})}));
  EXPECT_EQ(r.c, nullptr);
  EXPECT_STREQ(r.err, "Picture has no size");
  r = load(form("PBM ", {chunk("BMHD", bmhd(320, 0, 1)), chunk("BODY", {})}));
  EXPECT_STREQ(r.err, "Picture has no size");
  // The limit itself is fine: 4096 x 4096 of packed colour 0 runs.
  bytes body;
  for (int i = 0; i < 4096 * 32; i++) {
    body.push_back(129);
    body.push_back(0);
  }
  r = load(form("PBM ", {chunk("BMHD", bmhd(4096, 4096, 1)), chunk("BODY", body)}));
  ASSERT_TRUE(r.c);
  EXPECT_EQ(r.c->width, 4096);
}

TEST(Ilbm, LaterBodyReusesTheCanvas) {
  loaded r = load(form("PBM ", {chunk("BMHD", bmhd(2, 2, 0)), chunk("BODY", {1, 2, 3, 4}), chunk("BODY", {5, 6})}));
  ASSERT_TRUE(r.c);
  EXPECT_EQ(r.c->width, 2);
  // The second body's two rows: 5 6, then the file's end.
  EXPECT_EQ(pixel(r.c.get(), 0, 0), 5);
  EXPECT_EQ(pixel(r.c.get(), 1, 0), 6);
  EXPECT_EQ(pixel(r.c.get(), 0, 1), 3);
}
