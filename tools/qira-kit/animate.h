// qira-kit animate: a set's attacks as a looping GIF at the game's timing.
#pragma once
#include "qira-kit/setview.h"
#include <vector>

// One picture of the animation and how long it shows, in hundredths of a second.
struct animate_frame {
  kit_picture screen;
  int delay_cs;
};

// The attacks of the chosen player (0, 1, or -1 for both) and pair (-1 for
// all), each as the fight draws it with the button held.
std::vector<animate_frame> animate_frames(const kit_set_view &view, int player, int pair);
