// qira-kit demo draws a playable folder; qira-kit check catches what would
// keep a set from playing.
#include "qira-kit/check.h"
#include "qira-kit/demo_art.h"
#include "qira-kit/picture.h"
#include "support/test_support.h"
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <set>
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
  EXPECT_EQ(formats,
            (std::set<std::string>{".pi1", ".pc1", ".neo", ".lbm", ".pcx"}));
}

// A colour `on` figure in the middle third of each cell, on colour 1.
int figure(int on, int x, int y) {
  return x % 60 / 20 == 1 && y % 30 / 10 == 1 ? on : 1;
}

// The pictures a set maker would have: backgrounds in 256 and 16 colours and
// sheets whose frames are a colour-2 figure on colour 1, cell by cell.
void write_set_pictures(const test_temp_dir &dir) {
  constexpr uint8_t level[8] = {0,   36,  73,  109,
                                146, 182, 219, 255}; // the ST's levels
  std::array<uint8_t, 768> st{}, full{};
  for (int e = 0; e < 256; e++)
    for (int i = 0; i < 3; i++) {
      const uint8_t v =
          e < 16 ? level[(e * (i + 3) + i) & 7] : uint8_t(e * (i + 1));
      if (e < 16)
        st[size_t(3 * e + i)] = v;
      full[size_t(3 * e + i)] = v;
    }
  auto own = st;
  own[3 * 2] ^= 0x80; // entry 2 in the sheet's own colour
  const struct {
    const char *name;
    int w, h;
    const std::array<uint8_t, 768> &palette;
    std::function<int(int, int)> colour;
  } pictures[] = {
      {"bg.pcx", 320, 200, full, [](int x, int y) { return figure(3, x, y); }},
      {"bg.pi1", 320, 200, st, [](int x, int y) { return figure(3, x, y); }},
      {"sheet.lbm", 300, 60, st, [](int x, int y) { return figure(2, x, y); }},
      {"own.lbm", 300, 60, own, [](int x, int y) { return figure(2, x, y); }},
      {"small.lbm", 120, 30, st, [](int x, int y) { return figure(2, x, y); }},
      {"narrow.pcx", 300, 60, full,
       [](int x, int y) { return figure(2, x, y); }},
      {"plain.lbm", 300, 60, st,
       [](int x, int y) { return x < 120 && y < 30 ? figure(2, x, y) : 1; }},
      {"hi.pcx", 320, 200, full,
       [](int x, int y) { return figure(x < 120 && y < 30 ? 20 : 40, x, y); }},
      {"hero.png", 320, 200, full,
       [](int x, int y) { return figure(2, x, y); }},
      {"flat.pcx", 320, 200, full,
       [](int x, int y) { return figure(2, x, y); }},
  };
  for (const auto &p : pictures) {
    kit_picture pic{p.w, p.h, std::vector<uint8_t>(size_t(p.w) * p.h),
                    p.palette};
    for (int y = 0; y < p.h; y++)
      for (int x = 0; x < p.w; x++)
        pic.pixels[size_t(y) * p.w + x] = uint8_t(p.colour(x, y));
    std::string error;
    ASSERT_TRUE(kit_write(dir.file(p.name), pic, error))
        << p.name << ": " << error;
  }
  // Ymax below Ymin: the game loads it and draws no row.
  std::fstream flat(dir.file("flat.pcx"),
                    std::ios::in | std::ios::out | std::ios::binary);
  flat.seekp(6);
  flat.write("\x05\x00", 2); // Ymin
  flat.seekp(10);
  flat.write("\x01\x00", 2); // Ymax
}

