// The action sequencer: when steps are performed, and that each is drawn once.
#include "fight/at-action.h"
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace {

std::vector<int> drawn;
void record(at_action *, int32_t step) { drawn.push_back(step); }

// Runs n ticks and returns the (1-based) ticks on which a step was performed.
std::vector<int> run_ticks(at_action *a, int n) {
  std::vector<int> at;
  for (int t = 1; t <= n; t++) {
    const int before = a->steps;
    at_action_run(a);
    if (a->steps != before) at.push_back(t);
  }
  return at;
}

TEST(AtAction, CountedActionsStepOnTheirPeriodAndDrawEveryStepOnce) {
  const struct { int period, limit; std::vector<int> step_ticks; } cases[] = {
      {5, 3, {1, 5, 10, 15}}, {5, 0, {1}}, {1, 3, {1, 2, 3, 4}}, {0, 2, {1, 2, 3}}};
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << "period " << c.period << " limit " << c.limit);
    at_action1 a;
    at_action1_init(&a, c.period, c.limit, record);
    at_action_run(&a.action); // initialised actions are stopped
    drawn.clear();
    at_action_restart(&a.action);
    EXPECT_EQ(run_ticks(&a.action, 20), c.step_ticks);
    EXPECT_EQ(a.action.state, AT_ACTION_FINISHED);
    at_action_draw(&a.action);
    at_action_draw(&a.action);
    std::vector<int> want(c.step_ticks.size());
    std::iota(want.begin(), want.end(), 0);
    EXPECT_EQ(drawn, want); // the finishing call is drawn too, nothing twice
  }
}

TEST(AtAction, SkipEndsTheActionAndItsStepsAreStillDrawnOnce) {
  for (int from : {0, 2, 5}) { // below, at and past the limit of 2
    at_action1 a;
    at_action1_init(&a, 5, 2, record);
    at_action_restart(&a.action);
    a.action.steps = a.action.drawn = from;
    drawn.clear();
    at_action_skip(&a.action);
    at_action_draw(&a.action);
    EXPECT_EQ(a.action.state, AT_ACTION_FINISHED) << from;
    EXPECT_EQ(drawn.size(), from < 2 ? size_t(3 - from) : 1u) << from; // up to the finishing step
  }
  at_action bare;
  at_action_init(&bare, nullptr, nullptr); // nothing to run: ends at once
  at_action_start(&bare);
  at_action_skip(&bare);
  EXPECT_EQ(bare.state, AT_ACTION_FINISHED);
}

} // namespace
