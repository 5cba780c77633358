// The game's shared globals and conventions ("glob" for global): the
// fighter-set table that the selection and fight screens share,
// the fighter sheets' geometry and the shade entries of the palette. Only
// data lives here; discovery is shell/fightset.h.
#pragma once
#include "canvas/canvas.h"
#include <cstdint>

constexpr int FIGHTSET_MAX = 19;
constexpr int FIGHTER_PAIRS_MAX = 15;
constexpr int FIGHTER_FRAMES_MAX = 2 * FIGHTER_PAIRS_MAX;

// A fighter's sheet holds frames of FIGHTER_CELL_W x FIGHTER_CELL_H,
// FIGHTER_SHEET_COLUMNS to a row from the top left; frames 2j and 2j+1 are
// pair j. Every attack is drawn in the cell at (FIGHTER_CELL_X, FIGHTER_CELL_Y).
constexpr int FIGHTER_CELL_W = 60;
constexpr int FIGHTER_CELL_H = 30;
constexpr int FIGHTER_SHEET_COLUMNS = 5;
constexpr int FIGHTER_CELL_X = 120;
constexpr int FIGHTER_CELL_Y = 60;

// Top-left corner of frame k on a sheet.
constexpr int fighter_frame_x(int k) { return FIGHTER_CELL_W * (k % FIGHTER_SHEET_COLUMNS); }
constexpr int fighter_frame_y(int k) { return FIGHTER_CELL_H * (k / FIGHTER_SHEET_COLUMNS); }

// The game's logic runs in ticks of GAME_TICK_MS. An attack on pair j draws
// frame 2j, 2j+1, 2j again (FIGHTER_ATTACK_FRAMES steps), then the
// background, a step every FIGHTER_ATTACK_PERIOD ticks from the first tick:
// ticks 1, 10, 20 and 30. A held button starts the next attack on tick 32.
constexpr int GAME_TICK_MS = 20;
constexpr int FIGHTER_ATTACK_PERIOD = 10;
constexpr int FIGHTER_ATTACK_FRAMES = 3;
constexpr int FIGHTER_ATTACK_REPEAT_TICK = FIGHTER_ATTACK_FRAMES * FIGHTER_ATTACK_PERIOD + 2;
// The tick (from 1) on which step s of an attack is drawn.
constexpr int fighter_attack_tick(int s) { return s == 0 ? 1 : s * FIGHTER_ATTACK_PERIOD; }

// Palette entries SHADE_FIRST .. SHADE_FIRST + SHADE_COUNT - 1 hold the
// random ramps of set_shade_palette. The screens draw text from the bases
// SHADE_TEXT_DIM and SHADE_TEXT_BRIGHT (eight entries each, one per glyph
// row) and frames in SHADE_FRAME; all of them lie inside the shades.
constexpr int SHADE_FIRST = 16;
constexpr int SHADE_COUNT = 16;
constexpr int SHADE_TEXT_DIM = 18;
constexpr int SHADE_TEXT_BRIGHT = 24;
constexpr int SHADE_FRAME = 21;
static_assert(SHADE_TEXT_BRIGHT + 8 <= SHADE_FIRST + SHADE_COUNT);

// The selection list writes set names from column FIGHTSET_NAME_X, 8 pixels
// a character, each character's ink one column right of its cell; this many
// characters of a name show whole before the screen's right edge.
constexpr int FIGHTSET_NAME_X = 10;
constexpr int FIGHTSET_NAME_CHARS = (VSCRN_W - 1 - FIGHTSET_NAME_X) / 8;

struct fighter_def {
  char *picture; // sheet file name, or "-" for no fighter
  int32_t pairs; // frame pairs on the sheet; 0 or less: no frames
};

struct fightset_entry {
  char *name;
  char *background;
  fighter_def fighters[2];
};

extern fightset_entry fightset[FIGHTSET_MAX];
extern int32_t fightset_count;
// The set chosen on the selection screen; null until the first fight.
extern fightset_entry *current_fightset;
