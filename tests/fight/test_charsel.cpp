// The selection screen driven tick by tick with pushed events.
#include "fight/charsel.h"
#include "input/input.h"
#include "input/inputdev.h"
#include "shell/fightset.h"
#include "support/joyport_fake.h"
#include "support/test_support.h"
#include "video/graphics.h"
#include <SDL.h>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

class Charsel : public ::testing::Test {
protected:
  int start = 0;
  void SetUp() override {
    joyport_fake_reset();
    ASSERT_TRUE(test_display_open(false));
  }
  void TearDown() override {
    charsel_leave();
    fightset_clear();
    test_display_close();
  }
  void make_sets(int n) {
    for (int i = 0; i < n; i++) {
      fightset_entry &s = fightset[i];
      s.name = strdup(("Set " + std::to_string(i)).c_str());
      s.background = strdup("bg.pi1");
      for (auto &f : s.fighters) f = {strdup("-"), 0};
    }
    fightset_count = n;
    charsel_enter();
    tick(); // nothing held: ready
    // The highlight outlives a visit; an earlier test may have left it
    // beyond a shorter table.
    while (charsel_selected() >= n) tap(SDLK_UP);
    start = charsel_selected();
  }
  // One logic tick on the events pushed so far.
  int tick() {
    input_update();
    return charsel_logics();
  }
  int tap(int sym) {
    test_push_key(sym, true);
    const int r = tick();
    test_push_key(sym, false);
    tick();
    return r;
  }
  int row_of(int offset) const { return (start + offset) % fightset_count; }
};

TEST_F(Charsel, HighlightWrapsBothWays) {
  make_sets(3);
  for (int i = 1; i <= 3; i++) {
    tap(SDLK_DOWN);
    EXPECT_EQ(charsel_selected(), row_of(i));
  }
  tap(SDLK_UP);
  EXPECT_EQ(charsel_selected(), row_of(2));
  // From the first set, up goes to the last.
  while (charsel_selected() != 0) tap(SDLK_UP);
  tap(SDLK_UP);
  EXPECT_EQ(charsel_selected(), 2);
}

TEST_F(Charsel, HoldingDownMovesOnceUntilLetGo) {
  make_sets(5);
  test_push_key(SDLK_DOWN, true);
  for (int i = 0; i < 10; i++) tick();
  EXPECT_EQ(charsel_selected(), row_of(1));
  test_push_key(SDLK_DOWN, false);
  tick();
  test_push_key(SDLK_DOWN, true);
  tick();
  EXPECT_EQ(charsel_selected(), row_of(2));
  test_push_key(SDLK_DOWN, false);
  tick();
}

TEST_F(Charsel, UpAndDownFromTwoDevicesInOneTickMoveDown) {
  make_sets(4);
  test_push_key(SDLK_UP, true); // first keyboard layout
  test_push_key(SDLK_s, true);  // second layout's down
  tick();
  EXPECT_EQ(charsel_selected(), row_of(1));
}

TEST_F(Charsel, PlayerTwoMayShareTheKeyboardButNotTheKey) {
  make_sets(2);
  tap(SDLK_RETURN);
  EXPECT_EQ(charsel_players_done(), 1);
  EXPECT_EQ(player_control[0].type, INPUT_DEV_KEYBOARD);
  EXPECT_EQ(player_control[0].button, SDLK_RETURN);
  tap(SDLK_RETURN);
  EXPECT_EQ(charsel_players_done(), 1) << "player 1's key was accepted for player 2";
  EXPECT_EQ(tap(SDLK_TAB), 0);
  EXPECT_EQ(charsel_players_done(), 2);
  EXPECT_EQ(player_control[1].button, SDLK_TAB);
  // Both let go: the next ready tick starts the fight with the highlighted set.
  int r = 0;
  for (int i = 0; i < 3 && !r; i++) r = tick();
  EXPECT_EQ(r, 1);
  EXPECT_EQ(current_fightset, &fightset[charsel_selected()]);
}

