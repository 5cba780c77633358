// qira-kit check catches what would keep a set from playing or show wrong in the game.
#include "kit_run.h"
#include "qira-kit/check.h"
#include "qira-kit/preview.h"
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

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
    for (int i = 0; i < p.w * p.h; i++) {
      const int x = i % p.w, y = i / p.w;
      pic.pixels.push_back(uint8_t(
          x % 60 / 20 == 1 && y % 30 / 10 == 1 ? (x < 120 && y < 30 ? p.first : p.rest) : 1));
    }
    std::string error;
    ASSERT_TRUE(kit_write(dir.file(p.name), pic, error)) << p.name << ": " << error;
  }
  std::fstream flat(dir.file("flat.pcx"), std::ios::in | std::ios::out | std::ios::binary);
  flat.seekp(6) << '\5';  // Ymin 5
  flat.seekp(10) << '\1'; // Ymax 1, below it: the game loads it and draws no row
}

// A set of player 1's sheet and pair count, player 2 left out.
std::string one(const char *pictures) { return std::string("X\n") + pictures + "\n-\n0\n"; }

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
      {one("bg.pcx\nnosuch.pi1\n3"), 1, "\"nosuch.pi1\" (x.dat line 3) does not load"},
      {one("bg.pcx\nhero.png\n3"), 1, "Unhandled image type", "qira-kit convert hero.png hero.lbm"},
      {one("bg.pcx\nsmall.lbm\n3"), 1, "\"small.lbm\": frame 2 (cell at 120,0) lies outside"},
      {one("bg.pcx\nsheet.lbm\n2"), 0, "note: player 1's sheet", "outside the 4 cells"},
      {one("bg.pcx\nplain.lbm\n2"), 1, "frame 2 (cell at 120,0) is all colour 1"},
      {"X\nbg.pcx\n-\n0\nsheet.lbm\n20\n", 1, "player 2's pair count 20 is more than 15"},
      {"X\nbg.pcx\n-\n0\nsheet.lbm\nthree\n", 1, "\"three\" (x.dat line 6) is not a number"},
      {"X\nbg.pcx\nsheet.lbm\n2\n-\n", 1, "x.dat has 5 of the six lines"},
      {one("bg.pcx\nnarrow.pcx\n2"), 1, "rows of 300 pixels", "pad it on the right to 320"},
      {one("bg.pcx\nown.lbm\n2"), 1, "other colours than the background", "entry 2 (800 pixels"},
      {one("bg.pi1\nhi.pcx\n2"), 1, "entry 20 (400 pixels), which behind the ST", "entry 40 (400"},
      {one("bg.pcx\nhi.pcx\n2"), 0, "all would play"},
      {one("flat.pcx\nsheet.lbm\n5"), 0, "background \"flat.pcx\" loads but draws nothing"},
      {one("bg.pcx\nflat.pcx\n1"), 1, "frame 0 (cell at 0,0) lies outside what the sheet"},
      {" X\nbg.pcx \nsheet.lbm\n5\n-\n0\n", 1, "(the name) has a space at its start",
       "x.dat line 2 \"bg.pcx \" (the background) has a space at its end"},
      {"\xEF\xBB\xBFX" + rest, 1, "x.dat starts with a UTF-8 byte order mark"},
      {"Zo\xC3\xAB" + rest, 1, "cannot show: \"\xC3\xAB\" (2 bytes, drawn as 2 other glyphs)"},
      {"A\tB\xFF" + rest, 1, "byte 0x09 (a control character), byte 0xFF (a blank glyph)"},
      {std::string(FIGHTSET_NAME_CHARS + 1, 'N') + rest, 1, "is 39 characters; the list shows 38"},
      {"", 1, "No fighters were found"},
  };
  test_temp_dir dir;
  write_set_pictures(dir);
  // As long a name as the list shows.
  std::ofstream(dir.file("good.dat"))
      << std::string(FIGHTSET_NAME_CHARS, 'N') << "\nbg.pcx\nsheet.lbm\n5\nsmall.lbm\n1\n";
  for (const auto &c : cases) {
    SCOPED_TRACE(c.set);
    fs::remove(dir.file("x.dat"));
    if (c.set.empty()) fs::remove(dir.file("good.dat"));
    if (!c.set.empty()) std::ofstream(dir.file("x.dat")) << c.set;
    const run_result r = kit(std::string("check ") + c.checked, dir.path);
    const std::string &o = r.output;
    EXPECT_TRUE(r.status == c.status && o.find(c.says) != o.npos && o.find(c.also) != o.npos) << o;
  }

  // The preview marks the findings on the pairs they name: player 2's pairs 1 and 2 reach past
  // the 120x30 sheet; nothing else is wrong.
  std::ofstream(dir.file("x.dat")) << "X\nbg.pcx\nsheet.lbm\n5\nsmall.lbm\n3\n";
  kit_set_view view;
  std::string error;
  ASSERT_TRUE(kit_set_load(dir.file("x.dat"), view, error)) << error;
  const kit_picture marked = preview_draw(view, check_set_findings(dir.file("x.dat")), 1);
  auto red = [&](int x, int y) {
    const uint8_t *c = &marked.palette[3 * size_t(marked.pixels[size_t(y) * marked.width + x])];
    return c[0] == 255 && c[1] == 0 && c[2] == 0;
  };
  for (int k : {0, 2, 4}) { // a frame above and left of pair k / 2, or none
    const preview_xy at = preview_frame_at(view, 1, k);
    EXPECT_EQ(red(at.x + 10, at.y - 12) + red(at.x - 2, at.y + 10), k ? 2 : 0) << "frame " << k;
  }

  // The game reads 19 sets; check says once that the rest are ignored.
  fs::remove(dir.file("x.dat"));
  for (int i = 1; i <= 20; i++)
    std::ofstream(dir.file("set" + std::to_string(i) + ".dat")) << "S" << rest;
  const run_result r = kit("check .", dir.path);
  const std::string &o = r.output;
  const size_t at = o.find("is ignored: the game reads at most 19 sets");
  EXPECT_TRUE(r.status == 1 && at != o.npos && o.find("is ignored", at + 1) == o.npos &&
              o.find("set 20:") == o.npos && o.find("19 sets, 1 problem (2 notes)") != o.npos)
      << o;
}

} // namespace
