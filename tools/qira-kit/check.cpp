// qira-kit check [DIR | FILE.dat]: reads fighter sets the way the game does,
// loads every picture into a screen as the fight screen does, and reports
// what would show wrong (problems) or may surprise (notes).
#include "qira-kit/check.h"
#include "canvas/canvas.h"
#include "canvas/vga-8x8.h"
#include "image/anypic.h"
#include "image/fdio.h"
#include "qira-kit/kit.h"
#include "shell/fightset.h"
#include "shell/glob.h"
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fnmatch.h>
#include <memory>
#include <string>
#include <sys/stat.h>
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

struct canvas_deleter {
  void operator()(canvas *c) const { canvas_free(c); }
};
using canvas_ptr = std::unique_ptr<canvas, canvas_deleter>;

using set_lines = std::array<std::string, 6>;

std::string quoted(const std::string &s) { return "\"" + s + "\""; }

std::string counted(long n, const char *one, const char *many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string hex_colour(const uint8_t *rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb[0], rgb[1], rgb[2]);
  return text;
}

// "3, 16-19, 40" for a sorted list of entries.
std::string entry_list(const std::vector<int> &entries) {
  std::string text;
  for (size_t i = 0; i < entries.size();) {
    size_t j = i;
    while (j + 1 < entries.size() && entries[j + 1] == entries[j] + 1) j++;
    if (!text.empty()) text += ", ";
    text += std::to_string(entries[i]);
    if (j > i) text += "-" + std::to_string(entries[j]);
    i = j + 1;
  }
  return (entries.size() == 1 ? "entry " : "entries ") + text;
}

// What a load into the screen left there, as the game would have it.
struct screen_load {
  bool loaded = false;
  const char *error = nullptr;
  std::vector<uint8_t> pixels; // VSCRN_W x VSCRN_H after the load
  std::vector<uint8_t> drawn;  // 1 where the load wrote the pixel
  long drawn_count = 0;
  std::array<uint8_t, 768> palette{}; // when asked for
  std::array<bool, 256> defined{};    // palette entries the picture sets
  int defined_count = 0;
  int width = 0, height = 0; // the picture's own size; 0 when it has none
};

// Loads name into a 320x200 screen as the game does, twice over different
// screen and palette contents: what the load wrote comes out the same both
// times, what it left alone does not.
screen_load load_as_game(const char *name, bool with_palette) {
  screen_load out;
  canvas_ptr screen(canvas_new(VSCRN_W, VSCRN_H));
  if (!screen) {
    out.error = anypic_msg_no_memory;
    return out;
  }
  std::array<std::array<uint8_t, 768>, 2> palette;
  std::array<std::vector<uint8_t>, 2> pixels;
  for (int pass = 0; pass < 2; pass++) {
    const uint8_t fill = pass ? 0xFF : 0x00;
    canvas_flood(screen.get(), fill);
    palette[pass].fill(fill);
    if (!anypic_load(name, screen.get(), with_palette ? palette[pass].data() : nullptr, &out.error))
      return out;
    pixels[pass].assign(screen->pixels, screen->pixels + VSCRN_W * VSCRN_H);
  }
  out.loaded = true;
  out.pixels = pixels[0];
  out.drawn.resize(pixels[0].size());
  for (size_t i = 0; i < pixels[0].size(); i++) {
    out.drawn[i] = pixels[0][i] == pixels[1][i];
    out.drawn_count += out.drawn[i];
  }
  if (with_palette) {
    out.palette = palette[0];
    for (int e = 0; e < 256; e++) {
      out.defined[static_cast<size_t>(e)] =
          std::equal(&palette[0][3 * e], &palette[0][3 * e + 3], &palette[1][3 * e]);
      out.defined_count += out.defined[static_cast<size_t>(e)];
    }
  }
  // The picture's own size, for the messages (a picture that draws nothing may
  // have none).
  if (canvas_ptr own{anypic_load(name, nullptr, nullptr, nullptr)}) {
    out.width = own->width;
    out.height = own->height;
  }
  return out;
}

struct set_check {
  std::string file; // the set file's name
  std::vector<std::string> info;
  std::vector<check_finding> findings;

  void problem(int player, int pair, const std::string &text) {
    findings.push_back({true, player, pair, text});
  }
  void note(int player, int pair, const std::string &text) {
    findings.push_back({false, player, pair, text});
  }
};

