// qira-kit's set-making loop: preview and animate show what the fight shows, sheet packs frames
// the game reads back exactly, convert never changes colours silently, refusals write nothing.
#include "fight/play.h"
#include "image/anypic.h"
#include "input/input.h"
#include "input/inputdev.h"
#include "kit_run.h"
#include "qira-kit/preview.h"
#include "shell/fightset.h"
#include "video/graphics.h"
#include <SDL.h>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gif_lib.h>
#include <png.h>
#include <set>

namespace fs = std::filesystem;

namespace {

// An RGBA PNG, as a paint program saves one.
void write_rgba(const std::string &path, int w, int h, const std::vector<uint8_t> &px) {
  png_image img{
      nullptr, PNG_IMAGE_VERSION, png_uint_32(w), png_uint_32(h), PNG_FORMAT_RGBA, 0, 0, 0, {}};
  ASSERT_TRUE(png_image_write_to_file(&img, path.c_str(), 0, px.data(), 0, nullptr));
}

// The demo folder, and its set with two fighters of 3 and 4 pairs.
class KitSets : public ::testing::Test {
protected:
  test_temp_dir dir;
  kit_set_view view;
  void SetUp() override {
    ASSERT_EQ(kit("demo .", dir.path).status, 0);
    std::string error;
    ASSERT_TRUE(kit_set_load(dir.file("harbour.dat"), view, error)) << error;
  }
};

TEST_F(KitSets, PreviewCellsAreTheFramesTheFightDraws) {
  ASSERT_EQ(kit("preview harbour.dat p.png --scale 2", dir.path).status, 0);
  const kit_picture preview = kit_load(dir.file("p.png"));
  // The real fight, attacks held on for every pair of both players.
  struct back_home {
    fs::path cwd = fs::current_path();
    ~back_home() {
      play_leave();
      fightset_clear();
      fs::current_path(cwd);
      test_display_close();
    }
  } home;
  ASSERT_TRUE(test_display_open(false));
  fs::current_path(dir.path);
  fightset_discover(".");
  current_fightset = std::find_if(fightset, fightset + fightset_count,
                                  [&](const fightset_entry &s) { return view.name == s.name; });
  ASSERT_NE(current_fightset, fightset + fightset_count);
  ASSERT_EQ(play_enter(), 0);
  const int keys[2] = {SDLK_RETURN, SDLK_TAB};
  std::set<std::pair<int, int>> seen;
  for (int p = 0; p < 2; p++) {
    player_control[p] = {INPUT_DEV_KEYBOARD, 0, keys[p]};
    player_control[1 - p] = {INPUT_DEV_KEYBOARD, 0, SDLK_ESCAPE + 1};
    test_push_key(keys[p], true);
    for (int attack = 0; attack < 40; attack++) {
      std::array<std::vector<uint8_t>, 2> shown; // steps 0 and 1
      for (int t = 1; t < FIGHTER_ATTACK_REPEAT_TICK; t++) {
        input_update();
        play_logics();
        play_graphics();
        for (size_t s = 0; s < 2; s++)
          if (t == fighter_attack_tick(int(s)))
            shown[s] = kit_cell(vscrn, VSCRN_W, FIGHTER_CELL_X, FIGHTER_CELL_Y);
      }
      // Which pair of the preview shows exactly these two frames?
      int found = -1;
      for (int k = 0; k < int(view.frames[size_t(p)].size()); k += 2) {
        const preview_xy a = preview_frame_at(view, p, k), b = preview_frame_at(view, p, k + 1);
        if (kit_cell(preview.pixels.data(), preview.width, 2 * a.x, 2 * a.y, 2) == shown[0] &&
            kit_cell(preview.pixels.data(), preview.width, 2 * b.x, 2 * b.y, 2) == shown[1])
          found = k / 2;
      }
      ASSERT_GE(found, 0) << "player " << p + 1 << " attack " << attack << " is not on the preview";
      seen.insert({p, found});
    }
    test_push_key(keys[p], false);
  }
  EXPECT_EQ(seen.size(), (view.frames[0].size() + view.frames[1].size()) / 2);
  for (size_t i = 0; i < 48; i++) EXPECT_EQ(preview.palette[i], view.background.palette[i]);
}

TEST_F(KitSets, AnimationFollowsTheAttackTiming) {
  ASSERT_EQ(kit("animate harbour.dat a.gif --player 2 --pair 1", dir.path).status, 0);
  int err = 0;
  GifFileType *gif = DGifOpenFileName(dir.file("a.gif").c_str(), &err);
  ASSERT_TRUE(gif && DGifSlurp(gif) == GIF_OK);
  ASSERT_EQ(gif->ImageCount, 4);
  // Frames 2, 3, 2 of player 2 at ticks 1, 10, 20, the background at 30,
  // until the held button starts again on tick 32; 20 ms ticks.
  const int delays[] = {18, 20, 20, 4};
  const kit_picture *cells[] = {&view.frames[1][2], &view.frames[1][3], &view.frames[1][2],
                                nullptr};
  for (int i = 0; i < 4; i++) {
    GraphicsControlBlock gcb;
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, i, &gcb), GIF_OK);
    EXPECT_EQ(gcb.DelayTime, delays[i]);
    std::vector<uint8_t> want = view.background.pixels;
    for (int j = 0; cells[i] && j < FIGHTER_CELL_W * FIGHTER_CELL_H; j++)
      want[size_t(FIGHTER_CELL_Y + j / FIGHTER_CELL_W) * VSCRN_W + FIGHTER_CELL_X +
           size_t(j % FIGHTER_CELL_W)] = cells[i]->pixels[size_t(j)];
    const SavedImage &img = gif->SavedImages[i];
    ASSERT_EQ(img.ImageDesc.Width * img.ImageDesc.Height, VSCRN_W * VSCRN_H);
    EXPECT_TRUE(std::equal(want.begin(), want.end(), img.RasterBits)) << "picture " << i;
  }
  EXPECT_EQ(gif->SColorMap->Colors[5].Red, view.background.palette[15]);
  DGifCloseFile(gif, &err);
}

