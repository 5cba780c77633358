// The frame loop over real time, its Escape and quit results, and the key wait.
#include "input/input.h"
#include "shell/gamemain.h"
#include "shell/timer.h"
#include "support/test_support.h"
#include <SDL.h>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

// Events that arrive while a loop runs, pushed from another thread.
struct later {
  std::thread worker;
  template <class F> explicit later(int ms, F f) : worker([ms, f] {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    f();
  }) {}
  ~later() { worker.join(); }
};

class FrameLoop : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(test_display_open(false));
    timer_init();
  }
  void TearDown() override {
    timer_done();
    test_display_close();
  }
};

int ticks;
std::vector<int> ticks_per_pass;
int last_pass_ticks;
uint32_t started;

uint32_t fiftieth_tick_at;
int count_fifty() {
  if (++ticks < 50) return 0;
  fiftieth_tick_at = SDL_GetTicks() - started;
  return 9;
}
void slow_draw() {
  ticks_per_pass.push_back(ticks - last_pass_ticks);
  last_pass_ticks = ticks;
  SDL_Delay(50);
}

TEST_F(FrameLoop, SlowDrawingStillGivesFiftyTicksASecond) {
  ticks = last_pass_ticks = 0;
  ticks_per_pass.clear();
  timer_update();
  timer = 0;
  started = SDL_GetTicks();
  EXPECT_EQ(game_mainloop(count_fifty, slow_draw), 9);
  // One tick per 20 ms gathered, whatever the drawing costs: the 50th tick
  // comes in the first pass that starts once a second has gone by.
  EXPECT_GE(fiftieth_tick_at, 995u);
  EXPECT_LE(fiftieth_tick_at, 1300u);
  ASSERT_GE(ticks_per_pass.size(), 10u);
  // Every pass after the first takes over 40 ms, so it catches up two ticks or more.
  for (size_t i = 1; i < ticks_per_pass.size(); i++) EXPECT_GE(ticks_per_pass[i], 2) << i;
}

bool drew;
int first_draw_ticks;
int count_until_drawn() {
  if (drew) return 5;
  ticks++;
  return 0;
}
void note_first_draw() {
  if (!drew) first_draw_ticks = ticks;
  drew = true;
}

TEST_F(FrameLoop, TimeLeftOnTheTimerIsCaughtUpInTheFirstPass) {
  ticks = 0;
  drew = false;
  timer_update();
  timer = 100;
  EXPECT_EQ(game_mainloop(count_until_drawn, note_first_draw), 5);
  EXPECT_EQ(first_draw_ticks, 5);
}

int count_ticks() {
  ticks++;
  return 0;
}

TEST_F(FrameLoop, HeldEscapeWaitsForTheReleaseAndRunsNoTick) {
  ticks = 0;
  test_push_key(SDLK_ESCAPE, true);
  {
    later release(80, [] { test_push_key(SDLK_ESCAPE, false); });
    EXPECT_EQ(game_mainloop(count_ticks, nullptr), GAME_ESCAPE);
  }
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(keys[SDLK_ESCAPE], 0);
}

TEST_F(FrameLoop, QuitInTheSamePassAsEscapeWins) {
  ticks = 0;
  test_push_key(SDLK_ESCAPE, true);
  test_push_quit();
  EXPECT_EQ(game_mainloop(count_ticks, nullptr), GAME_QUIT);
  // The quit stays: every later loop ends on its first pass.
  EXPECT_EQ(game_mainloop(count_ticks, nullptr), GAME_QUIT);
  EXPECT_EQ(ticks, 0);
}

TEST_F(FrameLoop, QuitDuringTheEscapeWaitEndsItAndTheNextLoopQuits) {
  ticks = 0;
  test_push_key(SDLK_ESCAPE, true);
  {
    // Escape is never released; the close must not leave the program stuck.
    later close(80, [] { test_push_quit(); });
    EXPECT_EQ(game_mainloop(count_ticks, nullptr), GAME_ESCAPE);
  }
  EXPECT_EQ(game_mainloop(count_ticks, nullptr), GAME_QUIT);
  EXPECT_EQ(ticks, 0);
}

TEST_F(FrameLoop, KeyWaitNeedsAFreshPressAndReportsFireBeforeEscape) {
  keys[SDLK_RETURN] = 1;
  game_wait_key_down_logics(); // may accept a press if an earlier wait left it ready
  EXPECT_EQ(game_wait_key_down_logics(), 0) << "a held press is not a new one";
  keys[SDLK_RETURN] = 0;
  EXPECT_EQ(game_wait_key_down_logics(), 0);
  keys[SDLK_ESCAPE] = 1;
  keys[SDLK_RETURN] = 1;
  EXPECT_EQ(game_wait_key_down_logics(), 1);
  EXPECT_EQ(game_wait_key_up_logics(), 0);
  keys[SDLK_RETURN] = 0;
  EXPECT_EQ(game_wait_key_up_logics(), 0) << "Escape still held";
  keys[SDLK_ESCAPE] = 0;
  EXPECT_EQ(game_wait_key_up_logics(), 1);
  EXPECT_EQ(game_wait_key_down_logics(), 0);
  keys[SDLK_ESCAPE] = 1;
  EXPECT_EQ(game_wait_key_down_logics(), 2);
  keys[SDLK_ESCAPE] = 0;
}

TEST_F(FrameLoop, KeyWaitReturnsAfterPressAndRelease) {
  later press(60, [] { test_push_key(SDLK_RETURN, true); });
  later release(200, [] { test_push_key(SDLK_RETURN, false); });
  const uint32_t t0 = SDL_GetTicks();
  EXPECT_EQ(game_wait_key(nullptr), GAME_DONE);
  EXPECT_GE(SDL_GetTicks() - t0, 190u) << "returned before the release";
}

TEST_F(FrameLoop, EscapeDuringTheReleaseWaitKeepsThePressResult) {
  later press(60, [] { test_push_key(SDLK_RETURN, true); });
  later escape_down(180, [] { test_push_key(SDLK_ESCAPE, true); });
  later escape_up(260, [] { test_push_key(SDLK_ESCAPE, false); });
  EXPECT_EQ(game_wait_key(nullptr), GAME_DONE);
  EXPECT_EQ(keys[SDLK_RETURN], 1) << "the wait ended before fire was let go";
}

TEST_F(FrameLoop, KeyWaitReportsAQuit) {
  later close(60, [] { test_push_quit(); });
  EXPECT_EQ(game_wait_key(nullptr), GAME_QUIT);
}

} // namespace
