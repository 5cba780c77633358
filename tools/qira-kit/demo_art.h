// The demo pictures, drawn in code: title, selection background, fight
// backgrounds and fighter sheets.
#pragma once
#include "canvas/canvas.h"
#include "qira-kit/raster.h"
#include "shell/glob.h"
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using art_rgb = std::array<int, 3>;

// A palette filled entry by entry; indices are handed out in order.
struct art_palette {
  std::array<uint8_t, 768> rgb{};
  int count = 0;
};

int art_add(art_palette &p, art_rgb c);
// A colour on the Atari ST's eight levels per component (0..7 each).
int art_add_st(art_palette &p, int r, int g, int b);
// n entries through the given stops, evenly spread.
std::vector<int> art_add_ramp(art_palette &p, std::initializer_list<art_rgb> stops, int n);

// Palette indices a fighter is painted with.
struct fighter_look {
  int outline = 0;
  int skin = 0;
  int skin_dark = 0;
  int hair = 0;
  int gi = 0;
  int gi_dark = 0;
  int belt = 0;
  int band = RASTER_EMPTY; // headband, if any
  bool ponytail = false;
  bool bald = false;
};

// Joint positions of one frame, in cell pixels, the fighter facing right.
struct fighter_pose {
  raster_point head, neck, hip;
  raster_point near_elbow, near_hand, far_elbow, far_hand;
  raster_point near_knee, near_foot, far_knee, far_foot;
};

// Frames 2j and 2j + 1 of every sheet: the wind-up and the blow of move j
// (jab, front kick, uppercut, sweep).
constexpr int ART_MOVES = 4;
const fighter_pose &art_frame(int k);

// The fighter in pose p, scaled about the cell's corner and placed at `at`.
void art_draw_fighter(raster &r, const fighter_pose &p, const fighter_look &look, float scale,
                      raster_point at);
// One frame: the background's attack cell with the outlined fighter on it,
// mirrored (facing left) for player 2.
raster art_frame_cell(const raster &background, const fighter_look &look, int k, bool mirror);
// A 320x200 sheet with frames 0 .. 2 * pairs - 1 in the 5-column grid.
raster art_sheet(const raster &background, const fighter_look &look, int pairs, bool mirror);

// A picture and the palette it was painted for.
struct art_scene {
  raster picture;
  art_palette palette;
  std::vector<fighter_look> looks; // fighters painted for this palette
};

art_scene art_title();
art_scene art_select();
// The game's icon, size x size pixels, empty round its tile; in full colour.
art_scene art_icon(int size);
// Fight backgrounds: 16-colour ones fit the ST formats, the others use 256.
art_scene art_temple();  // 16 colours
art_scene art_court();   // 16 colours
art_scene art_harbour(); // 256 colours
art_scene art_mesa();    // 256 colours
art_scene art_forge();   // 16 colours