TEST_F(KitSets, SheetOfPaletteFramesReloadsToExactlyThoseFrames) {
  const kit_picture bg = kit_load(dir.file("temple.pi1"));
  // Truecolour frames in the background's colours: full cells, a smaller
  // one, and one with transparent pixels (-1) that keep the background's cell.
  const struct {
    int w, h;
    int (*pick)(int, int);
  } frames[] = {{60, 30, [](int x, int y) { return (x / 3 + y) % 16; }},
                {25, 12, [](int x, int) { return x % 16; }},
                {60, 30, [](int x, int y) { return x < y ? -1 : 3; }}};
  std::string args = "sheet --background temple.pi1 s.pc1";
  for (int k = 0; k < int(std::size(frames)); k++) {
    const auto &f = frames[k];
    std::vector<uint8_t> px;
    for (int i = 0; i < f.w * f.h; i++) {
      const int c = f.pick(i % f.w, i / f.w);
      const uint8_t *rgb = &bg.palette[3 * size_t(std::max(c, 0))];
      px.insert(px.end(), {rgb[0], rgb[1], rgb[2], uint8_t(c < 0 ? 0 : 255)});
    }
    write_rgba(dir.file("f" + std::to_string(k) + ".png"), f.w, f.h, px);
    args += " f" + std::to_string(k) + ".png";
  }
  const run_result r = kit(args, dir.path);
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find("every pixel exactly"), std::string::npos) << r.output;
  std::array<uint8_t, 768> pal{};
  canvas *sheet = anypic_load(dir.file("s.pc1").c_str(), nullptr, pal.data(), nullptr);
  ASSERT_NE(sheet, nullptr);
  const auto backdrop = kit_cell(bg.pixels.data(), VSCRN_W, FIGHTER_CELL_X, FIGHTER_CELL_Y);
  long wrong = 0;
  for (int k = 0; k < int(std::size(frames)); k++) {
    const auto got = kit_cell(sheet->pixels, sheet->pitch, fighter_frame_x(k), fighter_frame_y(k));
    for (int i = 0; i < FIGHTER_CELL_W * FIGHTER_CELL_H; i++) {
      const int x = i % FIGHTER_CELL_W, y = i / FIGHTER_CELL_W;
      const int pick = x < frames[k].w && y < frames[k].h ? frames[k].pick(x, y) : -1;
      const uint8_t want = pick >= 0 ? uint8_t(pick) : backdrop[size_t(i)];
      wrong += std::memcmp(&pal[3 * size_t(got[size_t(i)])], &bg.palette[3 * want], 3) != 0;
    }
  }
  canvas_free(sheet);
  EXPECT_EQ(wrong, 0);
}

