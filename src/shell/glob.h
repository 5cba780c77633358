// The fighter-set table shared by the selection and fight screens.
#pragma once
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
