// The fighter-set table shared by the selection and fight screens.
#pragma once
#include <cstdint>

constexpr int FIGHTSET_MAX = 19;
constexpr int FIGHTER_PAIRS_MAX = 15;

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
