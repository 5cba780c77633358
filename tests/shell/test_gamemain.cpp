// The frame loop on a scripted clock, its Escape and quit results, and the key wait.
#include "input/input.h"
#include "shell/gamemain.h"
#include "shell/timer.h"
#include "support/test_support.h"
#include <SDL.h>
#include <array>
#include <gtest/gtest.h>

namespace {

class FrameLoop : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(test_display_open(false));
    test_clock_reset();
    timer_clock = test_clock_read;
    timer_init(); // reads 0 ms
    ticks = passes = drawn_at_first = 0;
  }
  void TearDown() override {
    timer_done();
    timer_clock = sdl_clock;
    test_display_close();
  }
  static inline const timer_clock_fn sdl_clock = timer_clock;
  static inline int ticks, passes, drawn_at_first, fewest, most, last;
  static int count() { return ++ticks, 0; }
  // The time the timer last read (each read moves the clock on by one).
  static uint32_t seen() { return test_clock_ms - 1; }
};

TEST_F(FrameLoop, SlowDrawingStillGivesFiftyTicksASecond) {
  fewest = 99, most = last = 0;
  const int r = game_mainloop(
      [] {
        ++ticks;
        EXPECT_LE(20u * ticks, seen()) << "tick " << ticks << " ran ahead of the clock";
        return ticks == 150 ? 9 : 0;
      },
      [] {
        EXPECT_LT(seen() - 20u * ticks, 20u) << "a whole tick left undone at pass " << passes;
        if (passes++ > 0)
          fewest = std::min(fewest, ticks - last), most = std::max(most, ticks - last);
        last = ticks;
        test_clock_ms += 50; // drawing takes 50 ms
      });
  EXPECT_EQ(r, 9);
  // After the first tick at 20 ms, passes of 51 ms (the draw and one poll)
  // run two or three ticks each; the 150th comes in the first pass to see
  // 3 s go by, the 60th, at 20 + 59 * 51 ms.
  EXPECT_EQ(fewest, 2);
  EXPECT_EQ(most, 3);
  EXPECT_EQ(passes, 59);
  EXPECT_EQ(seen(), 3029u);
}

TEST_F(FrameLoop, TimeLeftOnTheTimerIsCaughtUpInTheFirstPass) {
  timer = 100;
  EXPECT_EQ(
      game_mainloop([] { return passes ? 5 : count(); }, [] { drawn_at_first = ticks, passes++; }),
      5);
  EXPECT_EQ(drawn_at_first, 5);
}

TEST_F(FrameLoop, EscapeWaitsForItsReleaseAndRunsNoTickAndQuitWins) {
  test_push_key(SDLK_ESCAPE, true);
  test_clock_at(80, [] { test_push_key(SDLK_ESCAPE, false); });
  EXPECT_EQ(game_mainloop(count, nullptr), GAME_ESCAPE);
  EXPECT_EQ(seen(), 80u) << "returned before Escape was let go";
  EXPECT_EQ(keys[SDLK_ESCAPE], 0);
  test_push_key(SDLK_ESCAPE, true);
  // Escape is never let go: a close must still end the wait.
  test_clock_at(160, [] { test_push_quit(); });
  EXPECT_EQ(game_mainloop(count, nullptr), GAME_ESCAPE);
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
  // Return and Escape held, the press (0) or release (1) half, and its result.
  const std::array<int, 4> steps[] = {{1, 0, 0, 0}, // a held press is not a new one
                                      {0, 0, 0, 0}, {1, 1, 0, 1}, {0, 1, 1, 0}, // Escape held
                                      {0, 0, 1, 1}, {0, 0, 0, 0}, {0, 1, 0, 2}};
  for (const auto &[ret, esc, up, want] : steps) {
    keys[SDLK_RETURN] = uint8_t(ret), keys[SDLK_ESCAPE] = uint8_t(esc);
    EXPECT_EQ(up ? game_wait_key_up_logics() : game_wait_key_down_logics(), want)
        << "step " << (&ret - &steps[0][0]) / 4;
  }
  keys[SDLK_ESCAPE] = 0;
}

TEST_F(FrameLoop, KeyWaitEndsOnTheReleaseAndAnEscapeThenKeepsThePressResult) {
  // Ticks fall every 20 ms; the press is seen at 60 and the release at 200.
  test_clock_at(60, [] { test_push_key(SDLK_RETURN, true); });
  test_clock_at(200, [] { test_push_key(SDLK_RETURN, false); });
  EXPECT_EQ(game_wait_key(nullptr), GAME_DONE);
  EXPECT_EQ(seen(), 200u) << "not ended by the release's own tick";
  test_clock_at(260, [] { test_push_quit(); });
  EXPECT_EQ(game_wait_key(nullptr), GAME_QUIT);
  EXPECT_EQ(seen(), 260u);
  test_input_reset();
  // Escape while Return is held ends the second half; the press still counts.
  test_clock_at(280, [] { test_push_key(SDLK_RETURN, true); });
  test_clock_at(300, [] { test_push_key(SDLK_ESCAPE, true); });
  test_clock_at(360, [] { test_push_key(SDLK_ESCAPE, false); });
  EXPECT_EQ(game_wait_key(nullptr), GAME_DONE);
  EXPECT_EQ(keys[SDLK_RETURN], 1) << "the wait ended by itself, not on Escape";
}

} // namespace