const char *const line_holds[6] = {"the name",     "the background",   "player 1's sheet",
                                   "a pair count", "player 2's sheet", "a pair count"};

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// The set file's own text: what the reader keeps that the maker did not mean.
void check_lines(set_check &c, const set_lines &raw, int lines) {
  if (lines < 6)
    c.problem(-1, -1,
              c.file + " has " + std::to_string(lines) +
                  " of the six lines; the rest read as empty: add the missing lines");
  if (raw[0].starts_with("\xEF\xBB\xBF"))
    c.problem(-1, -1,
              c.file + " starts with a UTF-8 byte order mark, which the list "
                       "shows as three "
                       "stray glyphs before the name: save the file as plain "
                       "text without a BOM");
  for (int i = 0; i < lines; i++) {
    const std::string &line = raw[static_cast<size_t>(i)];
    const bool lead = !line.empty() && is_space(line.front());
    const bool trail = !line.empty() && is_space(line.back());
    if (!lead && !trail) continue;
    const char *where = lead && trail ? "start and end" : lead ? "start" : "end";
    c.problem(i == 2   ? 0
              : i == 4 ? 1
                       : -1,
              -1,
              c.file + " line " + std::to_string(i + 1) + " " + quoted(line) + " (" +
                  line_holds[i] + ") has a space at its " + where +
                  ", which the game keeps as part of it: "
                  "remove the space");
  }
}

// The name as the selection list draws it: one 8x8 glyph a byte.
void check_name(set_check &c, std::string name) {
  if (name.starts_with("\xEF\xBB\xBF")) name.erase(0, 3); // reported with the lines
  std::string unshown, foreign;
  for (size_t i = 0; i < name.size(); i++) {
    const auto b = static_cast<unsigned char>(name[i]);
    // A UTF-8 character takes two to four bytes, each drawn as a glyph of its
    // own.
    size_t n = b >= 0xF0 && b < 0xF8 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 1;
    if (b >= 0xF8) n = 1;
    bool utf8 = n > 1 && i + n <= name.size();
    for (size_t k = 1; utf8 && k < n; k++)
      utf8 = (static_cast<unsigned char>(name[i + k]) & 0xC0) == 0x80;
    if (utf8) {
      unshown += (unshown.empty() ? "" : ", ") + quoted(name.substr(i, n)) + " (" +
                 std::to_string(n) + " bytes, drawn as " + std::to_string(n) + " other glyphs)";
      i += n - 1;
      continue;
    }
    bool blank = true;
    for (int r = 0; r < 8; r++) blank = blank && vga_8x8[b * 8 + r] == 0;
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", b);
    if (b < 0x20 || b == 0x7F || (blank && b != ' '))
      unshown += std::string(unshown.empty() ? "" : ", ") + "byte " + code +
                 (b < 0x20 || b == 0x7F ? " (a control character)" : " (a blank glyph)");
    else if (b >= 0x80)
      foreign += std::string(foreign.empty() ? "" : ", ") + code;
  }
  if (!unshown.empty())
    c.problem(-1, -1,
              c.file + ": the name " + quoted(name) +
                  " has characters the list's font "
                  "cannot show: " +
                  unshown +
                  "; write it in plain ASCII letters, digits, "
                  "spaces and punctuation");
  if (!foreign.empty())
    c.note(-1, -1,
           c.file + ": the name has bytes above 127 (" + foreign +
               "); the list draws each "
               "as its code page 437 glyph, which is only right if the file "
               "was written in "
               "that code page");
  if (name.size() > static_cast<size_t>(FIGHTSET_NAME_CHARS))
    c.problem(
        -1, -1,
        c.file + ": the name is " + std::to_string(name.size()) + " characters; the list shows " +
            std::to_string(FIGHTSET_NAME_CHARS) + " before the screen's edge, so it ends at " +
            quoted(name.substr(0, static_cast<size_t>(FIGHTSET_NAME_CHARS))) + ": shorten it");
}

