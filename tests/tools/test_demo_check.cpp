// qira-kit demo draws a playable folder; qira-kit check catches what would
// keep a set from playing.
#include "qira-kit/demo_art.h"
#include "qira-kit/kit.h"
#include "qira-kit/picture.h"
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct temp_folder {
  fs::path path;
  temp_folder() {
    std::string pattern = (fs::temp_directory_path() / "qira-demo-XXXXXX").string();
    if (mkdtemp(pattern.data())) path = pattern;
  }
  ~temp_folder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  temp_folder(const temp_folder &) = delete;
  temp_folder &operator=(const temp_folder &) = delete;
};

struct run_result {
  int status = -1;
  std::string output;
};

// The qira-kit binary the build made.
const char *kit_path() {
  if (const char *env = std::getenv("QIRA_KIT")) return env;
  return QIRA_KIT_PATH;
}

// Runs qira-kit, as a set maker would.
run_result kit(const std::string &args) {
  const char *bin = kit_path();
  run_result r;
  const std::string command = std::string("'") + bin + "' " + args + " 2>&1";
  FILE *p = popen(command.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf{};
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.output.append(buf.data(), n);
  const int w = pclose(p);
  r.status = WIFEXITED(w) ? WEXITSTATUS(w) : -1;
  return r;
}

std::vector<std::string> dat_lines(const fs::path &file) {
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) lines.push_back(line);
  return lines;
}

void write_file(const fs::path &file, const std::string &text) {
  std::ofstream out(file, std::ios::binary);
  out << text;
}

void write_picture(const fs::path &file, int width, int height) {
  kit_picture pic;
  pic.width = width;
  pic.height = height;
  pic.pixels.assign(static_cast<size_t>(width) * height, 1);
  pic.palette[3] = 255;
  std::string error;
  ASSERT_TRUE(kit_write(file.string(), pic, error)) << error;
}

kit_picture read_picture(const fs::path &file) {
  kit_picture pic;
  std::string error;
  EXPECT_TRUE(kit_read(file.string(), pic, error)) << file << ": " << error;
  return pic;
}

std::string ext(const std::string &name) { return fs::path(name).extension().string(); }

// One demo folder for all the tests that only read it.
class DemoFolder : public testing::Test {
protected:
  static void SetUpTestSuite() {
    folder = new temp_folder;
    std::string dir = (folder->path / "demo").string();
    char *argv[] = {dir.data()};
    status = kit_demo(std::span<char *const>(argv, 1));
  }
  static void TearDownTestSuite() {
    delete folder;
    folder = nullptr;
  }
  static fs::path dir() { return folder->path / "demo"; }
  static std::vector<fs::path> sets() {
    std::vector<fs::path> v;
    for (const auto &e : fs::directory_iterator(dir()))
      if (e.path().extension() == ".dat") v.push_back(e.path());
    return v;
  }
  static inline temp_folder *folder = nullptr;
  static inline int status = -1;
};

TEST_F(DemoFolder, IsDrawnAndPassesCheck) {
  ASSERT_EQ(status, 0);
  EXPECT_TRUE(fs::exists(dir() / "velmorea.pi1"));
  EXPECT_TRUE(fs::exists(dir() / "qiratex1.pi1"));
  const run_result r = kit("check '" + dir().string() + "'");
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find("all would play"), std::string::npos) << r.output;
  EXPECT_EQ(r.output.find("problem"), std::string::npos) << r.output;
}

TEST_F(DemoFolder, SetsUseEveryFormatAndOneHasASingleFighter) {
  ASSERT_EQ(status, 0);
  const auto files = sets();
  ASSERT_GE(files.size(), 4u);
  std::set<std::string> formats;
  int one_sided = 0;
  for (const fs::path &f : files) {
    const auto lines = dat_lines(f);
    ASSERT_EQ(lines.size(), 6u) << f;
    formats.insert(ext(lines[1]));
    for (int side = 0; side < 2; side++) {
      const std::string &sheet = lines[2 + 2 * side];
      const int pairs = std::atoi(lines[3 + 2 * side].c_str());
      if (sheet == "-") {
        EXPECT_EQ(pairs, 0) << f;
        one_sided++;
        continue;
      }
      EXPECT_GE(pairs, 3) << f << " " << sheet;
      formats.insert(ext(sheet));
    }
  }
  EXPECT_EQ(formats, (std::set<std::string>{".pi1", ".pc1", ".neo", ".lbm", ".pcx"}));
  EXPECT_GE(one_sided, 1);
}

