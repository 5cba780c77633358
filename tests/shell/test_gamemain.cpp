// The frame loop over real time, its Escape and quit results, and the key wait.
#include "input/input.h"
#include "shell/gamemain.h"
#include "shell/timer.h"
#include "support/test_support.h"
#include <SDL.h>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

// Pushes events while a loop runs; joins when it goes out of scope.
struct later {
  std::thread worker;
  template <class F> later(int ms, F f) : worker([ms, f] {
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
    ticks = passes = drawn_at_first = 0;
  }
  void TearDown() override {
    timer_done();
    test_display_close();
  }
  static inline int ticks, passes, drawn_at_first, min_ticks_per_pass;
  static inline uint32_t started, fiftieth_at;
  static int count() { return ++ticks, 0; }
};

TEST_F(FrameLoop, SlowDrawingStillGivesFiftyTicksASecond) {
  min_ticks_per_pass = 99;
  timer_update();
  timer = 0;
  started = SDL_GetTicks();
  const int r = game_mainloop(
      [] {
        if (++ticks < 50) return 0;
        fiftieth_at = SDL_GetTicks() - started;
        return 9;
      },
      [] {
        static int last;
        if (passes++ > 0 && ticks - last < min_ticks_per_pass) min_ticks_per_pass = ticks - last;
        last = ticks;
        SDL_Delay(50);
      });
  EXPECT_EQ(r, 9);
  // The 50th tick comes in the first pass that starts once a second has gone by,
  EXPECT_GE(fiftieth_at, 995u);
  EXPECT_LE(fiftieth_at, 1500u); // one tick a pass would need 2.5 s
  // and every pass of over 40 ms catches up two ticks or more.
  EXPECT_GE(min_ticks_per_pass, 2);
}

TEST_F(FrameLoop, TimeLeftOnTheTimerIsCaughtUpInTheFirstPass) {
  timer_update();
  timer = 100;
  EXPECT_EQ(game_mainloop([] { return passes ? 5 : count(); }, [] { drawn_at_first = ticks, passes++; }), 5);
  EXPECT_EQ(drawn_at_first, 5);
}

TEST_F(FrameLoop, EscapeWaitsForItsReleaseAndRunsNoTickAndQuitWins) {
  test_push_key(SDLK_ESCAPE, true);
  {
    later release(80, [] { test_push_key(SDLK_ESCAPE, false); });
    EXPECT_EQ(game_mainloop(count, nullptr), GAME_ESCAPE);
  }
  EXPECT_EQ(keys[SDLK_ESCAPE], 0);
  test_push_key(SDLK_ESCAPE, true);
  {
    // Escape is never let go: a close must still end the wait.
    later close(80, [] { test_push_quit(); });
    EXPECT_EQ(game_mainloop(count, nullptr), GAME_ESCAPE);
  }
  EXPECT_EQ(game_mainloop(count, nullptr), GAME_QUIT); // the quit stays
  test_input_reset();
  test_push_key(SDLK_ESCAPE, true);
  test_push_quit();
  EXPECT_EQ(game_mainloop(count, nullptr), GAME_QUIT);
  EXPECT_EQ(ticks, 0);
}

TEST_F(FrameLoop, KeyWaitNeedsAFreshPressAndReportsFireBeforeEscape) {
  keys[SDLK_RETURN] = 1;
  game_wait_key_down_logics(); // an earlier wait may have left it ready
  EXPECT_EQ(game_wait_key_down_logics(), 0) << "a held press is not a new one";
  keys[SDLK_RETURN] = 0;
  EXPECT_EQ(game_wait_key_down_logics(), 0);
  keys[SDLK_ESCAPE] = keys[SDLK_RETURN] = 1;
  EXPECT_EQ(game_wait_key_down_logics(), 1);
  keys[SDLK_RETURN] = 0;
  EXPECT_EQ(game_wait_key_up_logics(), 0) << "Escape still held";
  keys[SDLK_ESCAPE] = 0;
  EXPECT_EQ(game_wait_key_up_logics(), 1);
  EXPECT_EQ(game_wait_key_down_logics(), 0);
  keys[SDLK_ESCAPE] = 1;
  EXPECT_EQ(game_wait_key_down_logics(), 2);
  keys[SDLK_ESCAPE] = 0;
}

TEST_F(FrameLoop, KeyWaitEndsOnTheReleaseAndAnEscapeThenKeepsThePressResult) {
  {
    later press(60, [] { test_push_key(SDLK_RETURN, true); });
    later release(200, [] { test_push_key(SDLK_RETURN, false); });
    const uint32_t t0 = SDL_GetTicks();
    EXPECT_EQ(game_wait_key(nullptr), GAME_DONE);
    EXPECT_GE(SDL_GetTicks() - t0, 190u) << "returned before the release";
  }
  later press(60, [] { test_push_key(SDLK_RETURN, true); });
  later escape(180, [] { test_push_key(SDLK_ESCAPE, true); });
  later escape_up(260, [] { test_push_key(SDLK_ESCAPE, false); });
  EXPECT_EQ(game_wait_key(nullptr), GAME_DONE);
  EXPECT_EQ(keys[SDLK_RETURN], 1) << "the wait ended by itself, not on Escape";
  later close(60, [] { test_push_quit(); });
  EXPECT_EQ(game_wait_key(nullptr), GAME_QUIT);
}

} // namespace
