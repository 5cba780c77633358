// The action sequencer's skip: it ends, and each step is still drawn once.
#include "fight/at-action.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace {

std::vector<int> drawn;
void record(at_action *, int32_t step) { drawn.push_back(step); }

// The fight screen drives the sequencer tick by tick (see the play tests); skip is the rest of
// its interface that can go wrong: it must end, and still draw each step once.
TEST(AtAction, SkipEndsTheActionAndItsStepsAreStillDrawnOnce) {
  for (int from : {0, 2, 5}) { // below, at and past the limit of 2
    at_action1 a;
    at_action1_init(&a, 5, 2, record);
    at_action_restart(&a.action);
    a.action.steps = a.action.drawn = from;
    drawn.clear();
    at_action_skip(&a.action);
    at_action_draw(&a.action);
    at_action_draw(&a.action);
    EXPECT_EQ(a.action.state, AT_ACTION_FINISHED) << from;
    std::vector<int> want(size_t(std::max(from, 2) - from + 1)); // up to the finishing step
    std::iota(want.begin(), want.end(), from);
    EXPECT_EQ(drawn, want) << from;
  }
  at_action bare;
  at_action_init(&bare, nullptr, nullptr); // nothing to run: ends at once
  at_action_start(&bare);
  at_action_skip(&bare);
  EXPECT_EQ(bare.state, AT_ACTION_FINISHED);
}

} // namespace
