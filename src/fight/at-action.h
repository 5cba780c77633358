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
// The counted variant: its run callback steps every period ticks and
// finishes once steps reaches limit. The fight screen uses only init,
// restart, run and draw; the rest complete the sequencer's interface.
void at_action1_init(at_action1 *action1, int period, int limit, at_action_draw_fn draw);
void at_action_run(at_action *action);
void at_action_draw(at_action *action);
void at_action_reset(at_action *action);
void at_action_start(at_action *action);
void at_action_stop(at_action *action);
void at_action_restart(at_action *action);
// Calls the run callback again and again while the action is running,
// advancing no counter. So the callback must be set (it is not checked for
// null) and must leave the running state by itself, or this never returns;
// a counted action (at_action1) leaves it only once steps reaches limit.
// No screen calls it.
void at_action_skip(at_action *action);
void at_action1_run_func(at_action *action1);
