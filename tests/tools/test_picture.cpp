// qira-kit's picture reading and writing: round trips through every format,
// the bytes each writer puts down, and what the writers refuse.
#include "qira-kit/kit.h"
#include "qira-kit/picture.h"
#include "support/test_support.h"
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <png.h>

namespace fs = std::filesystem;
using bytes = std::vector<uint8_t>;

static const uint8_t st_level[8] = {0, 36, 73, 109, 146, 182, 219, 255};

// 320x200 in 16 colours that the ST can show exactly.
static kit_picture st_picture() {
  kit_picture p;
  p.width = 320;
  p.height = 200;
  for (int i = 0; i < 16; i++) {
    p.palette[3 * i] = st_level[i & 7];
    p.palette[3 * i + 1] = st_level[(i * 3) & 7];
    p.palette[3 * i + 2] = st_level[7 - (i >> 1)];
  }
  for (int y = 0; y < 200; y++)
    for (int x = 0; x < 320; x++) p.pixels.push_back(uint8_t((x / 8 ^ y / 4) & 15));
  return p;
}

// An odd-sized picture using all 256 entries.
static kit_picture wide_picture() {
  kit_picture p;
  p.width = 101;
  p.height = 37;
  for (int i = 0; i < 768; i++) p.palette[size_t(i)] = uint8_t(i * 7 + 3);
  for (int y = 0; y < 37; y++)
    for (int x = 0; x < 101; x++) p.pixels.push_back(uint8_t(x < 50 ? (x * 5 + y) & 255 : (y * 7) & 255));
  return p;
}

static bytes file_bytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

static void write_bytes(const std::string &path, const bytes &b) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(b.data()), std::streamsize(b.size()));
}

