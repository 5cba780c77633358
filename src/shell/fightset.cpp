// Fighter-set discovery: every *.dat of a folder, six non-blank lines each.
#include "shell/fightset.h"
#include "image/fdio.h"
#include "shell/fdreadline.h"
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int LINE_BYTES = 256;
constexpr int FIELDS = 6;

struct dir_closer {
  void operator()(DIR *d) const { closedir(d); }
};
using dir_handle = std::unique_ptr<DIR, dir_closer>;

// Decimal as strtol reads it, clamped to the 32-bit range.
int32_t parse_count(const char *text) {
  const long v = std::strtol(text, nullptr, 10);
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

// Reads one set file into the next free record. Returns the number of lines
// it yielded; with none the record is left unused.
int read_set(int fd, fightset_entry &set, int32_t raw_pairs[2],
             std::array<std::string, FIELDS> *raw_lines) {
  char lines[FIELDS][LINE_BYTES];
  int got = 0;
  for (int n; got < FIELDS && (n = fdreadline(fd, lines[got], LINE_BYTES)) >= 0; got++)
    if (raw_lines)
      (*raw_lines)[static_cast<size_t>(got)].assign(lines[got], static_cast<size_t>(n));
  if (got == 0) return 0;
  // Fields the file does not have read as empty (a count of 0).
  for (int i = got; i < FIELDS; i++) lines[i][0] = '\0';
  set.name = strdup(lines[0]);
  set.background = strdup(lines[1]);
  for (int f = 0; f < 2; f++) {
    set.fighters[f].picture = strdup(lines[2 + 2 * f]);
    raw_pairs[f] = parse_count(lines[3 + 2 * f]);
    set.fighters[f].pairs = raw_pairs[f] > FIGHTER_PAIRS_MAX ? FIGHTER_PAIRS_MAX : raw_pairs[f];
  }
  return got;
}

} // namespace

void fightset_discover(const char *dir, fightset_report *report) {
  dir_handle listing(opendir(dir));
  if (!listing) return;
  while (const dirent *entry = readdir(listing.get())) {
    if (fnmatch("*.dat", entry->d_name, FNM_CASEFOLD) != 0) continue;
    if (fightset_count >= FIGHTSET_MAX) {
      // The game stops here; a report goes on naming what is left out.
      if (!report) return;
      report->ignored.emplace_back(entry->d_name);
      continue;
    }
    // A FIFO or device named *.dat would block the open or the read.
    fdio_file file = fdio_open_regular(dirfd(listing.get()), entry->d_name);
    if (!file.ok()) {
      if (report) report->unreadable.emplace_back(entry->d_name);
      continue;
    }
    int32_t raw_pairs[2] = {0, 0};
    std::array<std::string, FIELDS> raw_lines;
    const int got = read_set(file.fd, fightset[fightset_count], raw_pairs, &raw_lines);
    if (got == 0) {
      if (report) report->unreadable.emplace_back(entry->d_name);
      continue;
    }
    if (report) {
      report->files.emplace_back(entry->d_name);
      report->lines.push_back(got);
      report->raw_pairs[0].push_back(raw_pairs[0]);
      report->raw_pairs[1].push_back(raw_pairs[1]);
      report->raw_lines.push_back(raw_lines);
    }
    fightset_count++;
  }
}

int fightset_read_file(const char *path, fightset_entry &set,
                       std::array<std::string, 6> *raw_lines) {
  const fdio_file file = fdio_open_regular(AT_FDCWD, path);
  if (!file.ok()) return 0;
  int32_t raw_pairs[2];
  return read_set(file.fd, set, raw_pairs, raw_lines);
}

void fightset_entry_free(fightset_entry &set) {
  std::free(set.name);
  std::free(set.background);
  for (auto &f : set.fighters) std::free(f.picture);
  set = fightset_entry{};
}

void fightset_clear() {
  for (int i = 0; i < fightset_count; i++) fightset_entry_free(fightset[i]);
  fightset_count = 0;
  current_fightset = nullptr;
}
