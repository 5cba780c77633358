// Character selection: move the highlight, let each player claim a device.
#include "fight/charsel.h"
#include "canvas/canvas.h"
#include "canvas/draw.h"
#include "image/stpic.h"
#include "input/control.h"
#include "input/inputdev.h"
#include "shell/gamemain.h"
#include "shell/glob.h"
#include "shell/util.h"
#include "video/draw_pane.h"
#include "video/palette.h"

namespace {
// The background picture, or null when it could not be loaded.
canvas *background;
// Players who have claimed a device this visit: 0, 1 or 2.
int players_done;
// The highlighted set; kept from one visit to the next.
int selected_fightset;
// Set once up, down and the claimed buttons have been seen up; every action
// needs it and clears it, so one press makes one move.
int ready;
// Cleared on entry, set once no key or button of any device is held: a press
// made before the screen (Escape out of a fight, a key held through it) must
// not become a claim.
bool released;

bool claim_held(const input_dev_claim &c) {
  return input_dev_check_button(c.type, c.number, c.button) != 0;
}

bool same_claim(const input_dev_claim &a, const input_dev_claim &b) {
  return a.type == b.type && a.number == b.number && a.button == b.button;
}
} // namespace

void charsel_enter() {
  background = pi1_load("qiratex1.pi1", nullptr, palette, nullptr);
  // Without its picture the list goes on black, not on colour 0 of the
  // last fight's palette.
  if (!background) palette[0] = palette[1] = palette[2] = 0;
  clr();
  set_shade_palette();
  players_done = 0;
  ready = 0;
  released = false;
}

void charsel_leave() {
  canvas_free(background);
  background = nullptr;
}

int charsel() {
  charsel_enter();
  const int result = game_mainloop(charsel_logics, charsel_graphics);
  charsel_leave();
  return result;
}

int charsel_logics() {
  if (!released) {
    if (input_dev_any_held()) return 0;
    released = true;
  }
  const int c = control_check_any();
  if (!ready) {
    if (c & (CONTROL_UP | CONTROL_DOWN)) return 0;
    if (players_done >= 1 && claim_held(player_control[0])) return 0;
    if (players_done >= 2 && claim_held(player_control[1])) return 0;
    ready = 1;
    return 0;
  }
  if (c & CONTROL_DOWN) {
    if (++selected_fightset >= fightset_count) selected_fightset = 0;
    ready = 0;
    return 0;
  }
  if (c & CONTROL_UP) {
    if (--selected_fightset < 0) selected_fightset = fightset_count - 1;
    ready = 0;
    return 0;
  }
  if (players_done == 2) {
    current_fightset = &fightset[selected_fightset];
    return GAME_DONE;
  }
  input_dev_claim &claim = player_control[players_done];
  if (input_dev_check_all(&claim.type, &claim.number, &claim.button)) {
    // Player 2 may share a device with player 1 but not the very control.
    if (players_done == 0 || !same_claim(claim, player_control[0])) {
      players_done++;
      ready = 0;
    }
  }
  return 0;
}

void charsel_graphics() {
  if (background)
    draw_canvas(0, 0, background);
  else
    draw_pane(0, 0, VSCRN_W, VSCRN_H, 0);
  for (int i = 0; i < fightset_count; i++) {
    if (i == selected_fightset) {
      fwritexy(&vscrn_canvas, FIGHTSET_NAME_X, 11 + 10 * i, fightset[i].name, SHADE_TEXT_BRIGHT);
      draw_rect(0, 10 + 10 * i, VSCRN_W, 10, SHADE_FRAME);
    } else {
      fwritexy(&vscrn_canvas, FIGHTSET_NAME_X, 11 + 10 * i, fightset[i].name, SHADE_TEXT_DIM);
    }
  }
  fwritexy(&vscrn_canvas, 8, 192, players_done >= 1 ? "Player 1 ready" : "Player 1 hit fire",
           SHADE_TEXT_BRIGHT);
  fwritexy_right(&vscrn_canvas, 312, 192,
                 players_done == 2 ? "Player 2 ready" : "Player 2 hit fire", SHADE_TEXT_BRIGHT);
}

int charsel_selected() { return selected_fightset; }
int charsel_players_done() { return players_done; }