TEST(KitCommands, SayWhatChangesAndRefusalsWriteNothing) {
  test_temp_dir d;
  // 20 colours distinct on the ST, and a pair the ST's rounding merges.
  std::vector<uint8_t> many, merge;
  for (int i = 0; i < VSCRN_W * VSCRN_H; i++) {
    const int k = i % VSCRN_W / 16;
    many.insert(many.end(), {uint8_t(36 * (k % 8)), uint8_t(36 * (k / 8)), 0, 255});
    merge.insert(merge.end(), {uint8_t(i % 2 ? 10 : 0), 0, 0, uint8_t(i == 3 ? 0 : 255)});
  }
  write_rgba(d.file("many.png"), VSCRN_W, VSCRN_H, many);
  write_rgba(d.file("row.png"), VSCRN_W / 16, 1,
             std::vector<uint8_t>(many.begin(), many.begin() + VSCRN_W * 4));
  write_rgba(d.file("merge.png"), VSCRN_W, VSCRN_H, merge);
  write_rgba(d.file("strip.png"), 300, 60, std::vector<uint8_t>(300 * 60 * 4, 255));
  std::ofstream(d.file("bad.png")) << "\x89PNG\1\2";
  fs::create_directory(d.file("d.png")); // in the way of the rename
  const struct {
    const char *args, *out;
    int status;
    const char *says, *also = "";
  } cases[] = {
      {"convert many.png o1.neo", "o1.neo", 1, "20 distinct after rounding", "--colours N"},
      {"convert merge.png --exact o3.pcx", "o3.pcx", 0, "1 transparent pixel became colour 0"},
      {"convert merge.png o9.pi1", "o9.pi1", 0, "merged colours"},
      {"convert many.png --colours 16 o10.neo", "o10.neo", 0, "changed colour"},
      {"convert merge.png --colours 2 o11.pcx", "o11.pcx", 0, "1 transparent pixel became"},
      {"convert merge.png o4.pi1 --exact", "o4.pi1", 1, "#0a0000 both become ST colour $000"},
      {"convert bad.png o.png", "o.png", 1, "bad.png: PNG file ends early"},
      {"convert o3.pcx o.bmp", "o.bmp", 1, "unknown picture format for o.bmp"},
      {"convert row.png o.pi1", "o.pi1", 1, "PI1 pictures are 320x200; this one is 20x1"},
      {"convert o3.pcx d.png", "-", 1, "d.png: Is a directory"},
      {"convert o3.pcx", "-", 2, "usage: qira-kit convert IN OUT"},
      {"sheet --background o3.pcx o5.pcx row.png", "o5.pcx", 0, "nearest colour"},
      {"sheet --background o3.pcx o6.pcx strip.png", "o6.pcx", 1, "a frame is at most 60x30"},
      {"sheet --background o3.pcx o7.pcx --cells strip.png strip.png strip.png strip.png", "o7.pcx",
       1, "40 frames; a sheet holds at most 30"},
      {"animate o3.pcx o8.gif", "o8.gif", 1, "reads no set"},
      {"info many.png", "many.png", 0, "PNG truecolour with alpha", "320x200, 20 colours used"},
      {"check many.png", "-", 2, "is neither a folder nor a set file (*.dat)"},
      {"check nosuch.dat", "-", 1, "nosuch.dat: No such file or directory"},
      {"icon 32px x.png", "x.png", 2, "the size must be 8 to 1024 pixels, not '32px'"},
      // A starter folder that plays, never written over.
      {"new set 'My Set'", "set/My Set.dat", 0, ""},
      {"check set", "set", 0, "set 1: \"My Set\" (My Set.dat)", "1 set, all would play"},
      {"new set 'Other'", "set/Other.dat", 1, "already exists; nothing written"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.args);
    const run_result r = kit(c.args, d.path);
    const std::string &o = r.output;
    EXPECT_TRUE(r.status == c.status && o.find(c.says) != o.npos && o.find(c.also) != o.npos) << o;
    EXPECT_EQ(fs::exists(d.file(c.out)), c.status == 0);
  }
  for (const char *out : {"o3.pcx", "o11.pcx"}) EXPECT_EQ(kit_load(d.file(out)).pixels[3], 0);
  for (const auto &e : fs::directory_iterator(d.path)) // no temporary file left either
    EXPECT_EQ(e.path().stem().extension(), "") << e.path();
}

} // namespace
