// The action sequencer: when steps are performed, and that each is drawn once.
#include "fight/at-action.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<int> drawn_steps;
void record_draw(at_action *, int32_t step) { drawn_steps.push_back(step); }

// Runs ticks 1..n, returning the ticks on which a step was performed.
std::vector<int> run_ticks(at_action *a, int n) {
  std::vector<int> step_ticks;
  for (int t = 1; t <= n; t++) {
    const int before = a->steps;
    at_action_run(a);
    if (a->steps != before) step_ticks.push_back(t);
  }
  return step_ticks;
}

class AtAction : public ::testing::Test {
protected:
  void SetUp() override { drawn_steps.clear(); }
};

TEST_F(AtAction, CountedActionStepsOnPeriodsAndFinishesAfterLimit) {
  at_action1 a;
  at_action1_init(&a, 5, 3, record_draw);
  at_action_restart(&a.action);
  EXPECT_EQ(run_ticks(&a.action, 20), (std::vector<int>{1, 5, 10, 15}));
  EXPECT_EQ(a.action.state, AT_ACTION_FINISHED);
  EXPECT_EQ(a.action.steps, 4);
  at_action_draw(&a.action);
  EXPECT_EQ(drawn_steps, (std::vector<int>{0, 1, 2, 3}));
  // Drawing again hands out nothing new.
  at_action_draw(&a.action);
  EXPECT_EQ(drawn_steps.size(), 4u);
}

TEST_F(AtAction, LimitZeroFinishesOnFirstTickAndThatTickIsDrawn) {
  at_action1 a;
  at_action1_init(&a, 5, 0, record_draw);
  at_action_restart(&a.action);
  EXPECT_EQ(run_ticks(&a.action, 3), (std::vector<int>{1}));
  EXPECT_EQ(a.action.state, AT_ACTION_FINISHED);
  at_action_draw(&a.action);
  EXPECT_EQ(drawn_steps, (std::vector<int>{0}));
}

TEST_F(AtAction, PeriodOneOrLessStepsEveryTick) {
  at_action1 a;
  at_action1_init(&a, 1, 3, record_draw);
  at_action_restart(&a.action);
  EXPECT_EQ(run_ticks(&a.action, 6), (std::vector<int>{1, 2, 3, 4}));
  at_action1_init(&a, 0, 2, record_draw);
  at_action_restart(&a.action);
  EXPECT_EQ(run_ticks(&a.action, 6), (std::vector<int>{1, 2, 3}));
}

TEST_F(AtAction, SeveralDueStepsBetweenDrawsAreDrawnInOrderOnce) {
  at_action1 a;
  at_action1_init(&a, 1, 10, record_draw);
  at_action_restart(&a.action);
  run_ticks(&a.action, 3);
  at_action_draw(&a.action);
  EXPECT_EQ(drawn_steps, (std::vector<int>{0, 1, 2}));
  run_ticks(&a.action, 2);
  at_action_draw(&a.action);
  EXPECT_EQ(drawn_steps, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(AtAction, RestartDiscardsUndrawnSteps) {
  at_action1 a;
  at_action1_init(&a, 1, 10, record_draw);
  at_action_restart(&a.action);
  run_ticks(&a.action, 4);
  at_action_restart(&a.action);
  EXPECT_EQ(a.action.steps, 0);
  EXPECT_EQ(a.action.drawn, 0);
  at_action_run(&a.action);
  at_action_draw(&a.action);
  EXPECT_EQ(drawn_steps, (std::vector<int>{0}));
}

TEST_F(AtAction, StoppedActionIgnoresTicksAndStartResumesTiming) {
  at_action1 a;
  at_action1_init(&a, 5, 3, record_draw);
  at_action_run(&a.action); // initialised actions are stopped
  EXPECT_EQ(a.action.ticks, 0);
  at_action_restart(&a.action);
  run_ticks(&a.action, 3); // step on tick 1, next due on tick 5
  at_action_stop(&a.action);
  const at_action before = a.action;
  run_ticks(&a.action, 10);
  EXPECT_EQ(a.action.ticks, before.ticks);
  EXPECT_EQ(a.action.steps, before.steps);
  at_action_start(&a.action);
  EXPECT_EQ(a.action.next_tick, before.next_tick);
  // Ticks 4 and 5 of the action: the step comes on its 5th counted tick.
  EXPECT_EQ(run_ticks(&a.action, 2), (std::vector<int>{2}));
}

TEST_F(AtAction, NullRunStepsEveryTickAndNeverFinishes) {
  at_action a;
  at_action_init(&a, nullptr, record_draw);
  at_action_restart(&a);
  EXPECT_EQ(run_ticks(&a, 50).size(), 50u);
  EXPECT_EQ(a.state, AT_ACTION_RUNNING);
}

TEST_F(AtAction, NullDrawDrawsNothingAndResetStops) {
  at_action a;
  at_action_init(&a, nullptr, nullptr);
  at_action_restart(&a);
  run_ticks(&a, 3);
  at_action_draw(&a);
  EXPECT_EQ(a.drawn, 0);
  at_action_reset(&a);
  EXPECT_EQ(a.state, AT_ACTION_STOPPED);
  EXPECT_EQ(a.steps + a.ticks + a.next_tick, 0);
}

TEST_F(AtAction, SkipRunsTheCallbackUntilTheActionLeavesRunning) {
  at_action1 a;
  at_action1_init(&a, 5, 2, record_draw);
  at_action_restart(&a.action);
  a.action.steps = 2; // at its limit: the counted callback finishes it
  at_action_skip(&a.action);
  EXPECT_EQ(a.action.state, AT_ACTION_FINISHED);
  EXPECT_EQ(a.action.steps, 2);
  EXPECT_EQ(a.action.ticks, 0);
}

} // namespace
