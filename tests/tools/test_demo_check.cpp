// qira-kit demo draws a playable folder; qira-kit check catches what would
// keep a set from playing.
#include "qira-kit/demo_art.h"
#include "qira-kit/picture.h"
#include "support/test_support.h"
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <tuple>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct run_result { int status = -1; std::string output; };

// Runs the qira-kit binary, as a set maker would.
run_result kit(const std::string &args) {
  const char *bin = std::getenv("QIRA_KIT") ? std::getenv("QIRA_KIT") : QIRA_KIT_PATH;
  run_result r;
  FILE *p = popen(("'" + std::string(bin) + "' " + args + " 2>&1").c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  for (size_t n; (n = std::fread(buf.data(), 1, buf.size(), p)) > 0;) r.output.append(buf.data(), n);
  const int w = pclose(p);
  r.status = WIFEXITED(w) ? WEXITSTATUS(w) : -1;
  return r;
}

kit_picture read_picture(const std::string &file) {
  kit_picture pic;
  std::string error;
  EXPECT_TRUE(kit_read(file, pic, error)) << file << ": " << error;
  return pic;
}

void write_picture(const std::string &file, int width, int height) {
  kit_picture pic{width, height, std::vector<uint8_t>(size_t(width) * height, 1), {}};
  std::string error;
  ASSERT_TRUE(kit_write(file, pic, error)) << error;
}

TEST(Demo, DrawsAFolderThatPassesCheckWithEveryFormatAndFramesOnTheBackground) {
  test_temp_dir dir;
  ASSERT_EQ(kit("demo '" + dir.path + "'").status, 0);
  const run_result r = kit("check '" + dir.path + "'");
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find("all would play"), std::string::npos) << r.output;
  EXPECT_EQ(r.output.find("missing"), std::string::npos) << "no title or selection picture";
  std::set<std::string> formats;
  int sets = 0, one_sided = 0;
  for (const auto &e : fs::directory_iterator(dir.path)) {
    if (e.path().extension() != ".dat") continue;
    SCOPED_TRACE(e.path().string());
    std::ifstream in(e.path());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 6u);
    sets++;
    formats.insert(fs::path(lines[1]).extension().string());
    const kit_picture bg = read_picture(dir.file(lines[1]));
    ASSERT_TRUE(bg.width == VSCRN_W && bg.height == VSCRN_H);
    for (int side : {2, 4}) {
      const int pairs = std::atoi(lines[side + 1].c_str());
      if (lines[side] == "-") {
        one_sided++;
        continue;
      }
      EXPECT_GE(pairs, 3) << lines[side];
      formats.insert(fs::path(lines[side]).extension().string());
      // Each frame is the fighter on a copy of the background's attack cell.
      const kit_picture sheet = read_picture(dir.file(lines[side]));
      ASSERT_TRUE(sheet.width == VSCRN_W && sheet.height == VSCRN_H) << lines[side];
      for (int k = 0; k < 2 * pairs; k++) {
        const int cx = fighter_frame_x(k), cy = fighter_frame_y(k);
        int backdrop = 0;
        for (int y = 0; y < FIGHTER_CELL_H; y++)
          for (int x = 0; x < FIGHTER_CELL_W; x++)
            backdrop += sheet.pixels[size_t(cy + y) * sheet.width + cx + x] ==
                        bg.pixels[size_t(FIGHTER_CELL_Y + y) * bg.width + FIGHTER_CELL_X + x];
        EXPECT_GT(backdrop, FIGHTER_CELL_W * FIGHTER_CELL_H / 2) << lines[side] << " frame " << k << " is off the background";
        EXPECT_LT(backdrop, FIGHTER_CELL_W * FIGHTER_CELL_H - 100) << lines[side] << " frame " << k << " has no fighter";
      }
    }
  }
  EXPECT_GE(sets, 4);
  EXPECT_GE(one_sided, 1);
  EXPECT_EQ(formats, (std::set<std::string>{".pi1", ".pc1", ".neo", ".lbm", ".pcx"}));
}

TEST(Check, FlagsWhatWouldKeepASetFromPlaying) {
  const struct {
    const char *set; // added as x.dat beside a good set; null: no set at all
    int status;
    const char *says;
  } cases[] = {
      {"Two\nbg.pcx\n-\n0\nsheet.lbm\n5\n", 0, "\"Two\" (x.dat)"},
      {"X\nbg.pcx\nnosuch.pi1\n3\nsheet.lbm\n2\n", 1, "problem: \"nosuch.pi1\" does not load: Unable to open file"},
      {"X\nbg.pcx\nsmall.lbm\n3\n-\n0\n", 1, "\"small.lbm\" is 120x30; 3 pairs need 300x60"},
      {"X\nbg.pcx\nsmall.lbm\n1\n-\n0\n", 0, "sheet: \"small.lbm\" (120x30)"}, // two cells: one pair
      {"X\nbg.pcx\n-\n0\nfull.lbm\n20\n", 1, "player 2's pair count 20 is more than 15; the game uses 15"},
      {"X\nbg.pcx\n-\n0\nfull.lbm\n15\n", 0, "all would play"},
      {"X\nbg.pcx\nsheet.lbm\n2\n-\n", 1, "x.dat has 5 of the six lines"},
      {"X\nbg.pcx\nnarrow.pcx\n2\n-\n0\n", 1, "\"narrow.pcx\" has rows of 300 pixels"},
      {nullptr, 1, "No fighters were found"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.set ? c.set : "no set");
    test_temp_dir dir;
    for (auto [name, w, h] : {std::tuple{"bg.pcx", 320, 200}, {"sheet.lbm", 300, 60}, {"small.lbm", 120, 30},
                              {"full.lbm", 320, 200}, {"narrow.pcx", 300, 60}})
      write_picture(dir.file(name), w, h);
    if (c.set) {
      std::ofstream(dir.file("good.dat")) << "Good\nbg.pcx\nsheet.lbm\n5\n-\n0\n";
      std::ofstream(dir.file("x.dat")) << c.set;
    }
    const run_result r = kit("check '" + dir.path + "'");
    EXPECT_EQ(r.status, c.status) << r.output;
    EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
  }
}

TEST(Check, IgnoresSetsBeyondTheNineteenth) {
  test_temp_dir dir;
  write_picture(dir.file("bg.pcx"), 320, 200);
  write_picture(dir.file("sheet.lbm"), 300, 60);
  for (int i = 1; i <= 20; i++)
    std::ofstream(dir.file("set" + std::to_string(i) + ".dat")) << "S\nbg.pcx\nsheet.lbm\n5\n-\n0\n";
  const run_result r = kit("check '" + dir.path + "'");
  EXPECT_EQ(r.status, 1) << r.output;
  const size_t at = r.output.find("is ignored: the game reads at most 19 sets");
  EXPECT_NE(at, std::string::npos) << r.output;
  EXPECT_EQ(r.output.find("is ignored", at + 1), std::string::npos) << r.output;
  EXPECT_TRUE(r.output.find("set 19:") != std::string::npos && r.output.find("set 20:") == std::string::npos);
}

TEST(KitCommands, WrongArgumentCountsAreStatusTwo) {
  for (const char *args :
       {"demo", "demo a b", "check a b", "icon 32", "icon 7 x.png", "icon 32px x.png"})
    EXPECT_EQ(kit(args).status, 2) << args;
}

} // namespace