// Loads a picture as the game does and reports what it would show; the
// load, for the colour and frame checks.
screen_load check_picture(set_check &c, int player, int line, const std::string &what,
                          const std::string &name, bool with_palette) {
  const std::string where = c.file + " line " + std::to_string(line);
  const anypic_format format = anypic_format_of(name.c_str());
  screen_load load = load_as_game(name.c_str(), with_palette);
  if (!load.loaded) {
    std::string fix;
    const size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const size_t first = name.find_first_not_of(" \t"), last = name.find_last_not_of(" \t");
    const std::string trimmed =
        first == std::string::npos ? "" : name.substr(first, last - first + 1);
    if (trimmed != name && anypic_format_of(trimmed.c_str()) != ANYPIC_NONE)
      fix = " (the spaces around the name hide its type)";
    else if (format == ANYPIC_NONE && access(name.c_str(), R_OK) == 0)
      fix = ": the game reads only .pi1, .pc1, .neo, .lbm, .ilbm and .pcx "
            "pictures; convert it "
            "with `qira-kit convert " +
            name + " " + stem + ".lbm` and name " + quoted(stem + ".lbm") + " on " + where;
    else if (format == ANYPIC_NONE)
      fix = ": the game reads only .pi1, .pc1, .neo, .lbm, .ilbm and .pcx "
            "pictures";
    c.problem(player, -1,
              what + " " + quoted(name) + " (" + where +
                  ") does not load: " + (load.error ? load.error : "no reason given") + fix);
    c.info.push_back(what + ": " + quoted(name));
    return load;
  }
  std::string size = load.width ? std::to_string(load.width) + "x" + std::to_string(load.height)
                                : std::string("no size");
  c.info.push_back(what + ": " + quoted(name) + " (" + anypic_format_name(format) + ", " + size +
                   (with_palette ? ", " + counted(load.defined_count, "colour", "colours") : "") +
                   ")");
  if (load.drawn_count == 0)
    c.note(player, -1, what + " " + quoted(name) + " loads but draws nothing on the screen");
  if (format == ANYPIC_PCX && load.width && load.width != VSCRN_W)
    c.problem(player, -1,
              what + " " + quoted(name) + " has rows of " + std::to_string(load.width) +
                  " pixels; the game lays PCX rows 320 apart, so it comes out "
                  "skewed: pad it on the right to 320 pixels wide (widen the "
                  "canvas anchored at the top left, or `pnmpad -right=" +
                  std::to_string(std::max(VSCRN_W - load.width, 0)) + "`), or save it as .lbm");
  else if (load.width > VSCRN_W || load.height > VSCRN_H)
    c.note(player, -1,
           what + " " + quoted(name) + " is " + size +
               "; the game shows only what fits the 320x200 screen");
  return load;
}

// Pair j's frames as the fight screen cuts them from the loaded sheet.
void check_pairs(set_check &c, int player, const std::string &sheet, const screen_load &load,
                 int pairs) {
  const std::string who = "player " + std::to_string(player + 1);
  for (int j = 0; j < pairs; j++) {
    std::string faults;
    bool off = false;
    for (int k = 2 * j; k <= 2 * j + 1; k++) {
      long outside = 0;
      std::array<long, 256> uses{};
      for (int y = 0; y < FIGHTER_CELL_H; y++)
        for (int x = 0; x < FIGHTER_CELL_W; x++) {
          const size_t at = static_cast<size_t>(fighter_frame_y(k) + y) * VSCRN_W +
                            static_cast<size_t>(fighter_frame_x(k) + x);
          outside += !load.drawn[at];
          uses[load.pixels[at]]++;
        }
      std::string fault;
      if (outside) {
        fault = "lies outside what the sheet draws";
        off = true;
      } else {
        for (int e = 0; e < 256; e++)
          if (uses[static_cast<size_t>(e)] == FIGHTER_CELL_W * FIGHTER_CELL_H)
            fault = "is all colour " + std::to_string(e);
      }
      if (!fault.empty())
        faults +=
            (faults.empty() ? "" : "; ") +
            ("frame " + std::to_string(k) + " (cell at " + std::to_string(fighter_frame_x(k)) +
             "," + std::to_string(fighter_frame_y(k)) + ") " + fault);
    }
    if (faults.empty()) continue;
    c.problem(player, j,
              who + "'s pair " + std::to_string(j) + " in " + quoted(sheet) + ": " + faults +
                  "; the fight would show " +
                  (off ? "whatever the screen held there" : "a plain block") +
                  ": draw the frame in its 60x30 cell (five to a row from the top "
                  "left) or lower the pair count to " +
                  std::to_string(j));
  }
}

