// qira-kit check [DIR]: reads the fighter sets of a folder the way the game
// does and says, set by set, whether each would play.
#include "canvas/canvas.h"
#include "image/anypic.h"
#include "image/fdio.h"
#include "qira-kit/kit.h"
#include "shell/fightset.h"
#include "shell/glob.h"
#include <algorithm>
#include <array>
#include <cstdio>
#include <cerrno>
#include <cstring>
#include <strings.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {


// Goes back to the folder we came from, whatever happens in between.
struct cwd_restore {
  fdio_file start = fdio_open(".", O_RDONLY | O_DIRECTORY);
  ~cwd_restore() {
    if (start.ok() && fchdir(start.fd) != 0)
      std::perror("qira-kit check: returning to the starting folder");
  }
};

struct checker {
  int problems = 0;
  void problem(const std::string &text) {
    std::printf("  problem: %s\n", text.c_str());
    problems++;
  }
  static void note(const std::string &text) { std::printf("  note: %s\n", text.c_str()); }
};

std::string quoted(const char *s) { return std::string("\"") + (s ? s : "") + "\""; }

struct picture_size {
  bool loaded = false;
  int width = 0;
  int height = 0;
};

// Loads a picture exactly as the fight screen does (by name, relative to the
// current folder) and reports what the game would make of it.
picture_size check_picture(checker &c, const std::string &what, const char *name) {
  picture_size size;
  const char *error = nullptr;
  std::array<uint8_t, 768> palette{};
  canvas *pic = anypic_load(name, nullptr, palette.data(), &error);
  if (!pic) {
    std::printf("  %s: %s\n", what.c_str(), quoted(name).c_str());
    c.problem(quoted(name) + " does not load: " + (error ? error : "no reason given"));
    return size;
  }
  size = {true, pic->width, pic->height};
  canvas_free(pic);
  std::printf("  %s: %s (%dx%d)\n", what.c_str(), quoted(name).c_str(), size.width, size.height);
  if (size.width > VSCRN_W || size.height > VSCRN_H)
    c.problem(quoted(name) + " is " + std::to_string(size.width) + "x" + std::to_string(size.height) +
              ", larger than the 320x200 screen it is loaded into");
  else if (anypic_format_of(name) == ANYPIC_PCX && size.width != VSCRN_W)
    c.problem(quoted(name) + " has rows of " + std::to_string(size.width) +
              " pixels; the game lays PCX rows 320 apart, so it would come out skewed");
  return size;
}

void check_fighter(checker &c, int side, const fighter_def &f, int raw_pairs) {
  const std::string who = "player " + std::to_string(side + 1);
  if (std::strcmp(f.picture, "-") == 0) {
    std::printf("  %s: no fighter\n", who.c_str());
    return;
  }
  const picture_size size = check_picture(c, who + "'s sheet", f.picture);
  if (raw_pairs > FIGHTER_PAIRS_MAX)
    c.problem(who + "'s pair count " + std::to_string(raw_pairs) + " is more than " +
              std::to_string(FIGHTER_PAIRS_MAX) + "; the game uses " + std::to_string(FIGHTER_PAIRS_MAX));
  if (f.pairs <= 0) {
    checker::note(who + " has no frames (pair count " + std::to_string(f.pairs) + "): its presses do nothing");
    return;
  }
  std::printf("  %s: %d frame pair%s\n", who.c_str(), f.pairs, f.pairs == 1 ? "" : "s");
  if (!size.loaded) return;
  const int frames = 2 * f.pairs;
  const int need_w = FIGHTER_CELL_W * std::min(frames, FIGHTER_SHEET_COLUMNS);
  const int need_h = FIGHTER_CELL_H * ((frames + FIGHTER_SHEET_COLUMNS - 1) / FIGHTER_SHEET_COLUMNS);
  if (size.width < need_w || size.height < need_h)
    c.problem(who + "'s sheet " + quoted(f.picture) + " is " + std::to_string(size.width) + "x" +
              std::to_string(size.height) + "; " + std::to_string(f.pairs) + " pairs need " + std::to_string(need_w) +
              "x" + std::to_string(need_h) + " (60x30 cells, 5 to a row)");
}

} // namespace

int kit_check(std::span<char *const> args) {
  if (args.size() > 1) {
    std::fputs("usage: qira-kit check [DIR]\n", stderr);
    return 2;
  }
  const char *dir = args.empty() ? "." : args[0];
  cwd_restore back;
  // The game finds its pictures relative to the folder it runs in.
  if (chdir(dir) != 0) {
    std::fprintf(stderr, "qira-kit check: cannot enter %s: %s\n", dir, std::strerror(errno));
    return 1;
  }

  fightset_clear();
  fightset_report report;
  fightset_discover(".", &report);
  checker c;

  for (int i = 0; i < fightset_count; i++) {
    const fightset_entry &set = fightset[i];
    const std::string file = i < static_cast<int>(report.files.size()) ? report.files[static_cast<size_t>(i)] : "?";
    std::printf("set %d: %s (%s)\n", i + 1, quoted(set.name).c_str(), file.c_str());
    const int lines = i < static_cast<int>(report.lines.size()) ? report.lines[static_cast<size_t>(i)] : 6;
    if (lines < 6)
      c.problem(file + " has " + std::to_string(lines) + " of the six lines; the rest read as empty");
    check_picture(c, "background", set.background);
    for (int side = 0; side < 2; side++) {
      const auto &raw = report.raw_pairs[side];
      const int raw_pairs = i < static_cast<int>(raw.size()) ? raw[static_cast<size_t>(i)] : set.fighters[side].pairs;
      check_fighter(c, side, set.fighters[side], raw_pairs);
    }
  }
  for (const std::string &name : report.unreadable) {
    std::printf("%s:\n", name.c_str());
    c.problem(name + " cannot be read as a fighter set");
  }
  for (const std::string &name : report.ignored) {
    std::printf("%s:\n", name.c_str());
    c.problem(name + " is ignored: the game reads at most " + std::to_string(FIGHTSET_MAX) + " sets");
  }
  if (fightset_count == 0) {
    std::printf("%s:\n", dir);
    c.problem("no fighter sets (*.dat): the game would say \"No fighters were found\"");
  }
  for (const char *fixed : {"velmorea.pi1", "qiratex1.pi1"})
    if (access(fixed, R_OK) != 0) std::printf("note: %s is missing; the game shows a blank screen instead\n", fixed);

  if (c.problems == 0) {
    std::printf("%d sets, all would play\n", fightset_count);
    return 0;
  }
  std::printf("%d sets, %d problem%s\n", fightset_count, c.problems, c.problems == 1 ? "" : "s");
  return 1;
}