static size_t files_in(const std::string &dir) {
  return size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

static void expect_round_trip(const kit_picture &pic, const std::string &path, size_t palette_bytes) {
  SCOPED_TRACE(path);
  std::string error;
  ASSERT_TRUE(kit_write(path, pic, error)) << error;
  kit_picture back;
  ASSERT_TRUE(kit_read(path, back, error)) << error;
  EXPECT_EQ(back.width, pic.width);
  EXPECT_EQ(back.height, pic.height);
  EXPECT_TRUE(back.pixels == pic.pixels);
  EXPECT_EQ(std::memcmp(back.palette.data(), pic.palette.data(), palette_bytes), 0);
}

TEST(KitPicture, EveryFormatReadsBackTheSamePixelsAndPalette) {
  test_temp_dir dir;
  kit_picture st = st_picture();
  for (const char *name : {"a.pi1", "a.PC1", "a.neo", "a.lbm", "a.ilbm", "a.pcx", "a.png"})
    expect_round_trip(st, dir.file(name), 768);
  kit_picture wide = wide_picture();
  for (const char *name : {"w.lbm", "w.pcx", "w.png"}) expect_round_trip(wide, dir.file(name), 768);
}

TEST(KitPicture, PpmKeepsEveryPixelsColour) {
  test_temp_dir dir;
  kit_picture wide = wide_picture();
  std::string error;
  ASSERT_TRUE(kit_write(dir.file("w.ppm"), wide, error)) << error;
  bytes f = file_bytes(dir.file("w.ppm"));
  const char head[] = "P6\n101 37\n255\n";
  ASSERT_EQ(f.size(), sizeof head - 1 + 101 * 37 * 3);
  EXPECT_EQ(std::memcmp(f.data(), head, sizeof head - 1), 0);
  kit_picture back;
  ASSERT_TRUE(kit_read(dir.file("w.ppm"), back, error)) << error;
  ASSERT_EQ(back.pixels.size(), wide.pixels.size());
  int wrong = 0;
  for (size_t i = 0; i < wide.pixels.size(); i++)
    wrong += std::memcmp(&back.palette[3 * back.pixels[i]], &wide.palette[3 * wide.pixels[i]], 3) != 0;
  EXPECT_EQ(wrong, 0);
}

TEST(KitPicture, TruecolourIsIndexedInOrderOfAppearance) {
  // A hand-written P6 with a comment: colours C, A, C, B.
  test_temp_dir dir;
  bytes f = {'P', '6', ' ', '#', 'x', '\n', '4', ' ', '1', '\n', '2', '5', '5', '\n'};
  for (uint8_t v : {9, 9, 9, 1, 2, 3, 9, 9, 9, 200, 0, 255}) f.push_back(v);
  write_bytes(dir.file("t.ppm"), f);
  kit_picture p;
  std::string error;
  ASSERT_TRUE(kit_read(dir.file("t.ppm"), p, error)) << error;
  EXPECT_EQ(p.pixels, (std::vector<uint8_t>{0, 1, 0, 2}));
  EXPECT_EQ(p.palette[3], 1);
  EXPECT_EQ(p.palette[8], 255);
  EXPECT_EQ(p.palette[9], 0);

  // The same as an RGB PNG (through libpng's simplified writer).
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  img.width = 4;
  img.height = 1;
  img.format = PNG_FORMAT_RGB;
  ASSERT_TRUE(png_image_write_to_file(&img, dir.file("t.png").c_str(), 0, f.data() + 14, 0, nullptr));
  kit_picture q;
  ASSERT_TRUE(kit_read(dir.file("t.png"), q, error)) << error;
  EXPECT_EQ(q.pixels, p.pixels);
  EXPECT_EQ(q.palette, p.palette);
}

TEST(KitPicture, MoreThan256ColoursAreRefused) {
  test_temp_dir dir;
  std::string head = "P6\n300 1\n255\n";
  bytes f(head.begin(), head.end());
  for (int i = 0; i < 300; i++) f.insert(f.end(), {uint8_t(i), uint8_t(i >> 8), 7});
  write_bytes(dir.file("many.ppm"), f);
  kit_picture p;
  std::string error;
  EXPECT_FALSE(kit_read(dir.file("many.ppm"), p, error));
  EXPECT_NE(error.find("256"), std::string::npos) << error;
}

TEST(KitPicture, StWritersRefuseWhatTheStCannotShow) {
  test_temp_dir dir;
  std::string error;
  for (const char *name : {"w.pi1", "w.pc1", "w.neo"}) {
    error.clear();
    EXPECT_FALSE(kit_write(dir.file(name), wide_picture(), error)) << name;
    EXPECT_NE(error.find("320x200"), std::string::npos) << error;
  }
  // 17 colours that stay distinct on the ST.
  kit_picture p = st_picture();
  p.pixels[5] = 16;
  p.palette[48] = 255;
  p.palette[49] = 255;
  p.palette[50] = 36;
  EXPECT_FALSE(kit_write(dir.file("c.pi1"), p, error));
  EXPECT_NE(error.find("too many colours"), std::string::npos) << error;
  EXPECT_NE(error.find("17"), std::string::npos) << error;
  // Too busy to pack into a PC1's 32000 bytes.
  kit_picture noisy = st_picture();
  uint32_t seed = 12345;
  for (uint8_t &px : noisy.pixels) {
    seed = seed * 1103515245u + 12345u;
    px = uint8_t(seed >> 28);
  }
  EXPECT_FALSE(kit_write(dir.file("n.pc1"), noisy, error));
  EXPECT_NE(error.find("32000"), std::string::npos) << error;
  EXPECT_EQ(files_in(dir.path), 0u); // nothing written, no temporary left
}

TEST(KitPicture, StWritersRoundToTheNearestLevelAndMergeEqualColours) {
  // 20 indices whose colours round to 10 ST colours: accepted and remapped,
  // with index 0 keeping register 0.
  test_temp_dir dir;
  kit_picture p;
  p.width = 320;
  p.height = 200;
  for (int i = 0; i < 20; i++) {
    int j = i % 10, off = i >= 10 ? -3 : 0; // the second ten are slightly off
    p.palette[size_t(3 * (i + 100))] = st_level[j % 8];
    p.palette[size_t(3 * (i + 100) + 1)] = uint8_t((j >= 8 ? 200 : 40) + off); // to 182 or 36
  }
  for (int k = 0; k < 64000; k++) p.pixels.push_back(uint8_t(k % 21 == 20 ? 0 : 100 + k % 21));
  std::string error;
  ASSERT_TRUE(kit_write(dir.file("r.neo"), p, error)) << error;
  kit_picture back;
  ASSERT_TRUE(kit_read(dir.file("r.neo"), back, error)) << error;
  EXPECT_EQ(back.pixels[20], 0); // index 0 is used and comes first
  std::vector<bool> used(16);
  int wrong = 0;
  for (int k = 0; k < 64000; k++) {
    used[back.pixels[size_t(k)]] = true;
    const uint8_t *want = &p.palette[3 * p.pixels[size_t(k)]];
    const uint8_t *got = &back.palette[3 * back.pixels[size_t(k)]];
    for (int c = 0; c < 3; c++) {
      int best = 0;
      for (int l = 1; l < 8; l++)
        if (std::abs(want[c] - st_level[l]) < std::abs(want[c] - st_level[best])) best = l;
      wrong += got[c] != st_level[best];
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(std::count(used.begin(), used.end(), true), 11); // 10 colours and black
}

TEST(KitPicture, WrittenBytesFollowTheFormats) {
  test_temp_dir dir;
  kit_picture st = st_picture();
  std::string error;
  ASSERT_TRUE(kit_write(dir.file("s.pi1"), st, error));
  bytes pi1 = file_bytes(dir.file("s.pi1"));
  ASSERT_EQ(pi1.size(), 32034u);
  EXPECT_EQ(pi1[0] << 8 | pi1[1], 0);                               // low resolution
  EXPECT_EQ(pi1[2 + 2 * 9] << 8 | pi1[3 + 2 * 9], 0x0133); // entry 9: levels 1, 3, 3
  ASSERT_TRUE(kit_write(dir.file("s.pc1"), st, error));
  bytes pc1 = file_bytes(dir.file("s.pc1"));
  EXPECT_EQ(pc1[0] << 8 | pc1[1], 0x8000);
  EXPECT_LT(pc1.size(), 32034u + 32);
  ASSERT_TRUE(kit_write(dir.file("s.neo"), st, error));
  bytes neo = file_bytes(dir.file("s.neo"));
  ASSERT_EQ(neo.size(), 32128u);
  EXPECT_TRUE(std::equal(neo.begin() + 4, neo.begin() + 36, pi1.begin() + 2));
  EXPECT_TRUE(std::equal(neo.begin() + 128, neo.end(), pi1.begin() + 34));

  kit_picture wide = wide_picture();
  ASSERT_TRUE(kit_write(dir.file("w.pcx"), wide, error));
  bytes pcx = file_bytes(dir.file("w.pcx"));
  EXPECT_EQ(pcx[0], 10);
  EXPECT_EQ(pcx[3], 8);
  EXPECT_EQ(pcx[10] | pcx[11] << 8, 36);  // Ymax
  EXPECT_EQ(pcx[66] | pcx[67] << 8, 101); // bytes per line = width
  EXPECT_EQ(pcx[65], 1);
  ASSERT_GT(pcx.size(), 128u + 769u);
  EXPECT_EQ(pcx[pcx.size() - 769], 12);
  EXPECT_TRUE(std::equal(pcx.end() - 768, pcx.end(), wide.palette.begin()));

  ASSERT_TRUE(kit_write(dir.file("w.lbm"), wide, error));
  bytes lbm = file_bytes(dir.file("w.lbm"));
  EXPECT_EQ(std::string(lbm.begin(), lbm.begin() + 4), "FORM");
  EXPECT_EQ(size_t(lbm[4] << 24 | lbm[5] << 16 | lbm[6] << 8 | lbm[7]), lbm.size() - 8);
  EXPECT_EQ(std::string(lbm.begin() + 8, lbm.begin() + 16), "PBM BMHD");
  EXPECT_EQ(lbm[20] << 8 | lbm[21], 101);
  EXPECT_EQ(lbm[22] << 8 | lbm[23], 37);
  EXPECT_EQ(lbm[20 + 10], 1); // ByteRun1
  EXPECT_EQ(std::string(lbm.begin() + 40, lbm.begin() + 44), "CMAP");
}

TEST(KitPicture, UnknownNamesAndMissingFiles) {
  test_temp_dir dir;
  std::string error;
  EXPECT_FALSE(kit_write(dir.file("x.gif"), st_picture(), error));
  EXPECT_NE(error.find("x.gif"), std::string::npos);
  kit_picture p;
  EXPECT_FALSE(kit_read(dir.file("x.gif"), p, error));
  EXPECT_EQ(error, "Unhandled image type");
  EXPECT_FALSE(kit_read(dir.file("none.pcx"), p, error));
  EXPECT_EQ(error, "Unable to open file");
  EXPECT_FALSE(kit_read(dir.file("none.png"), p, error));
  write_bytes(dir.file("bad.png"), {0x89, 'P', 'N', 'G', 1, 2});
  EXPECT_FALSE(kit_read(dir.file("bad.png"), p, error));
  EXPECT_EQ(kit_format("A.LBM"), std::string("IFF PBM"));
  EXPECT_EQ(kit_format("a.pi1.bak"), nullptr);
}

static int run(int (*command)(std::span<char *const>), std::vector<std::string> words) {
  std::vector<char *> argv;
  for (std::string &w : words) argv.push_back(w.data());
  return command(argv);
}

TEST(KitCommands, ConvertAndInfoExitStatuses) {
  test_temp_dir dir;
  std::string error;
  ASSERT_TRUE(kit_write(dir.file("s.pi1"), st_picture(), error));
  EXPECT_EQ(run(kit_convert, {dir.file("s.pi1"), dir.file("s.png")}), 0);
  EXPECT_EQ(run(kit_convert, {dir.file("s.png"), dir.file("t.NEO")}), 0);
  kit_picture a, b;
  ASSERT_TRUE(kit_read(dir.file("s.pi1"), a, error));
  ASSERT_TRUE(kit_read(dir.file("t.NEO"), b, error));
  EXPECT_TRUE(a.pixels == b.pixels);

  testing::internal::CaptureStderr();
  EXPECT_EQ(run(kit_convert, {dir.file("s.pi1")}), 2);
  EXPECT_EQ(run(kit_info, {}), 2);
  EXPECT_EQ(run(kit_convert, {dir.file("none.pi1"), dir.file("o.png")}), 1);
  EXPECT_EQ(run(kit_convert, {dir.file("s.pi1"), dir.file("o.bmp")}), 1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Unable to open file"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(dir.file("o.png")));

  testing::internal::CaptureStdout();
  EXPECT_EQ(run(kit_info, {dir.file("s.pi1")}), 0);
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("PI1, 320x200, 16 colours used"), std::string::npos) << out;
  testing::internal::CaptureStderr();
  EXPECT_EQ(run(kit_info, {dir.file("x.gif")}), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Unhandled image type"), std::string::npos);
}
