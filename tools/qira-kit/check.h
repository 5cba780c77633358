// qira-kit check's findings about one fighter set, for the commands that
// show them (check prints them; preview marks them on its picture).
#pragma once
#include <string>
#include <vector>

// A problem shows wrong in the game; anything else plays but may surprise.
struct check_finding {
  bool problem;
  int player; // 0, 1 or -1
  int pair;   // -1 when not about one pair
  std::string text;
};

// The findings for the set file at dat_path, its pictures taken relative to
// the file's folder as the game takes them relative to the folder it runs in.
std::vector<check_finding> check_set_findings(const std::string &dat_path);