// Every frame shows the fighter on a copy of the background's attack cell,
// painted in the background's own palette indices, and no two frames of a
// sheet are the same picture.
TEST_F(DemoFolder, FramesSitOnTheBackgroundCellAndDiffer) {
  ASSERT_EQ(status, 0);
  for (const fs::path &f : sets()) {
    const auto lines = dat_lines(f);
    ASSERT_EQ(lines.size(), 6u);
    const kit_picture bg = read_picture(dir() / lines[1]);
    ASSERT_EQ(bg.width, ART_SCREEN_W);
    ASSERT_EQ(bg.height, ART_SCREEN_H);
    for (int side = 0; side < 2; side++) {
      if (lines[2 + 2 * side] == "-") continue;
      const kit_picture sheet = read_picture(dir() / lines[2 + 2 * side]);
      ASSERT_EQ(sheet.width, ART_SCREEN_W);
      const int frames = 2 * std::atoi(lines[3 + 2 * side].c_str());
      std::vector<std::vector<uint8_t>> seen;
      for (int k = 0; k < frames; k++) {
        const int cx = ART_CELL_W * (k % ART_CELLS_PER_ROW), cy = ART_CELL_H * (k / ART_CELLS_PER_ROW);
        std::vector<uint8_t> cell;
        int backdrop = 0;
        for (int y = 0; y < ART_CELL_H; y++)
          for (int x = 0; x < ART_CELL_W; x++) {
            const uint8_t v = sheet.pixels[static_cast<size_t>(cy + y) * sheet.width + cx + x];
            cell.push_back(v);
            backdrop += v == bg.pixels[static_cast<size_t>(ART_CELL_Y + y) * bg.width + ART_CELL_X + x];
          }
        const int area = ART_CELL_W * ART_CELL_H;
        EXPECT_GT(backdrop, area / 2) << lines[2 + 2 * side] << " frame " << k << ": not on the background";
        EXPECT_LT(backdrop, area - 100) << lines[2 + 2 * side] << " frame " << k << ": no fighter";
        for (const auto &other : seen) EXPECT_NE(cell, other) << lines[2 + 2 * side] << " frame " << k;
        seen.push_back(cell);
      }
    }
  }
}

TEST(DemoArt, PlayerTwoIsTheMirrorImage) {
  const art_scene scene = art_temple();
  const raster left = art_frame_cell(scene.picture, scene.looks[0], 1, false);
  const raster right = art_frame_cell(scene.picture, scene.looks[0], 1, true);
  const raster cell = raster_crop(scene.picture, ART_CELL_X, ART_CELL_Y, ART_CELL_W, ART_CELL_H);
  // The jab reaches right for player 1 and left for player 2: compare where
  // each frame departs from the backdrop.
  auto extent = [&](const raster &r) {
    int lo = ART_CELL_W, hi = -1;
    for (int y = 0; y < ART_CELL_H; y++)
      for (int x = 0; x < ART_CELL_W; x++)
        if (raster_get(r, x, y) != raster_get(cell, x, y)) {
          lo = std::min(lo, x);
          hi = std::max(hi, x);
        }
    return std::pair{lo, hi};
  };
  const auto [l0, l1] = extent(left);
  const auto [r0, r1] = extent(right);
  ASSERT_GE(l1, 0);
  EXPECT_EQ(l0, ART_CELL_W - 1 - r1);
  EXPECT_EQ(l1, ART_CELL_W - 1 - r0);
  EXPECT_GT(l1, ART_CELL_W / 2) << "the jab should reach past the middle";
}

TEST(DemoArt, PicturesForStFormatsKeepToSixteenColours) {
  for (auto scene : {art_title, art_select, art_temple, art_court, art_forge}) {
    const art_scene s = scene();
    EXPECT_LE(s.palette.count, 16);
    for (int16_t v : s.picture.px) ASSERT_LT(v, 16);
  }
}

TEST(DemoCommand, NeedsExactlyOneFolder) {
  EXPECT_EQ(kit("demo").status, 2);
  EXPECT_EQ(kit("demo a b").status, 2);
  EXPECT_EQ(kit("check a b").status, 2);
}

// A small playable folder to break in one way at a time.
class CheckFolder : public testing::Test {
protected:
  void SetUp() override {
    write_picture(folder.path / "bg.pcx", 320, 200);
    write_picture(folder.path / "sheet.lbm", 300, 60);
    write_file(folder.path / "good.dat", "Good\nbg.pcx\nsheet.lbm\n5\n-\n0\n");
  }
  run_result check() { return kit("check '" + folder.path.string() + "'"); }
  temp_folder folder;
};

