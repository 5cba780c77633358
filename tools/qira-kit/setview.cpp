// Loading a set as the fight does: both sheets into one screen, one after
// the other and never cleared between (a small second sheet leaves the
// first one's pixels around it), frames cut on the sheet grid, then the
// background with its palette.
#include "qira-kit/setview.h"
#include "canvas/canvas.h"
#include "image/anypic.h"
#include "shell/fightset.h"
#include "shell/glob.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {

// Set files name their pictures relative to their folder, as the game runs.
struct cwd_guard {
  int fd = open(".", O_RDONLY | O_DIRECTORY);
  cwd_guard() = default;
  cwd_guard(const cwd_guard &) = delete;
  cwd_guard &operator=(const cwd_guard &) = delete;
  ~cwd_guard() {
    if (fd < 0) return;
    if (fchdir(fd) != 0) std::perror("qira-kit: returning to the starting folder");
    close(fd);
  }
};

struct canvas_deleter {
  void operator()(canvas *c) const { canvas_free(c); }
};

kit_picture picture_of(const canvas &c, const std::array<uint8_t, 768> &palette) {
  kit_picture pic{c.width, c.height, std::vector<uint8_t>(static_cast<size_t>(c.width) * c.height),
                  palette};
  for (int y = 0; y < c.height; y++)
    std::memcpy(&pic.pixels[static_cast<size_t>(y) * c.width],
                c.pixels + static_cast<size_t>(y) * c.pitch, static_cast<size_t>(c.width));
  return pic;
}

} // namespace

kit_picture kit_crop(const kit_picture &pic, int x, int y, int w, int h) {
  kit_picture out{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h, 0), pic.palette};
  for (int yy = 0; yy < h; yy++)
    for (int xx = 0; xx < w; xx++)
      if (x + xx >= 0 && x + xx < pic.width && y + yy >= 0 && y + yy < pic.height)
        out.pixels[static_cast<size_t>(yy) * w + xx] =
            pic.pixels[static_cast<size_t>(y + yy) * pic.width + x + xx];
  return out;
}

bool kit_set_load(const std::string &dat_path, kit_set_view &view, std::string &error) {
  const std::filesystem::path dat(dat_path);
  const std::string dir = dat.has_parent_path() ? dat.parent_path().string() : ".";
  const std::string file = dat.filename().string();
  cwd_guard back;
  if (chdir(dir.c_str()) != 0) {
    error = "cannot enter the folder " + dir + ": " + std::strerror(errno);
    return false;
  }
  fightset_clear();
  fightset_report report;
  fightset_discover(".", &report);
  int index = -1;
  for (size_t i = 0; i < report.files.size(); i++)
    if (report.files[i] == file) index = static_cast<int>(i);
  if (index < 0) {
    fightset_clear();
    error = "the game reads no set from " + file +
            " (it needs a name ending in .dat, a readable line, and at most 19 sets in the folder)";
    return false;
  }
  const fightset_entry &set = fightset[index];
  view = {};
  view.name = set.name;
  view.background_file = set.background;
  // The screen the fight loads into: VSCRN_W x VSCRN_H, rows VSCRN_W apart.
  std::unique_ptr<canvas, canvas_deleter> screen(canvas_new(VSCRN_W, VSCRN_H));
  canvas_flood(screen.get(), 0);
  const std::array<uint8_t, 768> no_palette{};
  bool ok = true;
  for (int p = 0; p < 2 && ok; p++) {
    const fighter_def &d = set.fighters[p];
    if (!std::strcmp(d.picture, "-") || d.pairs <= 0) continue;
    const char *msg = nullptr;
    if (!anypic_load(d.picture, screen.get(), nullptr, &msg)) {
      error = std::string(d.picture) + " does not load: " + (msg ? msg : "no reason given");
      ok = false;
      break;
    }
    const kit_picture sheet = picture_of(*screen, no_palette);
    for (int k = 0; k < 2 * d.pairs; k++)
      view.frames[static_cast<size_t>(p)].push_back(
          kit_crop(sheet, fighter_frame_x(k), fighter_frame_y(k), FIGHTER_CELL_W, FIGHTER_CELL_H));
  }
  std::array<uint8_t, 768> palette{};
  const char *msg = nullptr;
  canvas_flood(screen.get(), 0); // the fight clears the sheets away first
  if (ok && !anypic_load(set.background, screen.get(), palette.data(), &msg)) {
    error = std::string(set.background) + " does not load: " + (msg ? msg : "no reason given");
    ok = false;
  }
  if (ok) {
    view.background = picture_of(*screen, palette);
    view.palette_entries = anypic_format_is_st(anypic_format_of(set.background)) ? 16 : 256;
    for (auto &frames : view.frames)
      for (kit_picture &f : frames) f.palette = palette;
  }
  fightset_clear();
  return ok;
}

bool kit_set_load_for(const char *command, const char *dat_path, kit_set_view &view) {
  std::string error;
  if (kit_set_load(dat_path, view, error)) return true;
  std::fprintf(stderr, "qira-kit %s: %s: %s\n", command, dat_path, error.c_str());
  return false;
}
