// Action sequencer: timed steps run by logic ticks and drawn once each.
#pragma once
#include <cstdint>

enum { AT_ACTION_STOPPED = 0, AT_ACTION_RUNNING = 1, AT_ACTION_FINISHED = 2 };

struct at_action;
using at_action_run_fn = void (*)(at_action *action);
using at_action_draw_fn = void (*)(at_action *action, int32_t step);

struct at_action {
  at_action_run_fn run;
  at_action_draw_fn draw;
  int32_t state;
  int32_t steps;
  int32_t drawn;
  int32_t ticks;
  int32_t next_tick;
};

struct at_action1 {
  at_action action;
  int32_t period;
  int32_t limit;
};

void at_action_init(at_action *action, at_action_run_fn run, at_action_draw_fn draw);
void at_action1_init(at_action1 *action1, int period, int limit, at_action_draw_fn draw);
void at_action_run(at_action *action);
void at_action_draw(at_action *action);
void at_action_reset(at_action *action);
void at_action_start(at_action *action);
void at_action_stop(at_action *action);
void at_action_restart(at_action *action);
void at_action_skip(at_action *action);
void at_action1_run_func(at_action *action1);
