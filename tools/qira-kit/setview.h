// A fighter set as the fight screen shows it: the background, its palette
// and every frame cut from the sheets, loaded the way the fight loads them.
#pragma once
#include "qira-kit/picture.h"
#include <array>
#include <string>
#include <vector>

struct kit_set_view {
  std::string name;
  std::string background_file;
  kit_picture background;                         // the screen after loading it
  int palette_entries = 256;                      // 16 behind an ST background
  std::array<std::vector<kit_picture>, 2> frames; // per player, frames 0 .. 2 * pairs - 1
};

// Reads SET.dat through the game's discovery of its folder, then loads the
// sheets and the background as the fight does; false with the reason.
bool kit_set_load(const std::string &dat_path, kit_set_view &view, std::string &error);
// The same for qira-kit COMMAND: a failure is reported on standard error.
bool kit_set_load_for(const char *command, const char *dat_path, kit_set_view &view);

// The picture of a w x h rectangle of pic at (x, y).
kit_picture kit_crop(const kit_picture &pic, int x, int y, int w, int h);
