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
#include <map>

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
// 320x200 in 16 distinct ST colours; 101x37 in all 256 entries.
static const kit_picture st = picture(
    320, 200, [](int x, int y) { return (x / 8 ^ y / 4) & 15; },
    [](int k) {
      return k >= 48 ? 0 : st_level[(k % 3 == 2 ? 7 - k / 6 : k / 3 * (k % 3 * 2 + 1)) & 7];
    });
static const kit_picture wide = picture(
    101, 37, [](int x, int y) { return x * 5 + y * 3; }, [](int k) { return k * 7 + 3; });

TEST(KitPicture, EveryFormatReadsBackTheSamePixelsAndPalette) {
  test_temp_dir dir;
  // Pictures by their name's first letter; sizes of the fixed-size formats.
  const std::map<std::string, uintmax_t> sizes = {{"a.pi1", 32034}, {"a.neo", 32128}};
  for (const char *name : {"a.pi1", "a.PC1", "a.neo", "a.lbm", "a.ilbm", "a.pcx", "a.png", "w.lbm",
                           "w.pcx", "w.png"}) {
    SCOPED_TRACE(name);
    const kit_picture &pic = name[0] == 'a' ? st : wide;
    std::string error;
    kit_picture back;
    ASSERT_TRUE(kit_write(dir.file(name), pic, error) && kit_read(dir.file(name), back, error))
        << error;
    EXPECT_TRUE(!sizes.contains(name) || fs::file_size(dir.file(name)) == sizes.at(name));
    EXPECT_TRUE(back.width == pic.width && back.height == pic.height && back.pixels == pic.pixels &&
                back.palette == pic.palette);
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
