// One thing the check found about a set, as the preview marks it.
#pragma once
#include <string>

struct check_finding {
  bool problem; // false: a note
  int player;   // 0, 1 or -1
  int pair;     // -1 when not about one pair
  std::string text;
};