TEST(Check, ReportsEveryMistakeThatShowsWrongInTheGame) {
  const std::string long_name(FIGHTSET_NAME_CHARS, 'N');
  const struct {
    std::string set; // written as x.dat beside a good set; empty: no set at all
    int status;
    const char *says;
  } cases[] = {
      {"Two\nbg.pcx\n-\n0\nsheet.lbm\n5\n", 0, "2 sets, all would play"},
      {"X\nbg.pcx\nnosuch.pi1\n3\nsheet.lbm\n2\n", 1,
       "\"nosuch.pi1\" (x.dat line 3) does not load: Unable to open file"},
      {"X\nbg.pcx\nhero.png\n3\n-\n0\n", 1,
       "Unhandled image type: the game reads only"},
      {"X\nbg.pcx\nhero.png\n3\n-\n0\n", 1,
       "`qira-kit convert hero.png hero.lbm`"},
      {"X\nbg.pcx\nsmall.lbm\n3\n-\n0\n", 1,
       "player 1's pair 1 in \"small.lbm\": frame 2 (cell at 120,0) lies "
       "outside"},
      {"X\nbg.pcx\nsmall.lbm\n1\n-\n0\n", 0, "(IFF PBM, 120x30)"},
      {"X\nbg.pcx\nsheet.lbm\n2\n-\n0\n", 0,
       "note: player 1's sheet \"sheet.lbm\" has drawing outside the 4 cells "
       "its pair count uses (first at 260,10)"},
      {"X\nbg.pcx\nplain.lbm\n2\n-\n0\n", 1,
       "pair 1 in \"plain.lbm\": frame 2 (cell at 120,0) is all colour 1"},
      {"X\nbg.pcx\n-\n0\nsheet.lbm\n20\n", 1,
       "player 2's pair count 20 is more than 15; the game uses 15"},
      {"X\nbg.pcx\n-\n0\nsheet.lbm\nthree\n", 1,
       "\"three\" (x.dat line 6) is not a number; the game reads it as 0"},
      {"X\nbg.pcx\nsheet.lbm\n2\n-\n", 1, "x.dat has 5 of the six lines"},
      {"X\nbg.pcx\nnarrow.pcx\n2\n-\n0\n", 1,
       "has rows of 300 pixels; the game lays PCX rows 320 apart, so it comes "
       "out skewed: pad it on the right to 320 pixels wide"},
      {"X\nbg.pcx\nown.lbm\n2\n-\n0\n", 1,
       "\"own.lbm\" has other colours than the background \"bg.pcx\" on entry "
       "2 (800 pixels; 2: #"},
      {"X\nbg.pi1\nhi.pcx\n2\n-\n0\n", 1,
       "uses entry 20 (400 pixels), which behind the ST background \"bg.pi1\" "
       "are the selection screen's random shades"},
      {"X\nbg.pi1\nhi.pcx\n2\n-\n0\n", 1,
       "uses entry 40 (400 pixels), which the background \"bg.pi1\" does not "
       "define (it has 16 colours)"},
      {"X\nbg.pcx\nhi.pcx\n2\n-\n0\n", 0, "all would play"},
      {"X\nbg.pi1\nsheet.lbm\n5\n-\n0\n", 0, "all would play"},
      {"X\nflat.pcx\nsheet.lbm\n5\n-\n0\n", 0,
       "note: background \"flat.pcx\" loads but draws nothing"},
      {"X\nbg.pcx\nflat.pcx\n1\n-\n0\n", 1,
       "frame 0 (cell at 0,0) lies outside what the sheet draws"},
      {"X\nbg.pcx \nsheet.lbm\n5\n-\n0\n", 1,
       "x.dat line 2 \"bg.pcx \" (the background) has a space at its end"},
      {" X\nbg.pcx\nsheet.lbm\n5\n-\n0\n", 1,
       "(the name) has a space at its start"},
      {"\xEF\xBB\xBFX\nbg.pcx\nsheet.lbm\n5\n-\n0\n", 1,
       "x.dat starts with a UTF-8 byte order mark"},
      {"Zo\xC3\xAB\nbg.pcx\nsheet.lbm\n5\n-\n0\n", 1,
       "cannot show: \"\xC3\xAB\" (2 bytes, drawn as 2 other glyphs)"},
      {"A\tB\xFF\nbg.pcx\nsheet.lbm\n5\n-\n0\n", 1,
       "byte 0x09 (a control character), byte 0xFF (a blank glyph)"},
      {"Zo\x89\nbg.pcx\nsheet.lbm\n5\n-\n0\n", 0,
       "note: x.dat: the name has bytes above 127 (0x89)"},
      {long_name + "\nbg.pcx\nsheet.lbm\n5\n-\n0\n", 0, "all would play"},
      {long_name + "M\nbg.pcx\nsheet.lbm\n5\n-\n0\n", 1,
       "the name is 39 characters; the list shows 38"},
      {"", 1, "No fighters were found"},
  };
  test_temp_dir dir;
  write_set_pictures(dir);
  for (const auto &c : cases) {
    SCOPED_TRACE(c.set);
    fs::remove(dir.file("good.dat"));
    fs::remove(dir.file("x.dat"));
    if (!c.set.empty()) {
      std::ofstream(dir.file("good.dat"))
          << "Good\nbg.pcx\nsheet.lbm\n5\nsmall.lbm\n1\n";
      std::ofstream(dir.file("x.dat")) << c.set;
    }
    const run_result r = kit("check '" + dir.path + "'");
    EXPECT_EQ(r.status, c.status) << r.output;
    EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
  }
}

