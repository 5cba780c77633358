// ST colours and planes, and the Atari ST loaders: PI1, PC1 and NEO, whole and damaged.
#include "image/atari.h"
#include "image/stpic.h"
#include "image_test.h"
#include <gtest/gtest.h>

TEST(Atari, ColourWordsGiveTheEightLevels) {
  // Word at entry 15 (big-endian); bit 3 of each nibble is ignored; nothing past entry 15.
  const struct { unsigned word; bytes rgb; } cases[] = {{0x123, {36, 73, 109}}, {0x456, {146, 182, 219}},
                                                        {0x777, {255, 255, 255}}, {0xFFF, {255, 255, 255}},
                                                        {0x700, {255, 0, 0}}};
  for (const auto &k : cases) {
    SCOPED_TRACE(k.word);
    bytes st = cat({bytes(30, 0), be16(k.word)}), rgb(49, 0xEE);
    atari_palette_atari2host(st.data(), rgb.data());
    EXPECT_EQ(rgb, cat({bytes(45, 0), k.rgb, {0xEE}}));
  }
}

TEST(Atari, PlanesToPixels) {
  // Group 0: words 0x8000, 0x8000, 0, 0x8000. Group 1 sets pixels 7, 8 and 15 from both bytes of the words.
  const uint8_t src[16] = {0x80, 0, 0x80, 0, 0, 0, 0x80, 0, 0x01, 0x01, 0x00, 0x80, 0x01, 0x01, 0x00, 0x81};
  bytes dst(33, 0xAA);
  atari_pixels_atari2vga(src, dst.data(), 15);
  EXPECT_EQ(dst, bytes(33, 0xAA));
  atari_pixels_atari2vga(src, dst.data(), 31);
  EXPECT_EQ(dst, cat({{11}, bytes(15, 0), bytes(17, 0xAA)}));
  atari_pixels_atari2vga(src, dst.data(), 32);
  EXPECT_EQ(bytes(dst.begin() + 16, dst.end()), cat({bytes(7, 0), {1 | 4, 2 | 8}, bytes(6, 0), {1 | 4 | 8, 0xAA}}));
  bytes lines(32000, 0), out(64000, 0xAA); // line by line: plane 1's word 1, the last line's plane 3
  lines[40 + 2] = 0x80, lines[31999] = 0x01;
  atari_pixels_atari2vga_x(lines.data(), out.data(), 0);
  EXPECT_TRUE(out[16] == 2 && out[63999] == 8);
  EXPECT_EQ(std::count(out.begin(), out.end(), 0), 63998);
}

// Detail in the first 16 columns, wide bands after (so that PC1 packs it small).
static uint8_t test_pixel(int x, int y) { return uint8_t(x < 16 ? (x + y) & 15 : (x / 32 + y / 8) & 15); }

// The test picture as interleaved planes (four words per 16 pixels) or line
// by line (each plane's 40 bytes in turn); the leftmost pixel is bit 15.
static bytes st_planes(bool interleaved) {
  bytes out(32000, 0);
  for (int y = 0; y < 200; y++)
    for (int x = 0; x < 320; x++)
      for (int p = 0; p < 4; p++)
        if (test_pixel(x, y) >> p & 1)
          out[size_t(y * 160 + (interleaved ? x / 16 * 8 + p * 2 : p * 40 + x / 16 * 2) + x % 16 / 8)] |=
              uint8_t(0x80 >> x % 8);
  return out;
}

// A resolution word and 16 colour words; entry i has levels i & 7, i >> 1, 7 - (i & 7).
static bytes st_head(unsigned resolution, bytes *rgb = nullptr) {
  static const uint8_t level[8] = {0, 36, 73, 109, 146, 182, 219, 255};
  bytes b = be16(resolution);
  for (unsigned i = 0; i < 16; i++) {
    b = cat({b, be16((i & 7) << 8 | (i >> 1) << 4 | (7 - (i & 7)))});
    if (rgb) *rgb = cat({*rgb, {level[i & 7], level[i >> 1], level[7 - (i & 7)]}});
  }
  return b;
}

