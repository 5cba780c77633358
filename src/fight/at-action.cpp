// Action sequencer: steps performed by logic ticks, each drawn exactly once.
#include "fight/at-action.h"

namespace {
void zero_counters(at_action *a) {
  a->steps = 0;
  a->drawn = 0;
  a->ticks = 0;
  a->next_tick = 0;
}
} // namespace

void at_action_init(at_action *action, at_action_run_fn run, at_action_draw_fn draw) {
  action->run = run;
  action->draw = draw;
  at_action_reset(action);
}

void at_action1_init(at_action1 *action1, int period, int limit, at_action_draw_fn draw) {
  at_action_init(&action1->action, at_action1_run_func, draw);
  action1->period = period;
  action1->limit = limit;
}

void at_action_run(at_action *action) {
  if (action->state != AT_ACTION_RUNNING) return;
  action->ticks++;
  if (action->next_tick > action->ticks) return;
  if (action->run) action->run(action);
  // The call that finishes the action is a step too, and gets drawn.
  action->steps++;
}

void at_action_draw(at_action *action) {
  if (!action->draw) return;
  while (action->drawn < action->steps) {
    action->draw(action, action->drawn);
    action->drawn++;
  }
}

void at_action_reset(at_action *action) {
  action->state = AT_ACTION_STOPPED;
  zero_counters(action);
}

void at_action_start(at_action *action) { action->state = AT_ACTION_RUNNING; }

void at_action_stop(at_action *action) { action->state = AT_ACTION_STOPPED; }

void at_action_restart(at_action *action) {
  zero_counters(action);
  action->state = AT_ACTION_RUNNING;
}

void at_action_skip(at_action *action) {
  if (action->state != AT_ACTION_RUNNING) return;
  // With nothing to run there is nothing to wait for: the action ends.
  if (!action->run) {
    action->state = AT_ACTION_FINISHED;
    return;
  }
  // The remaining steps at once, each counted (and later drawn) as a tick
  // would, so a counted action below its limit reaches it and ends.
  while (action->state == AT_ACTION_RUNNING) {
    action->run(action);
    action->steps++;
  }
}

void at_action1_run_func(at_action *action) {
  // An at_action1 begins with its at_action, so the record is the whole one.
  auto *a1 = reinterpret_cast<at_action1 *>(action);
  if (action->steps >= a1->limit)
    action->state = AT_ACTION_FINISHED;
  else
    action->next_tick += a1->period;
}