// Drawing outside the cells the count uses: frames off the grid, or a count
// too low. The commonest colour there is taken as the sheet's blank.
void check_stray(set_check &c, int player, const std::string &sheet, const screen_load &load,
                 int pairs) {
  const auto used = [pairs](int x, int y) {
    return x < FIGHTER_SHEET_COLUMNS * FIGHTER_CELL_W &&
           y / FIGHTER_CELL_H * FIGHTER_SHEET_COLUMNS + x / FIGHTER_CELL_W < 2 * pairs;
  };
  std::array<long, 256> uses{};
  for (int y = 0; y < VSCRN_H; y++)
    for (int x = 0; x < VSCRN_W; x++)
      if (!used(x, y) && load.drawn[static_cast<size_t>(y * VSCRN_W + x)])
        uses[load.pixels[static_cast<size_t>(y * VSCRN_W + x)]]++;
  const auto blank = static_cast<size_t>(std::max_element(uses.begin(), uses.end()) - uses.begin());
  for (int y = 0; y < VSCRN_H; y++)
    for (int x = 0; x < VSCRN_W; x++) {
      const size_t at = static_cast<size_t>(y * VSCRN_W + x);
      if (used(x, y) || !load.drawn[at] || load.pixels[at] == blank) continue;
      c.note(player, -1,
             "player " + std::to_string(player + 1) + "'s sheet " + quoted(sheet) +
                 " has drawing outside the " + std::to_string(2 * pairs) +
                 " cells its pair count uses (first at " + std::to_string(x) + "," +
                 std::to_string(y) +
                 "): frames sit in 60x30 cells, five to a row "
                 "from the top left; is a frame off the grid, or the count too "
                 "low?");
      return;
    }
}

// The sheet's pixels are shown with the background's palette.
void check_colours(set_check &c, int player, const std::string &sheet, const screen_load &pixels,
                   const screen_load &own, const std::string &background, const screen_load &bg,
                   int pairs) {
  std::array<long, 256> uses{};
  for (int k = 0; k < 2 * pairs; k++)
    for (int y = 0; y < FIGHTER_CELL_H; y++)
      for (int x = 0; x < FIGHTER_CELL_W; x++) {
        const size_t at = static_cast<size_t>(fighter_frame_y(k) + y) * VSCRN_W +
                          static_cast<size_t>(fighter_frame_x(k) + x);
        if (pixels.drawn[at]) uses[pixels.pixels[at]]++;
      }
  const bool st_background = anypic_format_is_st(anypic_format_of(background.c_str()));
  const bool st_sheet = anypic_format_is_st(anypic_format_of(sheet.c_str()));
  std::vector<int> shades, undefined, differ, rounded;
  long shade_px = 0, undefined_px = 0, differ_px = 0;
  for (int e = 0; e < 256; e++) {
    const long n = uses[static_cast<size_t>(e)];
    if (!n) continue;
    if (!bg.defined[static_cast<size_t>(e)]) {
      if (st_background && e >= 16 && e < 32) {
        shades.push_back(e);
        shade_px += n;
      } else {
        undefined.push_back(e);
        undefined_px += n;
      }
      continue;
    }
    const uint8_t *mine = &own.palette[static_cast<size_t>(3 * e)],
                  *shown = &bg.palette[static_cast<size_t>(3 * e)];
    if (!own.defined[static_cast<size_t>(e)] || std::equal(mine, mine + 3, shown)) continue;
    // An ST sheet holds the background's colour as near as its 3 bits allow.
    bool near = st_sheet && !st_background;
    for (int i = 0; i < 3 && near; i++)
      near = std::abs(static_cast<int>(mine[i]) - static_cast<int>(shown[i])) <= 18;
    if (near) {
      rounded.push_back(e);
      continue;
    }
    differ.push_back(e);
    differ_px += n;
  }
  const std::string who = "player " + std::to_string(player + 1) + "'s sheet " + quoted(sheet);
  if (!shades.empty())
    c.problem(player, -1,
              who + " uses " + entry_list(shades) + " (" + counted(shade_px, "pixel", "pixels") +
                  "), which behind the ST "
                  "background " +
                  quoted(background) +
                  " are the selection screen's "
                  "random shades: the fighter changes colour from run to run; "
                  "repaint with entries 0-15 only");
  if (!undefined.empty())
    c.problem(player, -1,
              who + " uses " + entry_list(undefined) + " (" +
                  counted(undefined_px, "pixel", "pixels") + "), which the background " +
                  quoted(background) + " does not define (it has " +
                  counted(bg.defined_count, "colour", "colours") +
                  "): they show "
                  "whatever colours the screen had before, often black; add those "
                  "colours to the background or repaint with its entries");
  if (!differ.empty()) {
    std::string examples;
    for (size_t i = 0; i < differ.size() && i < 3; i++) {
      const size_t e = static_cast<size_t>(differ[i]);
      examples += (i ? ", " : "") + std::to_string(e) + ": " + hex_colour(&own.palette[3 * e]) +
                  " in the sheet, " + hex_colour(&bg.palette[3 * e]) + " in the background";
    }
    c.problem(player, -1,
              who + " has other colours than the background " + quoted(background) + " on " +
                  entry_list(differ) + " (" + counted(differ_px, "pixel", "pixels") + "; " +
                  examples +
                  "): the game shows the background's colours; put the sheet's "
                  "colours into the background on those entries, or map the sheet "
                  "onto the background's palette (`qira-kit convert --palette " +
                  background + " ...`)");
  }
  if (!rounded.empty())
    c.note(player, -1,
           who + " holds the background's colours on " + entry_list(rounded) +
               " only as near as the ST's eight levels allow; the game shows the "
               "background's exact colours");
}

