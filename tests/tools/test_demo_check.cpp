// qira-kit demo draws a playable folder; qira-kit check catches what would
// keep a set from playing.
#include "kit_run.h"
#include "qira-kit/check.h"
#include <filesystem>
#include <fstream>
#include <numeric>
#include <set>

namespace fs = std::filesystem;

namespace {

TEST(Demo, DrawsAFolderThatPassesCheckWithEveryFormatAndFramesOnTheBackground) {
  test_temp_dir dir;
  ASSERT_EQ(kit("demo .", dir.path).status, 0);
  const run_result r = kit("check .", dir.path);
  EXPECT_TRUE(r.status == 0 && r.output.find("missing") == std::string::npos) << r.output;
  std::set<fs::path> formats;
  int one_sided = 0;
  for (const auto &e : fs::directory_iterator(dir.path)) {
    std::ifstream in(e.path());
    std::array<std::string, 6> line;
    for (std::string &l : line) std::getline(in, l);
    if (e.path().extension() != ".dat") continue;
    formats.insert(fs::path(line[1]).extension());
    const kit_picture bg = kit_load(dir.file(line[1]));
    for (int side : {2, 4}) {
      one_sided += line[side] == "-";
      if (line[side] == "-") continue;
      formats.insert(fs::path(line[side]).extension());
      // Each frame is the fighter on a copy of the background's attack cell.
      const kit_picture sheet = kit_load(dir.file(line[side]));
      ASSERT_TRUE(bg.pixels.size() == VSCRN_W * VSCRN_H && sheet.pixels.size() == bg.pixels.size());
      const auto backdrop = kit_cell(bg.pixels.data(), VSCRN_W, FIGHTER_CELL_X, FIGHTER_CELL_Y);
      for (int k = 0; k < 2 * std::atoi(line[side + 1].c_str()); k++) {
        const auto frame =
            kit_cell(sheet.pixels.data(), VSCRN_W, fighter_frame_x(k), fighter_frame_y(k));
        const long same = std::inner_product(frame.begin(), frame.end(), backdrop.begin(), 0L,
                                             std::plus<>(), std::equal_to<>());
        EXPECT_TRUE(same > 900 && same < 1700) << line[side] << " frame " << k << ": " << same;
      }
    }
  }
  EXPECT_GE(one_sided, 1);
  EXPECT_EQ(formats, (std::set<fs::path>{".pi1", ".pc1", ".neo", ".lbm", ".pcx"}));
}

// The pictures a set maker would have: backgrounds in 256 and 16 colours and
// 300x60 sheets whose cells hold a figure in their middle third on colour 1,
// in colour `first` in the first pair's cells and `rest` in the others.
void write_set_pictures(const test_temp_dir &dir) {
  constexpr uint8_t level[8] = {0, 36, 73, 109, 146, 182, 219, 255}; // the ST's levels
  std::array<uint8_t, 768> st{}, full{};
  for (size_t e = 0; e < 768; e++) {
    full[e] = uint8_t(e / 3 * (e % 3 + 1));
    if (e < 48) st[e] = full[e] = level[(e / 3 * (e % 3 + 3) + e % 3) & 7];
  }
  auto own = st;
  own[3 * 2] ^= 0x80; // entry 2 in the sheet's own colour
  const struct {
    const char *name;
    int w, h;
    const std::array<uint8_t, 768> &palette;
    int first, rest;
  } pictures[] = {
      {"bg.pcx", 320, 200, full, 3, 3},   {"bg.pi1", 320, 200, st, 3, 3},
      {"flat.pcx", 320, 200, full, 2, 2}, {"hero.png", 320, 200, full, 2, 2},
      {"sheet.lbm", 300, 60, st, 2, 2},   {"own.lbm", 300, 60, own, 2, 2},
      {"small.lbm", 120, 30, st, 2, 2},   {"narrow.pcx", 300, 60, full, 2, 2},
      {"plain.lbm", 300, 60, st, 2, 1},   {"hi.pcx", 320, 200, full, 20, 40},
  };
  for (const auto &p : pictures) {
    kit_picture pic{p.w, p.h, {}, p.palette};
    for (int y = 0; y < p.h; y++)
      for (int x = 0; x < p.w; x++)
        pic.pixels.push_back(uint8_t(
            x % 60 / 20 == 1 && y % 30 / 10 == 1 ? (x < 120 && y < 30 ? p.first : p.rest) : 1));
    std::string error;
    ASSERT_TRUE(kit_write(dir.file(p.name), pic, error)) << p.name << ": " << error;
  }
  // Ymax 1 below Ymin 5: the game loads it and draws no row.
  std::fstream(dir.file("flat.pcx"), std::ios::in | std::ios::out | std::ios::binary)
      .seekp(6)
      .write("\x05", 1)
      .seekp(10)
      .write("\x01", 1);
}

TEST(Check, ReportsEveryMistakeThatShowsWrongInTheGame) {
  const std::string rest = "\nbg.pcx\nsheet.lbm\n5\n-\n0\n"; // a good set after its name
  const struct {
    std::string set; // written as x.dat beside a good set; empty: no set at all
    int status;
    const char *says, *also = "";
    const char *checked = "."; // what is checked
  } cases[] = {
      {"Two\nbg.pcx\n-\n0\nsheet.lbm\n5\n", 0, "2 sets, all would play"},
      {"X\nbg.pcx\nsheet.lbm\n5\nsmall.lbm\n3\n", 1, "1 set, 2 problems", "", "x.dat"},
      {"X\nbg.pcx\nnosuch.pi1\n3\n-\n0\n", 0, "1 set, all would play", "", "good.dat"},
      {"X\nbg.pcx\nnosuch.pi1\n3\n-\n0\n", 1, "\"nosuch.pi1\" (x.dat line 3) does not load"},
      {"X\nbg.pcx\nhero.png\n3\n-\n0\n", 1, "Unhandled image type: the game reads only",
       "`qira-kit convert hero.png hero.lbm`"},
      {"X\nbg.pcx\nsmall.lbm\n3\n-\n0\n", 1,
       "player 1's pair 1 in \"small.lbm\": frame 2 (cell at 120,0) lies outside"},
      {"X\nbg.pcx\nsheet.lbm\n2\n-\n0\n", 0,
       "note: player 1's sheet \"sheet.lbm\" has drawing "
       "outside the 4 cells its pair count uses (first at 260,10)"},
      {"X\nbg.pcx\nplain.lbm\n2\n-\n0\n", 1,
       "pair 1 in \"plain.lbm\": frame 2 (cell at 120,0) "
       "is all colour 1"},
      {"X\nbg.pcx\n-\n0\nsheet.lbm\n20\n", 1, "player 2's pair count 20 is more than 15"},
      {"X\nbg.pcx\n-\n0\nsheet.lbm\nthree\n", 1, "\"three\" (x.dat line 6) is not a number"},
      {"X\nbg.pcx\nsheet.lbm\n2\n-\n", 1, "x.dat has 5 of the six lines"},
      {"X\nbg.pcx\nnarrow.pcx\n2\n-\n0\n", 1,
       "has rows of 300 pixels; the game lays PCX rows "
       "320 apart, so it comes out skewed: pad it on the right to 320 pixels wide"},
      {"X\nbg.pcx\nown.lbm\n2\n-\n0\n", 1,
       "\"own.lbm\" has other colours than the background "
       "\"bg.pcx\" on entry 2 (800 pixels"},
      {"X\nbg.pi1\nhi.pcx\n2\n-\n0\n", 1,
       "uses entry 20 (400 pixels), which behind the ST "
       "background \"bg.pi1\" are the selection screen's random shades",
       "uses entry 40 (400 "
       "pixels), which the background \"bg.pi1\" does not define (it has 16 colours)"},
      {"X\nbg.pcx\nhi.pcx\n2\n-\n0\n", 0, "all would play"},
      {"X\nflat.pcx\nsheet.lbm\n5\n-\n0\n", 0, "background \"flat.pcx\" loads but draws nothing"},
      {"X\nbg.pcx\nflat.pcx\n1\n-\n0\n", 1, "frame 0 (cell at 0,0) lies outside what the sheet"},
      {" X\nbg.pcx \nsheet.lbm\n5\n-\n0\n", 1, "(the name) has a space at its start",
       "x.dat line 2 \"bg.pcx \" (the background) has a space at its end"},
      {"\xEF\xBB\xBFX" + rest, 1, "x.dat starts with a UTF-8 byte order mark"},
      {"Zo\xC3\xAB" + rest, 1, "cannot show: \"\xC3\xAB\" (2 bytes, drawn as 2 other glyphs)"},
      {"A\tB\xFF" + rest, 1, "byte 0x09 (a control character), byte 0xFF (a blank glyph)"},
      {"Zo\x89" + rest, 0, "note: x.dat: the name has bytes above 127 (0x89)"},
      {std::string(FIGHTSET_NAME_CHARS + 1, 'N') + rest, 1, "is 39 characters; the list shows 38"},
      {"", 1, "No fighters were found"},
  };
  test_temp_dir dir;
  write_set_pictures(dir);
  for (const auto &c : cases) {
    SCOPED_TRACE(c.set);
    fs::remove(dir.file("good.dat"));
    fs::remove(dir.file("x.dat"));
    if (!c.set.empty()) {
      // As long a name as the list shows.
      std::ofstream(dir.file("good.dat"))
          << std::string(FIGHTSET_NAME_CHARS, 'N') << "\nbg.pcx\nsheet.lbm\n5\nsmall.lbm\n1\n";
      std::ofstream(dir.file("x.dat")) << c.set;
    }
    const run_result r = kit(std::string("check ") + c.checked, dir.path);
    EXPECT_EQ(r.status, c.status) << r.output;
    EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
    EXPECT_NE(r.output.find(c.also), std::string::npos) << r.output;
  }

  // The findings name the player and pair, for the preview to mark: player
  // 2's pairs 1 and 2 reach past the 120x30 sheet; nothing else is wrong.
  std::ofstream(dir.file("x.dat")) << "X\nbg.pcx\nsheet.lbm\n5\nsmall.lbm\n3\n";
  const auto findings = check_set_findings(dir.file("x.dat"));
  ASSERT_EQ(findings.size(), 2u);
  for (int j = 1; j <= 2; j++) {
    const check_finding &f = findings[size_t(j - 1)];
    EXPECT_TRUE(f.problem && f.player == 1 && f.pair == j) << f.text;
  }

  // The game reads 19 sets; check says once that the rest are ignored.
  fs::remove(dir.file("good.dat"));
  fs::remove(dir.file("x.dat"));
  for (int i = 1; i <= 20; i++)
    std::ofstream(dir.file("set" + std::to_string(i) + ".dat")) << "S" << rest;
  const run_result r = kit("check .", dir.path);
  const size_t at = r.output.find("is ignored: the game reads at most 19 sets");
  EXPECT_TRUE(r.status == 1 && at != std::string::npos &&
              r.output.find("is ignored", at + 1) == std::string::npos &&
              r.output.find("set 20:") == std::string::npos &&
              r.output.find("19 sets, 1 problem (2 notes)") != std::string::npos)
      << r.output;
}

} // namespace
