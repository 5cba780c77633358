// The Atari ST loaders, PI1, PC1 and NEO, whole and damaged: their colours and planes.
#include "image/stpic.h"
#include "image_test.h"
#include <gtest/gtest.h>

// Detail in the first 16 columns, wide bands after (so that PC1 packs it small): the pixels, and
// their planes interleaved (four words per 16 pixels) or line by line (each plane's 40 bytes).
static uint8_t st_pixel(int i) {
  return uint8_t((i % 320 < 16 ? i + i / 320 : i % 320 / 32 + i / 2560) & 15);
}
static bytes st_planes(bool interleaved) {
  bytes out(32000, 0);
  for (int i = 0; i < 64000; i++)
    for (int p = 0; p < 4; p++) {
      const int x = i % 320, word = interleaved ? x / 16 * 8 + p * 2 : p * 40 + x / 16 * 2;
      if (st_pixel(i) >> p & 1) out[size_t(i / 320 * 160 + word + x % 16 / 8)] |= 0x80 >> x % 8;
    }
  return out;
}

// A resolution word and 16 colour words; entry i has levels i & 7, i >> 1, 7 - (i & 7), and bit 3
// of every nibble set (it is ignored).
static bytes st_head(unsigned resolution, bytes *rgb = nullptr) {
  static const uint8_t level[8] = {0, 36, 73, 109, 146, 182, 219, 255};
  bytes b = be16(resolution);
  for (unsigned i = 0; i < 16; i++) {
    b = cat({b, be16((i & 7) << 8 | (i >> 1) << 4 | (7 - (i & 7)) | 0x888)});
    if (rgb) *rgb = cat({*rgb, {level[i & 7], level[i >> 1], level[7 - (i & 7)]}});
  }
  return b;
}

TEST(StPic, WholeShortAndOddFilesIntoTheScreen) {
  // The screen gets the first pixels, then zeros to 64000 bytes; palette entries 0..15 only.
  bytes rgb, pc1 = st_head(0x8000, &rgb), pi1 = st_head(0), planes = st_planes(false), packed, all;
  for (int i = 0; i < 64000; i++) all.push_back(st_pixel(i));
  // Literals of 128 bytes: 32250 bytes of packets, more than a busy picture once got read.
  for (auto q = planes.begin(); q != planes.end(); q += 128)
    packed = cat({packed, {127}, bytes(q, q + 128)});
  const struct {
    const char *fault;
    bytes file, first, pal;
  } cases[] = {
      {"whole.pi1", cat({pi1, st_planes(true)}), all, rgb},
      {"whole.pc1", cat({pc1, packed, bytes(32, 9)}), all, rgb},
      {"whole.neo", cat({bytes(2, 0), pi1, bytes(92, 7), st_planes(true), bytes(50, 3)}), all, rgb},
      {"short.pi1", cat({pi1, bytes(100, 0xFF)}), cat({bytes(192, 15), bytes(16, 3)}), rgb},
      {"short, literal cut.pc1", cat({pc1, {1, 255, 255, 100, 255}}), bytes(24, 1), rgb},
      {"a run over a plane's end.pc1", cat({pc1, {215, 255}}), cat({bytes(16, 3), bytes(304, 1)}),
       rgb},
      {"128 runs 129 bytes.pc1", cat({pc1, {128, 0xFF}}), cat({bytes(72, 15), bytes(248, 7)}), rgb},
  };
  for (const auto &k : cases) {
    SCOPED_TRACE(k.fault);
    bytes mem(64064, 0xAA), pal(768, 0x11);
    canvas screen = canvas_over(mem, 320, 200, 320);
    EXPECT_EQ(load_file(k.fault, k.file, &screen, pal.data()).got, &screen);
    EXPECT_EQ(mem, cat({k.first, bytes(64000 - k.first.size(), 0), bytes(64, 0xAA)}));
    EXPECT_EQ(pal, cat({k.pal, bytes(720, 0x11)}));
    EXPECT_EQ(pixels_of(load_file(k.fault, k.file)), bytes(mem.begin(), mem.end() - 64)); // new
  }
}
