// Palette hand-over to SDL, component conversions and palette files.
#include "support/test_support.h"
#include "video/graphics.h"
#include "video/palette.h"
#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace {

using pal_buf = std::array<uint8_t, PALETTE_BYTES>;

pal_buf pattern(uint8_t seed) {
  pal_buf p;
  for (int i = 0; i < PALETTE_BYTES; i++) p[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 7 + seed);
  return p;
}

std::vector<uint8_t> bytes(size_t n, uint8_t seed) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; i++) v[i] = static_cast<uint8_t>(i * 3 + seed);
  return v;
}

void write_file(const std::string &name, const std::vector<uint8_t> &data) {
  std::ofstream f(name, std::ios::binary);
  f.write(reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
}

} // namespace

TEST(PaletteConvert, AdjustAndNormalize) {
  pal_buf p{};
  const uint8_t in[] = {0, 1, 3, 4, 63, 64, 128, 255};
  std::copy(std::begin(in), std::end(in), p.begin());
  p[767] = 255;
  palette_adjust(p.data());
  const uint8_t adjusted[] = {0, 0, 0, 1, 15, 16, 32, 63};
  for (size_t i = 0; i < std::size(adjusted); i++) EXPECT_EQ(p[i], adjusted[i]) << i;
  EXPECT_EQ(p[767], 63);
  palette_normalize(p.data());
  // 255 -> 63 -> 252: the round trip does not reach full intensity.
  EXPECT_EQ(p[767], 252);
  EXPECT_EQ(p[7], 252);
  EXPECT_EQ(p[3], 4);

  pal_buf q{};
  const uint8_t raw[] = {63, 1, 0, 64, 128, 255, 100};
  const uint8_t norm[] = {252, 4, 0, 1, 2, 255, 145};
  std::copy(std::begin(raw), std::end(raw), q.begin());
  q[767] = 63;
  palette_normalize(q.data());
  for (size_t i = 0; i < std::size(norm); i++) EXPECT_EQ(q[i], norm[i]) << "from " << int(raw[i]);
  EXPECT_EQ(q[767], 252);
}

TEST(PaletteFile, SaveThenLoadRoundTrips) {
  test_temp_dir dir;
  const std::string name = dir.file("game.pal");
  const pal_buf saved = pattern(11);
  palette_save(saved.data(), name.c_str());
  struct stat st{};
  ASSERT_EQ(stat(name.c_str(), &st), 0);
  EXPECT_EQ(st.st_size, 768);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  pal_buf loaded{};
  palette_load(loaded.data(), name.c_str());
  EXPECT_EQ(loaded, saved);

  // Saving again truncates rather than appends.
  const pal_buf other = pattern(99);
  palette_save(other.data(), name.c_str());
  ASSERT_EQ(stat(name.c_str(), &st), 0);
  EXPECT_EQ(st.st_size, 768);
  palette_load(loaded.data(), name.c_str());
  EXPECT_EQ(loaded, other);
}

TEST(PaletteFile, MissingOrShortFilesChangeOnlyWhatIsThere) {
  test_temp_dir dir;
  const pal_buf before = pattern(5);
  pal_buf p = before;
  const std::string missing = dir.file("nothing.pal");
  palette_load(p.data(), missing.c_str());
  palette_loadfrom_ilbm(p.data(), missing.c_str());
  palette_loadfrom_pcx(p.data(), missing.c_str());
  EXPECT_EQ(p, before);
  palette_save(p.data(), dir.file("no/such/folder.pal").c_str()); // nothing to check but no crash

  const std::string shortf = dir.file("short.pal");
  const auto data = bytes(100, 1);
  write_file(shortf, data);
  palette_load(p.data(), shortf.c_str());
  for (size_t i = 0; i < PALETTE_BYTES; i++)
    ASSERT_EQ(p[i], i < 100 ? data[i] : before[i]) << i;
}

TEST(PaletteFile, ForeignReadersFindTheColourTable) {
  test_temp_dir dir;
  // IFF: the table starts at byte 48.
  const std::string iff = dir.file("pic.lbm");
  const auto iff_data = bytes(48 + 768 + 40, 9);
  write_file(iff, iff_data);
  pal_buf p{};
  palette_loadfrom_ilbm(p.data(), iff.c_str());
  for (size_t i = 0; i < PALETTE_BYTES; i++) ASSERT_EQ(p[i], iff_data[48 + i]) << i;

  // PCX: the last 768 bytes.
  const std::string pcx = dir.file("pic.pcx");
  const auto pcx_data = bytes(2000, 4);
  write_file(pcx, pcx_data);
  palette_loadfrom_pcx(p.data(), pcx.c_str());
  for (size_t i = 0; i < PALETTE_BYTES; i++) ASSERT_EQ(p[i], pcx_data[2000 - 768 + i]) << i;

  // A PCX shorter than the table: the seek fails and reading starts at 0.
  const std::string tiny = dir.file("tiny.pcx");
  const auto tiny_data = bytes(300, 77);
  write_file(tiny, tiny_data);
  const pal_buf before = pattern(200);
  p = before;
  palette_loadfrom_pcx(p.data(), tiny.c_str());
  for (size_t i = 0; i < PALETTE_BYTES; i++) ASSERT_EQ(p[i], i < 300 ? tiny_data[i] : before[i]) << i;
}

class PaletteDisplay : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(test_display_open()); }
  void TearDown() override { test_display_close(); }
};

TEST_F(PaletteDisplay, SetGivesBothSurfacesTheColoursUnscaled) {
  pal_buf p = pattern(3);
  p[765] = p[766] = p[767] = 255;
  palette_set(p.data());
  EXPECT_EQ(sdl_palette[255].r, 255);
  EXPECT_EQ(sdl_palette[255].g, 255);
  EXPECT_EQ(sdl_palette[255].b, 255);
  for (SDL_Surface *s : {sdl_vscrn, sdl_rscrn}) {
    const SDL_Color *colors = s->format->palette->colors;
    for (int i = 0; i < 256; i++) {
      ASSERT_EQ(colors[i].r, p[static_cast<size_t>(3 * i)]) << i;
      ASSERT_EQ(colors[i].g, p[static_cast<size_t>(3 * i + 1)]) << i;
      ASSERT_EQ(colors[i].b, p[static_cast<size_t>(3 * i + 2)]) << i;
    }
  }
}

TEST_F(PaletteDisplay, SetColorChangesTheDisplayOnly) {
  pal_buf p{};
  palette_set(p.data());
  palette_set_color(42, 10, 20, 30);
  EXPECT_EQ(sdl_palette[42].r, 10);
  EXPECT_EQ(sdl_palette[42].g, 20);
  EXPECT_EQ(sdl_palette[42].b, 30);
  const SDL_Color d = sdl_rscrn->format->palette->colors[42];
  EXPECT_EQ(d.r, 10);
  EXPECT_EQ(d.g, 20);
  EXPECT_EQ(d.b, 30);
  const SDL_Color v = sdl_vscrn->format->palette->colors[42];
  EXPECT_EQ(v.r, 0);
  EXPECT_EQ(v.b, 0);
  EXPECT_EQ(sdl_palette[41].r, 0); // neighbours untouched
  EXPECT_EQ(sdl_palette[43].r, 0);
}