TEST_F(CheckFolder, AcceptsAPlayableSet) {
  const run_result r = check();
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find("set 1: \"Good\" (good.dat)"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("\"sheet.lbm\" (300x60)"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("player 2: no fighter"), std::string::npos) << r.output;
}

TEST_F(CheckFolder, FlagsAMissingSheet) {
  write_file(folder.path / "bad.dat", "Bad\nbg.pcx\nnosuch.pi1\n3\nsheet.lbm\n2\n");
  const run_result r = check();
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find("problem: \"nosuch.pi1\" does not load: Unable to open file"), std::string::npos)
      << r.output;
}

TEST_F(CheckFolder, FlagsASheetTooSmallForItsPairs) {
  write_picture(folder.path / "small.lbm", 120, 30);
  write_file(folder.path / "bad.dat", "Bad\nbg.pcx\nsmall.lbm\n3\n-\n0\n");
  const run_result r = check();
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find("\"small.lbm\" is 120x30; 3 pairs need 300x60"), std::string::npos) << r.output;
  // The same sheet holds two cells: one pair fits.
  write_file(folder.path / "bad.dat", "Bad\nbg.pcx\nsmall.lbm\n1\n-\n0\n");
  EXPECT_EQ(check().status, 0);
}

TEST_F(CheckFolder, FlagsAClampedPairCount) {
  write_picture(folder.path / "full.lbm", 320, 200);
  write_file(folder.path / "bad.dat", "Bad\nbg.pcx\n-\n0\nfull.lbm\n20\n");
  const run_result r = check();
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find("player 2's pair count 20 is more than 15; the game uses 15"), std::string::npos)
      << r.output;
  write_file(folder.path / "bad.dat", "Bad\nbg.pcx\n-\n0\nfull.lbm\n15\n");
  EXPECT_EQ(check().status, 0);
}

TEST_F(CheckFolder, FlagsAFileShortOfSixLines) {
  write_file(folder.path / "short.dat", "Short\nbg.pcx\nsheet.lbm\n2\n-\n");
  const run_result r = check();
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find("short.dat has 5 of the six lines"), std::string::npos) << r.output;
}

TEST_F(CheckFolder, FlagsSetsBeyondTheNineteenth) {
  for (int i = 2; i <= 19; i++)
    write_file(folder.path / ("set" + std::to_string(i) + ".dat"), "Set\nbg.pcx\nsheet.lbm\n5\n-\n0\n");
  EXPECT_EQ(check().status, 0);
  write_file(folder.path / "set20.dat", "Set\nbg.pcx\nsheet.lbm\n5\n-\n0\n");
  const run_result r = check();
  EXPECT_EQ(r.status, 1) << r.output;
  size_t ignored = 0;
  for (size_t at = r.output.find("is ignored: the game reads at most 19 sets"); at != std::string::npos;
       at = r.output.find("is ignored", at + 1))
    ignored++;
  EXPECT_EQ(ignored, 1u) << r.output;
  EXPECT_NE(r.output.find("set 19:"), std::string::npos);
  EXPECT_EQ(r.output.find("set 20:"), std::string::npos);
}

TEST_F(CheckFolder, FlagsAFolderWithoutSets) {
  fs::remove(folder.path / "good.dat");
  const run_result r = check();
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find("No fighters were found"), std::string::npos) << r.output;
}

TEST_F(CheckFolder, FlagsAPcxWhoseRowsAreNotScreenWide) {
  write_picture(folder.path / "narrow.pcx", 300, 60);
  write_file(folder.path / "bad.dat", "Bad\nbg.pcx\nnarrow.pcx\n2\n-\n0\n");
  const run_result r = check();
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find("\"narrow.pcx\" has rows of 300 pixels"), std::string::npos) << r.output;
}

TEST_F(CheckFolder, ResolvesNamesInTheCheckedFolderNotTheCurrentOne) {
  // Run from elsewhere: the set's names must still be found beside it.
  const run_result r = kit("check '" + folder.path.string() + "'");
  EXPECT_EQ(r.status, 0) << r.output;
  // And a name that exists only in the current folder is not found.
  const char *bin = kit_path();
  temp_folder other;
  write_picture(other.path / "only-here.pcx", 320, 200);
  write_file(folder.path / "bad.dat", "Bad\nonly-here.pcx\n-\n0\n-\n0\n");
  const std::string cmd = "cd '" + other.path.string() + "' && '" + bin + "' check '" +
                          folder.path.string() + "' >/dev/null 2>&1";
  EXPECT_NE(std::system(cmd.c_str()), 0);
}

} // namespace
