// The fight screen: frames cut from each fighter's sheet, an attack on a
// held button played in a fixed 60x30 cell.
#include "fight/play.h"
#include "canvas/canvas.h"
#include "fight/at-action.h"
#include "image/anypic.h"
#include "input/inputdev.h"
#include "shell/errormsg.h"
#include "shell/gamemain.h"
#include "shell/glob.h"
#include "shell/random.h"
#include "shell/util.h"
#include "video/palette.h"
#include <array>
#include <cstring>

namespace {

struct fighter_slot {
  std::array<canvas *, FIGHTER_FRAMES_MAX> frame;
};

// The frames cut from each fighter's sheet, player 1 first.
fighter_slot fighter[2];
// The attack animation.
at_action fighter_action;
// First frame of the chosen pair in the attacker's table; always even.
int firstframe;
// Whose attack is running, or ran last.
int attacker;
// The background under the attack cell, to put back after an attack.
canvas *original;

void free_frames() {
  for (auto &slot : fighter)
    for (auto &f : slot.frame) {
      canvas_free(f);
      f = nullptr;
    }
}

void fighter_run(at_action *action) {
  if (action->steps < FIGHTER_ATTACK_FRAMES)
    action->next_tick += FIGHTER_ATTACK_PERIOD;
  else if (action->steps > FIGHTER_ATTACK_FRAMES)
    action->state = AT_ACTION_FINISHED;
}

void fighter_draw(at_action *, int32_t step) {
  const canvas *c = nullptr;
  switch (step) {
  case 0:
  case 2: c = fighter[attacker].frame[firstframe]; break;
  case 1: c = fighter[attacker].frame[firstframe + 1]; break;
  case FIGHTER_ATTACK_FRAMES: c = original; break;
  default: break;
  }
  if (c) draw_canvas(FIGHTER_CELL_X, FIGHTER_CELL_Y, c);
}

// Shows the load failure and frees what was cut so far. The message goes on
// a cleared screen: a sheet loaded into it must never show.
int fail_load(const char *name, const char *error) {
  clr();
  const int result = errormsg_failload(name, error);
  free_frames();
  return result;
}

} // namespace

int play_enter() {
  free_frames();
  for (int i = 0; i < 2; i++) {
    fighter_def &d = current_fightset->fighters[i];
    if (std::strcmp(d.picture, "-") == 0) {
      d.pairs = 0;
      continue;
    }
    const char *error = nullptr;
    if (!anypic_load(d.picture, &vscrn_canvas, nullptr, &error)) return fail_load(d.picture, error);
    for (int k = 0; k < 2 * d.pairs; k++)
      fighter[i].frame[k] =
          grab_canvas(fighter_frame_x(k), fighter_frame_y(k), FIGHTER_CELL_W, FIGHTER_CELL_H);
  }
  clr(); // the sheets never show
  const char *error = nullptr;
  if (!anypic_load(current_fightset->background, &vscrn_canvas, palette, &error))
    return fail_load(current_fightset->background, error);
  original = grab_canvas(FIGHTER_CELL_X, FIGHTER_CELL_Y, FIGHTER_CELL_W, FIGHTER_CELL_H);
  palette_set(palette);
  at_action_init(&fighter_action, fighter_run, fighter_draw);
  return 0;
}

void play_leave() {
  canvas_free(original);
  original = nullptr;
  free_frames();
}

int play() {
  const int failed = play_enter();
  if (failed) return failed;
  const int result = game_mainloop(play_logics, play_graphics);
  play_leave();
  return result;
}

int play_logics() {
  for (int i = 0; i < 2; i++) {
    const input_dev_claim &c = player_control[i];
    const int pairs = current_fightset->fighters[i].pairs;
    if (input_dev_check_button(c.type, c.number, c.button) &&
        fighter_action.state != AT_ACTION_RUNNING && pairs > 0) {
      attacker = i;
      firstframe = 2 * (rand8() % pairs);
      at_action_restart(&fighter_action);
    }
  }
  at_action_run(&fighter_action);
  return 0;
}

void play_graphics() { at_action_draw(&fighter_action); }
