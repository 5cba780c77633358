// Fighter-set discovery: the *.dat files of a folder.
#pragma once
#include "shell/glob.h"
#include <array>
#include <string>
#include <vector>

// What discovery noticed beyond the table itself (for qira-kit check).
struct fightset_report {
  std::vector<std::string> files;      // file name of each set read, by table index
  std::vector<int> lines;              // non-blank lines each file yielded (at most 6)
  std::vector<std::string> ignored;    // matching files beyond the 19th set
  std::vector<std::string> unreadable; // matching names that could not be opened or yielded no line
  std::vector<int> raw_pairs[2];       // pair counts before clamping, by table index
  std::vector<std::array<std::string, 6>> raw_lines; // each set's lines as read, by table index
};

// Reads the sets of dir into fightset/fightset_count, in listing order.
void fightset_discover(const char *dir, fightset_report *report = nullptr);
// Reads one set file as discovery does, into set (its strings are set's own:
// fightset_entry_free). The number of lines it yielded; 0 leaves set as it was.
int fightset_read_file(const char *path, fightset_entry &set,
                       std::array<std::string, 6> *raw_lines = nullptr);
void fightset_entry_free(fightset_entry &set);
// Empties the table (the game never does; tools and tests read several folders).
void fightset_clear();