TEST(Check, OneSetFileAndItsFindingsForOtherCommands) {
  test_temp_dir dir;
  write_set_pictures(dir);
  std::ofstream(dir.file("x.dat")) << "X\nbg.pcx\nsheet.lbm\n5\nsmall.lbm\n3\n";
  std::ofstream(dir.file("good.dat")) << "Good\nbg.pcx\nsheet.lbm\n5\n-\n0\n";
  run_result r = kit("check '" + dir.file("good.dat") + "'");
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find("1 set, all would play"), std::string::npos)
      << r.output;
  EXPECT_EQ(r.output.find("x.dat"), std::string::npos)
      << "only the set asked for: " << r.output;
  r = kit("check '" + dir.file("x.dat") + "'");
  EXPECT_EQ(r.status, 1) << r.output;
  EXPECT_NE(r.output.find("1 set, 2 problems"), std::string::npos) << r.output;

  // Player 2's pairs 1 and 2 reach past the 120x30 sheet; nothing else is
  // wrong.
  const auto findings = check_set_findings(dir.file("x.dat"));
  ASSERT_EQ(findings.size(), 2u);
  for (int j = 1; j <= 2; j++) {
    const check_finding &f = findings[size_t(j - 1)];
    EXPECT_TRUE(f.problem && f.player == 1 && f.pair == j) << f.text;
  }
}

TEST(Check, UsageAndRefusals) {
  test_temp_dir dir;
  write_set_pictures(dir);
  const struct {
    std::string args;
    int status;
    const char *says;
  } cases[] = {
      {"check a b", 2, "usage: qira-kit check [DIR | FILE.dat]"},
      {"check --all", 2, "usage: qira-kit check"},
      {"check '" + dir.file("hero.png") + "'", 2,
       "is neither a folder nor a set file (*.dat)"},
      {"check '" + dir.file("nosuch.dat") + "'", 1,
       "nosuch.dat: No such file or directory"},
      {"demo", 2, "usage"},
      {"demo a b", 2, "usage"},
  };
  for (const auto &c : cases) {
    const run_result r = kit(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.output;
    EXPECT_NE(r.output.find(c.says), std::string::npos) << c.args << "\n"
                                                        << r.output;
  }
}

TEST(Check, IgnoresSetsBeyondTheNineteenth) {
  test_temp_dir dir;
  write_set_pictures(dir);
  for (int i = 1; i <= 20; i++)
    std::ofstream(dir.file("set" + std::to_string(i) + ".dat"))
        << "S\nbg.pcx\nsheet.lbm\n5\n-\n0\n";
  const run_result r = kit("check '" + dir.path + "'");
  EXPECT_EQ(r.status, 1) << r.output;
  const size_t at = r.output.find("is ignored: the game reads at most 19 sets");
  EXPECT_NE(at, std::string::npos) << r.output;
  EXPECT_EQ(r.output.find("is ignored", at + 1), std::string::npos) << r.output;
  EXPECT_TRUE(r.output.find("set 19:") != std::string::npos &&
              r.output.find("set 20:") == std::string::npos);
  EXPECT_NE(r.output.find("19 sets, 1 problem (2 notes)"), std::string::npos)
      << r.output;
}

TEST(KitCommands, WrongArgumentCountsAreStatusTwo) {
  for (const char *args :
       {"demo", "demo a b", "check a b", "icon 32", "icon 7 x.png", "icon 32px x.png"})
    EXPECT_EQ(kit(args).status, 2) << args;
}

} // namespace