TEST_F(Charsel, AHeldClaimBlocksTheScreenUntilReleased) {
  make_sets(3);
  test_push_key(SDLK_RETURN, true);
  tick();
  ASSERT_EQ(charsel_players_done(), 1);
  test_push_key(SDLK_DOWN, true);
  tick();
  test_push_key(SDLK_DOWN, false);
  tick();
  test_push_key(SDLK_DOWN, true);
  tick();
  EXPECT_EQ(charsel_selected(), start) << "moved while player 1 held the claim";
  test_push_key(SDLK_DOWN, false);
  test_push_key(SDLK_RETURN, false);
  tick();
  tap(SDLK_DOWN);
  EXPECT_EQ(charsel_selected(), row_of(1));
}

TEST_F(Charsel, JoystickClaimsBeforeTheKeyboardAndPlayerTwoTakesAnotherButton) {
  joyport_fake_reset();
  test_display_close();
  const int pad = joyport_fake_add(2, 4);
  ASSERT_TRUE(test_display_open(false));
  make_sets(2);
  joyport_fake_set_button(pad, 1, true);
  test_push_key(SDLK_RETURN, true);
  tick();
  EXPECT_EQ(player_control[0].type, INPUT_DEV_JOYSTICK);
  EXPECT_EQ(player_control[0].button, 1);
  joyport_fake_set_button(pad, 1, false);
  test_push_key(SDLK_RETURN, false);
  tick();
  joyport_fake_set_button(pad, 3, true);
  tick();
  EXPECT_EQ(charsel_players_done(), 2);
  EXPECT_EQ(player_control[1].type, INPUT_DEV_JOYSTICK);
  EXPECT_EQ(player_control[1].button, 3);
  joyport_fake_set_button(pad, 3, false);
}

TEST_F(Charsel, ASecondVisitKeepsTheHighlightAndForgetsTheClaims) {
  make_sets(3);
  tap(SDLK_DOWN);
  tap(SDLK_RETURN);
  const int chosen = charsel_selected();
  charsel_leave();
  charsel_enter();
  EXPECT_EQ(charsel_selected(), chosen);
  EXPECT_EQ(charsel_players_done(), 0);
}

TEST_F(Charsel, ListHighlightAndStatusLinesAreDrawnWhereExpected) {
  make_sets(19);
  while (charsel_selected() != 0) tap(SDLK_DOWN);
  charsel_graphics();
  const uint8_t *s = vscrn;
  // The highlight frame of set 0 spans the width on rows 10 and 19.
  for (int x = 0; x < 320; x++) {
    ASSERT_EQ(s[10 * 320 + x], 21) << x;
    ASSERT_EQ(s[19 * 320 + x], 21) << x;
  }
  EXPECT_EQ(s[15 * 320 + 0], 21);
  EXPECT_EQ(s[15 * 320 + 319], 21);
  // "Set 0" in the highlight ramp from row 11, other names in the plain one.
  auto row_has = [&](int y, int colour, int x0, int x1) {
    for (int x = x0; x <= x1; x++)
      if (s[y * 320 + x] == colour) return true;
    return false;
  };
  EXPECT_TRUE(row_has(11 + 2, 24 + 2, 11, 50));
  EXPECT_TRUE(row_has(21 + 2, 18 + 2, 11, 50));
  // The 19th name starts on row 191, over the status line on row 192.
  EXPECT_TRUE(row_has(191 + 1, 18 + 1, 11, 90));
  EXPECT_TRUE(row_has(192 + 2, 24 + 2, 9, 150));
  // "Player 2 hit fire" ends at column 312.
  EXPECT_TRUE(row_has(192 + 3, 24 + 3, 300, 312));
  EXPECT_FALSE(row_has(192 + 3, 24 + 3, 313, 319));
}

TEST_F(Charsel, WithoutItsBackgroundTheListIsDrawnOnAClearedScreen) {
  make_sets(2);
  std::memset(vscrn, 77, 64000);
  charsel_graphics();
  EXPECT_EQ(vscrn[100 * 320 + 160], 0);
  EXPECT_EQ(vscrn[5 * 320 + 5], 0);
}

} // namespace
