// qira-kit's pictures: round trips through every format, and files the game
// reads as netpbm does.
#include "canvas/canvas.h"
#include "image/anypic.h"
#include "qira-kit/picture.h"
#include "support/test_support.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using bytes = std::vector<uint8_t>;
static const uint8_t st_level[8] = {0, 36, 73, 109, 146, 182, 219, 255};

// index(x, y) gives the pixels, colour(k) palette byte k.
static kit_picture picture(int w, int h, auto index, auto colour) {
  kit_picture p{w, h, {}, {}};
  for (int i = 0; i < w * h; i++) p.pixels.push_back(uint8_t(index(i % w, i / w)));
  for (int k = 0; k < 768; k++) p.palette[size_t(k)] = uint8_t(colour(k));
  return p;
}
// 320x200 in 16 distinct ST colours; 101x37 in all 256 entries; for the ST,
// 21 indices but 6 colours once rounded to its levels, index 0 not first.
static const kit_picture st = picture(
    320, 200, [](int x, int y) { return (x / 8 ^ y / 4) & 15; },
    [](int k) {
      return k >= 48 ? 0 : st_level[(k % 3 == 2 ? 7 - k / 6 : k / 3 * (k % 3 * 2 + 1)) & 7];
    });
static const kit_picture wide = picture(
    101, 37, [](int x, int y) { return x * 5 + y * 3; }, [](int k) { return k * 7 + 3; });
static const kit_picture grey = picture(
    320, 200, [](int x, int) { return x % 21 == 20 ? 0 : 100 + x % 21; },
    [](int k) { return k < 3 ? 255 * (k == 0) : k / 3 % 5 * 50 + k % 3; });

TEST(KitPicture, EveryFormatReadsBackTheSamePixelsAndPalette) {
  test_temp_dir dir;
  const struct {
    const kit_picture &pic;
    const char *name;
    uintmax_t size = 0;
  } cases[] = {{st, "a.pi1", 32034},
               {st, "a.PC1"},
               {st, "a.neo", 32128},
               {st, "a.lbm"},
               {st, "a.ilbm"},
               {st, "a.pcx"},
               {st, "a.png"},
               {wide, "w.lbm"},
               {wide, "w.pcx"},
               {wide, "w.png"},
               {wide, "w.ppm", 14 + 101 * 37 * 3},
               {grey, "g.neo", 32128}};
  for (const auto &k : cases) {
    SCOPED_TRACE(k.name);
    std::string error;
    kit_picture back;
    ASSERT_TRUE(kit_write(dir.file(k.name), k.pic, error)) << error;
    ASSERT_TRUE(kit_read(dir.file(k.name), back, error)) << error;
    ASSERT_TRUE(back.width == k.pic.width && back.height == k.pic.height);
    EXPECT_EQ(k.size ? fs::file_size(dir.file(k.name)) : 0, k.size);
    // PPM keeps only colours, and the ST only its levels: each pixel's colour, and index 0 staying
    // 0.
    bool rounded = &k.pic == &grey;
    bool exact = !rounded && !std::string(k.name).ends_with("ppm");
    EXPECT_TRUE(!exact || (back.pixels == k.pic.pixels && back.palette == k.pic.palette));
    int wrong = 0;
    for (size_t i = 0; i < back.pixels.size(); i++) {
      wrong += (k.pic.pixels[i] == 0) != (back.pixels[i] == 0);
      for (size_t c = 0; c < 3; c++) {
        uint8_t want = k.pic.palette[3 * k.pic.pixels[i] + c];
        wrong += back.palette[3 * back.pixels[i] + c] !=
                 (rounded ? st_level[(want * 2 + 36) / 73] : want); // nearest
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

// Each pixel's colour as netpbm's TOOL decodes the file, and as the game's loader does (with and
// without a palette asked for, into a given canvas, as the fight loads sheets), on netpbm's scale.
static void expect_as_netpbm_reads(const std::string &tool, const std::string &path) {
  SCOPED_TRACE(tool);
  ASSERT_EQ(std::system((tool + " '" + path + "' >'" + path + ".ppm' 2>/dev/null").c_str()), 0);
  std::ifstream in(path + ".ppm", std::ios::binary);
  std::string magic;
  int w = 0, h = 0, maxval = 0;
  in >> magic >> w >> h >> maxval;
  in.get();
  bytes theirs(size_t(w) * size_t(h) * 3), ours(theirs.size()), pal(768),
      shown(size_t(w) * size_t(h));
  in.read(reinterpret_cast<char *>(theirs.data()), std::streamsize(theirs.size()));
  ASSERT_TRUE(in && magic == "P6" && maxval > 0);
  canvas *c = anypic_load(path.c_str(), nullptr, pal.data(), nullptr);
  ASSERT_TRUE(c && c->width == w && c->height == h);
  for (size_t i = 0; i < shown.size(); i++)
    for (size_t k = 0; k < 3; k++)
      ours[3 * i + k] = uint8_t((pal[3 * c->pixels[i] + k] * maxval + 127) / 255);
  EXPECT_EQ(ours, theirs);
  canvas given = {nullptr, w, w, h, shown.data()};
  EXPECT_EQ(anypic_load(path.c_str(), &given, nullptr, nullptr), &given);
  EXPECT_EQ(shown, bytes(c->pixels, c->pixels + shown.size()));
  canvas_free(c);
}

TEST(KitPicture, BusyPc1AndOddColourCountIffLoadAsNetpbmReadsThem) {
  test_temp_dir dir;
  // Noise packs each plane line to 41 bytes: 32800 in all, more than the 32000 it unpacks to.
  kit_picture noisy = st, three = st;
  for (size_t i = 0, seed = 1; i < 64000; i++)
    noisy.pixels[i] = uint8_t((seed = seed * 1103515245 + 1) >> 20 & 15);
  for (auto &p : three.pixels) p %= 3; // a CMAP of 9 bytes and its pad
  std::fill(three.palette.begin() + 9, three.palette.end(), 0);
  std::string error;
  ASSERT_TRUE(kit_write(dir.file("n.pc1"), noisy, error) &&
              kit_write(dir.file("t.lbm"), three, error))
      << error;
  EXPECT_GT(fs::file_size(dir.file("n.pc1")), 34 + 32000 + 32);
  expect_as_netpbm_reads("pc1toppm", dir.file("n.pc1"));
  expect_as_netpbm_reads("ilbmtoppm", dir.file("t.lbm"));
}
