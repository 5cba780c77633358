// The selection screen driven tick by tick with pushed events.
#include "fight/charsel.h"
#include "input/input.h"
#include "input/inputdev.h"
#include "shell/fightset.h"
#include "support/joyport_fake.h"
#include "support/test_support.h"
#include "video/graphics.h"
#include "video/palette.h"
#include <SDL.h>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

class Charsel : public ::testing::Test {
protected:
  int start = 0;
  void TearDown() override {
    charsel_leave();
    fightset_clear();
    test_display_close();
  }
  void open(int sets, int joystick_buttons = 0) {
    joyport_fake_reset();
    if (joystick_buttons) joyport_fake_add(2, joystick_buttons);
    ASSERT_TRUE(test_display_open(false));
    for (int i = 0; i < sets; i++) {
      fightset[i].name = strdup(("Set " + std::to_string(i)).c_str());
      fightset[i].background = strdup("bg.pi1");
      for (auto &f : fightset[i].fighters) f = {strdup("-"), 0};
    }
    fightset_count = sets;
    charsel_enter();
    tick(); // nothing held: ready
    // The highlight outlives a visit; an earlier test may have left it past a shorter table.
    while (charsel_selected() >= sets) tap(SDLK_UP);
    start = charsel_selected();
  }
  int tick() {
    input_update();
    return charsel_logics();
  }
  void key(int sym, bool down) {
    test_push_key(sym, down);
    tick();
  }
  void tap(int sym) {
    key(sym, true);
    key(sym, false);
  }
  int row(int offset) const { return (start + offset + fightset_count) % fightset_count; }
};

TEST_F(Charsel, EachPressMovesTheHighlightOnceAndWraps) {
  open(3);
  for (int sym : {SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_UP}) tap(sym);
  EXPECT_EQ(charsel_selected(), row(-1));
  key(SDLK_DOWN, true);
  for (int i = 0; i < 10; i++) tick();
  EXPECT_EQ(charsel_selected(), row(0)) << "holding repeated";
  key(SDLK_DOWN, false);
  test_push_key(SDLK_UP, true); // up on one layout, down on the other: down wins
  key(SDLK_s, true);
  EXPECT_EQ(charsel_selected(), row(1));
}

TEST_F(Charsel, PlayersClaimDifferentKeysAndTheFightStartsOnceBothLetGo) {
  open(2);
  key(SDLK_RETURN, true);
  EXPECT_EQ(charsel_players_done(), 1);
  key(SDLK_DOWN, true); // the held claim blocks the screen
  key(SDLK_DOWN, false);
  EXPECT_EQ(charsel_selected(), row(0));
  key(SDLK_RETURN, false);
  tap(SDLK_RETURN);
  EXPECT_EQ(charsel_players_done(), 1) << "player 2 took player 1's key";
  key(SDLK_TAB, true);
  EXPECT_EQ(std::tuple(charsel_players_done(), player_control[0].type, player_control[0].button,
                       player_control[1].button),
            std::tuple(2, INPUT_DEV_KEYBOARD, SDLK_RETURN, SDLK_TAB));
  EXPECT_EQ(tick(), 0) << "started while a claimed key was held";
  test_push_key(SDLK_TAB, false);
  int r = 0;
  for (int i = 0; i < 3 && !r; i++) r = tick();
  EXPECT_EQ(r, 1);
  EXPECT_EQ(current_fightset, &fightset[start]);
  charsel_leave();
  charsel_enter(); // a second visit: same highlight, nobody claimed
  EXPECT_EQ(std::pair(charsel_selected(), charsel_players_done()), std::pair(start, 0));
}

TEST_F(Charsel, BackFromAFightNothingIsClaimedUntilEveryKeyIsUpThenOnlyHeldKeys) {
  open(2);
  charsel_leave();
  // Player 2 holds Tab while player 1 leaves the fight with Escape.
  for (auto [sym, down] : {std::pair(SDLK_TAB, true), {SDLK_ESCAPE, true}, {SDLK_ESCAPE, false}})
    test_push_key(sym, down);
  input_update();
  charsel_enter();
  for (int i = 0; i < 3; i++) tick();
  EXPECT_EQ(charsel_players_done(), 0) << "claimed while Tab was still held";
  key(SDLK_TAB, false);
  test_push_key(SDLK_b, true);
  key(SDLK_b, false);
  EXPECT_EQ(charsel_players_done(), 0) << "claimed a key let go before the tick";
  // Two players press in one pass: each binds their own key, and both are held keys.
  test_push_key(SDLK_a, true);
  key(SDLK_RETURN, true);
  key(SDLK_RETURN, false);
  tick();
  EXPECT_EQ(charsel_players_done(), 2);
  EXPECT_EQ(std::pair(player_control[0].button, player_control[1].button),
            std::pair(int(SDLK_RETURN), int(SDLK_a)));
}

TEST_F(Charsel, AJoystickClaimsBeforeTheKeyboardAndAnotherButtonIsAnotherClaim) {
  open(2, 4);
  joyport_fake_set_button(0, 1, true);
  key(SDLK_RETURN, true);
  EXPECT_EQ(std::pair(player_control[0].type, player_control[0].button),
            std::pair(int(INPUT_DEV_JOYSTICK), 1));
  joyport_fake_set_button(0, 1, false);
  key(SDLK_RETURN, false);
  joyport_fake_set_button(0, 3, true);
  tick();
  EXPECT_EQ(std::pair(charsel_players_done(), player_control[1].button), std::pair(2, 3));
}

TEST_F(Charsel, WithoutItsBackgroundTheListIsOnBlack) {
  std::memset(palette, 99, 3); // the last fight's colour 0
  open(19);
  EXPECT_EQ(palette[0] + palette[1] + palette[2], 0);
  while (charsel_selected() != 0) tap(SDLK_DOWN);
  std::memset(vscrn, 77, 64000);
  charsel_graphics();
  EXPECT_EQ(vscrn[100 * 320 + 160], 0) << "the list goes on a cleared screen";
  int ink = 0; // "Set 18" from row 191, under the status line
  for (int x = 11; x <= 90; x++) ink += vscrn[192 * 320 + x] == 19;
  EXPECT_GT(ink, 0);
}

} // namespace