// Whether text is a decimal number as a set maker writes one.
bool is_number(const std::string &text) {
  size_t i = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
  if (i == text.size()) return false;
  for (; i < text.size(); i++)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

// One set: its file, its name, its pictures as the fight screen loads them.
void check_entry(set_check &c, const fightset_entry &set, const set_lines &raw, int lines) {
  check_lines(c, raw, lines);
  check_name(c, set.name);
  const screen_load bg = check_picture(c, -1, 2, "background", set.background, true);
  for (int side = 0; side < 2; side++) {
    const fighter_def &f = set.fighters[side];
    const std::string who = "player " + std::to_string(side + 1);
    if (std::strcmp(f.picture, "-") == 0) {
      c.info.push_back(who + ": no fighter");
      continue;
    }
    const std::string &count = raw[static_cast<size_t>(3 + 2 * side)];
    const int line = 4 + 2 * side;
    long said = std::strtol(count.c_str(), nullptr, 10);
    if (!is_number(count))
      c.problem(side, -1,
                who + "'s pair count " + quoted(count) + " (" + c.file + " line " +
                    std::to_string(line) + ") is not a number; the game reads it as " +
                    std::to_string(f.pairs) + ": write the number of pairs in digits");
    else if (said > FIGHTER_PAIRS_MAX)
      c.problem(side, -1,
                who + "'s pair count " + std::to_string(said) + " is more than " +
                    std::to_string(FIGHTER_PAIRS_MAX) + "; the game uses " +
                    std::to_string(FIGHTER_PAIRS_MAX));
    const std::string &sheet = f.picture;
    const screen_load pixels = check_picture(c, side, line - 1, who + "'s sheet", sheet, false);
    if (f.pairs <= 0) {
      c.note(side, -1,
             who + " has no frames (pair count " + std::to_string(f.pairs) +
                 "): that player's presses do nothing");
      continue;
    }
    c.info.push_back(who + ": " + counted(f.pairs, "frame pair", "frame pairs"));
    if (!pixels.loaded) continue;
    check_pairs(c, side, sheet, pixels, f.pairs);
    check_stray(c, side, sheet, pixels, f.pairs);
    if (bg.loaded)
      check_colours(c, side, sheet, pixels, load_as_game(sheet.c_str(), true), set.background, bg,
                    f.pairs);
  }
}

// Checks the set file name in the current folder.
set_check check_file(const std::string &name) {
  set_check c;
  c.file = name;
  fightset_entry set{};
  set_lines raw;
  const int lines = fightset_read_file(name.c_str(), set, &raw);
  if (lines == 0) {
    c.problem(-1, -1,
              name + " cannot be read as a fighter set (not a readable file, "
                     "or no lines)");
    return c;
  }
  check_entry(c, set, raw, lines);
  fightset_entry_free(set);
  return c;
}

struct totals {
  int problems = 0;
  int notes = 0;
};

void print_check(const set_check &c, totals &t) {
  for (const std::string &line : c.info) std::printf("  %s\n", line.c_str());
  for (const check_finding &f : c.findings) {
    std::printf("  %s: %s\n", f.problem ? "problem" : "note", f.text.c_str());
    (f.problem ? t.problems : t.notes)++;
  }
}

int summary(int sets, const totals &t) {
  const std::string notes = t.notes ? " (" + counted(t.notes, "note", "notes") + ")" : "";
  if (t.problems == 0) {
    std::printf("%s, all would play%s\n", counted(sets, "set", "sets").c_str(), notes.c_str());
    return 0;
  }
  std::printf("%s, %s%s\n", counted(sets, "set", "sets").c_str(),
              counted(t.problems, "problem", "problems").c_str(), notes.c_str());
  return 1;
}

void note_fixed_pictures(totals &t) {
  for (const char *fixed : {"velmorea.pi1", "qiratex1.pi1"})
    if (access(fixed, R_OK) != 0) {
      std::printf("note: %s is missing; the game shows a blank screen instead\n", fixed);
      t.notes++;
    }
}

// Splits a path into its folder ("." when none) and file name.
std::pair<std::string, std::string> split_path(const std::string &path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

int check_folder(const char *dir) {
  fightset_clear();
  fightset_report report;
  fightset_discover(".", &report);
  totals t;
  for (int i = 0; i < fightset_count; i++) {
    set_check c;
    c.file = report.files[static_cast<size_t>(i)];
    std::printf("set %d: %s (%s)\n", i + 1, quoted(fightset[i].name).c_str(), c.file.c_str());
    check_entry(c, fightset[i], report.raw_lines[static_cast<size_t>(i)],
                report.lines[static_cast<size_t>(i)]);
    print_check(c, t);
  }
  for (const std::string &name : report.unreadable) {
    std::printf("%s:\n  problem: %s cannot be read as a fighter set\n", name.c_str(), name.c_str());
    t.problems++;
  }
  for (const std::string &name : report.ignored) {
    std::printf("%s:\n  problem: %s is ignored: the game reads at most %d sets\n", name.c_str(),
                name.c_str(), FIGHTSET_MAX);
    t.problems++;
  }
  if (fightset_count == 0) {
    std::printf("%s:\n  problem: no fighter sets (*.dat): the game would say "
                "\"No fighters were "
                "found\"\n",
                dir);
    t.problems++;
  }
  note_fixed_pictures(t);
  const int sets = fightset_count;
  fightset_clear();
  return summary(sets, t);
}

int check_one(const std::string &name) {
  totals t;
  std::printf("%s:\n", name.c_str());
  print_check(check_file(name), t);
  // Whether the game reads it at all: discovery stops after the 19th set.
  fightset_clear();
  fightset_report report;
  fightset_discover(".", &report);
  fightset_clear();
  if (std::find(report.ignored.begin(), report.ignored.end(), name) != report.ignored.end()) {
    std::printf("  problem: %s is ignored: the folder holds more than %d sets "
                "and the game "
                "reads only the first %d it lists\n",
                name.c_str(), FIGHTSET_MAX, FIGHTSET_MAX);
    t.problems++;
  }
  note_fixed_pictures(t);
  return summary(1, t);
}

} // namespace

std::vector<check_finding> check_set_findings(const std::string &dat_path) {
  const auto [dir, name] = split_path(dat_path);
  cwd_restore back;
  if (chdir(dir.c_str()) != 0)
    return {{true, -1, -1, "cannot enter " + dir + ": " + std::strerror(errno)}};
  return check_file(name).findings;
}

int kit_check(std::span<char *const> args) {
  static const char usage[] = "usage: qira-kit check [DIR | FILE.dat]\n";
  if (args.size() > 1 || (!args.empty() && args[0][0] == '-')) {
    std::fputs(usage, stderr);
    return 2;
  }
  const std::string path = args.empty() ? "." : args[0];
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    std::fprintf(stderr, "qira-kit check: %s: %s\n", path.c_str(), std::strerror(errno));
    return 1;
  }
  const auto [dir, name] = split_path(path);
  const bool set_file = !S_ISDIR(st.st_mode) && fnmatch("*.dat", name.c_str(), FNM_CASEFOLD) == 0;
  if (!S_ISDIR(st.st_mode) && !set_file) {
    std::fprintf(stderr, "qira-kit check: %s is neither a folder nor a set file (*.dat)\n%s",
                 path.c_str(), usage);
    return 2;
  }
  cwd_restore back;
  // The game finds its pictures relative to the folder it runs in.
  const std::string folder = set_file ? dir : path;
  if (chdir(folder.c_str()) != 0) {
    std::fprintf(stderr, "qira-kit check: cannot enter %s: %s\n", folder.c_str(),
                 std::strerror(errno));
    return 1;
  }
  return set_file ? check_one(name) : check_folder(path.c_str());
}
