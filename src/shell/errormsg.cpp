// The boxed message screen: one or two centred lines in fresh random
// colours over whatever the screen shows, until a key is pressed.
#include "shell/errormsg.h"
#include "canvas/canvas.h"
#include "canvas/draw.h"
#include "shell/gamemain.h"
#include "shell/glob.h"
#include "shell/util.h"
#include "video/draw_pane.h"
#include <cstring>
#include <string>

namespace {

// The widest line whose box (text + 16 columns of frame and margin) still
// fits the screen's VSCRN_W columns.
constexpr size_t LINE_MAX = 38;

const char FAILLOAD_PREFIX[] = "Failed to load ";
const char CUT_MARK[] = "...";

// A line as shown: absent stays absent, anything too wide keeps its start.
const char *fitted(const char *line, std::string &store) {
  if (!line) return nullptr;
  store.assign(line, strnlen(line, LINE_MAX));
  return store.c_str();
}

} // namespace

int errormsg(const char *line1, const char *line2) {
  std::string store1, store2;
  line1 = fitted(line1, store1);
  line2 = fitted(line2, store2);

  set_shade_palette();
  int w1 = line1 ? 8 * static_cast<int>(std::strlen(line1)) : 0;
  int w2 = line2 ? 8 * static_cast<int>(std::strlen(line2)) : 0;
  int w = w1 > w2 ? w1 : w2;
  int half = (w + 16) / 2;
  draw_pane(161 - half, 83, w + 14, 34, 0);
  draw_rect(160 - half, 82, w + 16, 36, SHADE_FRAME);
  if (w1 != 0) fwritexy(&vscrn_canvas, 160 - w1 / 2, 90, line1, SHADE_TEXT_BRIGHT);
  if (w2 != 0) fwritexy(&vscrn_canvas, 160 - w2 / 2, 102, line2, SHADE_TEXT_DIM);
  return game_wait_key(nullptr);
}

int errormsg_failload(const char *name, const char *message) {
  // Keep the end of a long name: it tells files in one folder apart.
  constexpr size_t name_room = LINE_MAX - (sizeof FAILLOAD_PREFIX - 1);
  constexpr size_t tail = name_room - (sizeof CUT_MARK - 1);
  std::string line = FAILLOAD_PREFIX;
  size_t n = name ? std::strlen(name) : 0;
  if (n <= name_room) {
    line.append(name ? name : "", n);
  } else {
    line += CUT_MARK;
    line.append(name + n - tail, tail);
  }
  return errormsg(line.c_str(), message);
}