TEST(StPic, EachFormatGivesThePictureAndSixteenColours) {
  bytes planes = st_planes(false), packets, rgb, want(64000);
  for (int i = 0; i < 64000; i++) want[size_t(i)] = test_pixel(i % 320, i / 320);
  for (auto q = planes.begin(); q != planes.end(); q += 4) { // four equal bytes as a run, else a literal
    bytes p = std::equal(q, q + 3, q + 1) ? bytes{253, *q} : cat({{3}, bytes(q, q + 4)});
    packets.insert(packets.end(), p.begin(), p.end());
  }
  ASSERT_LT(packets.size(), 32000u);
  bytes neo = cat({bytes(2, 0), st_head(0, &rgb), bytes(92, 7), st_planes(true), bytes(50, 0x33)}), raw(32129, 0xEE);
  const struct { const char *name; bytes file; } cases[] = {
      {"t.pi1", cat({st_head(0), st_planes(true)})},
      {"t.pc1", cat({st_head(0x8000), packets, bytes(32, 9)})},
      {"t.neo", neo}};
  for (const auto &k : cases) {
    SCOPED_TRACE(k.name);
    bytes pal(768, 0xCC);
    loaded a = load_file(k.name, k.file, nullptr, pal.data()), b = load_file(k.name, k.file);
    EXPECT_EQ(pixels_of(a), want);
    EXPECT_EQ(pixels_of(b), want);
    EXPECT_EQ(pal, cat({rgb, bytes(720, 0xCC)}));
  }
  // NEO leaves the file's first 32128 bytes in a raw buffer.
  test_temp_dir dir;
  std::ofstream(dir.file("t.neo"), std::ios::binary).write(reinterpret_cast<const char *>(&neo[0]), long(neo.size()));
  canvas_free(neo_load(dir.file("t.neo").c_str(), raw.data(), nullptr, nullptr, nullptr));
  EXPECT_EQ(raw, cat({bytes(neo.begin(), neo.begin() + 32128), {0xEE}}));
}

TEST(StPic, ShortAndOddFilesDecodeToColourZero) {
  // Into the virtual screen: its first pixels, then zeros to 64000 bytes; palette entries 0..15 only.
  bytes rgb, pc1 = st_head(0x8000, &rgb), pi1 = st_head(0);
  const struct { const char *fault, *name; bytes file, first, pal; } cases[] = {
      {"short PI1", "s.pi1", cat({pi1, bytes(100, 0xFF)}), cat({bytes(192, 15), bytes(16, 3)}), rgb},
      {"PI1 cut in the colour words", "t.pi1", {0, 0, 0x07, 0x77, 0x07}, {}, cat({{255, 255, 255, 255}, bytes(44, 0)})},
      {"short NEO", "s.neo", cat({bytes(2, 0), pi1, bytes(92, 0), {0xFF, 0xFF}}), bytes(16, 1), rgb},
      {"short PC1, literal cut", "s.pc1", cat({pc1, {1, 0xFF, 0xFF, 100, 0xFF}}), bytes(24, 1), rgb},
      {"PC1 header only", "h.pc1", {0x80, 0}, {}, bytes(48, 0)},
      {"PC1 run over a plane's end", "r.pc1", cat({pc1, {257 - 42, 0xFF}}), cat({bytes(16, 3), bytes(304, 1)}), rgb},
      {"PC1 128 runs 129 bytes", "l.pc1", cat({pc1, {128, 0xFF}}), cat({bytes(72, 15), bytes(248, 7)}), rgb},
      {"PC1 packets past 32000 bytes are read", "p.pc1", cat({pc1, bytes(32000, 0), {129, 0xFF}}),
       cat({bytes(32000, 0), bytes(64, 15), bytes(256, 7)}), rgb},
  };
  canvas saved = vscrn_canvas;
  for (const auto &k : cases) {
    SCOPED_TRACE(k.fault);
    bytes mem(64064, 0xAA), pal(768, 0x11);
    vscrn_canvas = canvas_over(mem, 320, 200, 320);
    loaded r = load_file(k.name, k.file, &vscrn_canvas, pal.data());
    EXPECT_EQ(r.got, &vscrn_canvas);
    EXPECT_EQ(mem, cat({k.first, bytes(64000 - k.first.size(), 0), bytes(64, 0xAA)}));
    EXPECT_EQ(pal, cat({k.pal, bytes(720, 0x11)}));
  }
  vscrn_canvas = saved;
}
