// The event pump, the key ring and the keyboard-only pump.
#include "input/input.h"
#include "input/joystick.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "support/joyport_fake.h"
#include "support/test_support.h"
#include "video/graphics.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class Pump : public ::testing::Test {
protected:
  void SetUp() override {
    joyport_fake_reset();
    ASSERT_TRUE(test_display_open());
  }
  void TearDown() override { test_display_close(); }

  static void press(int sym, int unicode = 0) {
    test_push_key(sym, true, unicode);
    test_push_key(sym, false);
  }

  static std::vector<int> read_all() {
    std::vector<int> out;
    while (keypressed()) out.push_back(readscan());
    return out;
  }
};

} // namespace

TEST_F(Pump, InitOpensJoysticksAndStartsClear) {
  EXPECT_EQ(joyport_fake_init_calls(), 1);
  EXPECT_EQ(input_init(), 1);
  EXPECT_EQ(joyport_fake_init_calls(), 2);
  EXPECT_EQ(keycount, 0);
  EXPECT_EQ(keypressed(), 0);
  EXPECT_EQ(readscan(), 0);
  EXPECT_EQ(readkey(), 0);
  EXPECT_EQ(joystick_count, 0);
}

TEST_F(Pump, KeyRingKeepsTheNewestPressesOldestFirst) {
  for (int i = 0; i < 15; i++) press(SDLK_a + i);
  input_update();
  EXPECT_EQ(keypressed(), 1);
  std::vector<int> want;
  for (int i = 0; i < 15; i++) want.push_back(SDLK_a + i);
  EXPECT_EQ(read_all(), want);
  EXPECT_EQ(readscan(), 0);

  // 20 unread presses: the ring keeps the 15 newest.
  for (int i = 0; i < 20; i++) press(SDLK_a + i);
  input_update();
  want.clear();
  for (int i = 5; i < 20; i++) want.push_back(SDLK_a + i);
  EXPECT_EQ(read_all(), want);

  // After wrapping round, a 16th press still drops only the oldest.
  for (int i = 0; i < 16; i++) press(SDLK_a + i);
  input_update();
  EXPECT_EQ(readscan(), SDLK_b);
  press(SDLK_z);
  input_update();
  const std::vector<int> got = read_all();
  ASSERT_EQ(got.size(), 15u);
  EXPECT_EQ(got.front(), SDLK_c);
  EXPECT_EQ(got.back(), SDLK_z);
}

TEST_F(Pump, CharacterTranslation) {
  // Off by default: entries carry no character and readkey drains them.
  press(SDLK_a, 'a');
  press(SDLK_b, 'b');
  input_update();
  EXPECT_EQ(readkey(), 0);
  EXPECT_EQ(keypressed(), 0);

  press(SDLK_c, 'c');
  input_update();
  keyboard_typemode(1);
  EXPECT_EQ(keypressed(), 0) << "typemode empties the ring";
  press(SDLK_LSHIFT, 0);
  press(SDLK_x, 'X');
  press(SDLK_y, 'y');
  input_update();
  EXPECT_EQ(readkey(), 'X'); // the shift press without a character is skipped
  EXPECT_EQ(readscan(), SDLK_y);
  EXPECT_EQ(readkey(), 0);
  keyboard_typemode(0);
}

TEST_F(Pump, KeyCountFollowsTransitions) {
  test_push_key(SDLK_a, true);
  test_push_key(SDLK_b, true);
  input_update();
  EXPECT_EQ(keycount, 2);
  EXPECT_EQ(keys[SDLK_a], 1);
  test_push_key(SDLK_a, false);
  test_push_key(SDLK_a, false); // not held any more
  input_update();
  EXPECT_EQ(keycount, 1);
  EXPECT_EQ(keys[SDLK_a], 0);
  test_push_key(SDLK_b, false);
  test_push_key(SDLK_c, false); // released without being seen pressed
  input_update();
  EXPECT_EQ(keycount, 0);
}

TEST_F(Pump, F11SwitchesTheDisplayAndStaysOutOfTheRing) {
  const int before = graphics_get_fullscreen();
  test_push_key(SDLK_F11, true);
  input_update();
  EXPECT_EQ(graphics_get_fullscreen(), !before);
  EXPECT_EQ(keypressed(), 0);
  EXPECT_EQ(keys[SDLK_F11], 1);
  EXPECT_EQ(keycount, 1);
  test_push_key(SDLK_F11, false);
  input_update();
  EXPECT_EQ(keycount, 0);
  EXPECT_EQ(graphics_get_fullscreen(), !before);
}

TEST_F(Pump, KeyHeldThroughASwitchIsCountedOnce) {
  test_push_key(SDLK_RETURN, true);
  input_update();
  ASSERT_EQ(graphics_set_fullscreen(!graphics_get_fullscreen()), 1);
  EXPECT_EQ(keys[SDLK_RETURN], 1) << "a mode set must not clear our key state";
  // SDL may report the held key again after the switch.
  test_push_key(SDLK_RETURN, true);
  input_update();
  EXPECT_EQ(keycount, 1);
  test_push_key(SDLK_RETURN, false);
  input_update();
  EXPECT_EQ(keycount, 0);
  test_push_key(SDLK_RETURN, false);
  input_update();
  EXPECT_EQ(keycount, 0);
}

TEST_F(Pump, MouseButtonsWheelAndMotion) {
  test_push_mouse_button(1, true);
  test_push_mouse_button(3, true);
  test_push_mouse_motion(700, 12);
  input_update();
  EXPECT_EQ(mouse_b, 5);
  EXPECT_EQ(mouse_x, 700); // window pixels, unmapped
  EXPECT_EQ(mouse_y, 12);

  // A wheel turn is a down and an up in the same drain.
  test_push_mouse_button(4, true);
  test_push_mouse_button(4, false);
  test_push_mouse_button(5, true);
  test_push_mouse_button(5, false);
  test_push_mouse_button(9, true); // no bit for buttons above 8
  input_update();
  EXPECT_EQ(mouse_b, 5);
  test_push_mouse_button(8, true);
  test_push_mouse_button(1, false);
  input_update();
  EXPECT_EQ(mouse_b, 0x84);
}

TEST_F(Pump, QuitIsKeptAndTheRestOfTheDrainStillHandled) {
  test_push_key(SDLK_a, true);
  test_push_quit();
  test_push_mouse_button(1, true);
  test_push_key(SDLK_b, true);
  input_update();
  EXPECT_EQ(input_quit, 1);
  EXPECT_EQ(keys[SDLK_a], 1);
  EXPECT_EQ(keys[SDLK_b], 1);
  EXPECT_EQ(mouse_b, 1);
  input_update();
  EXPECT_EQ(input_quit, 1) << "nothing clears the quit flag";
}

TEST_F(Pump, JoystickEventsAreFiledByTheSendersSlot) {
  // Device 0 fails to open, so devices 1 and 2 take slots 0 and 1.
  joyport_fake_reset();
  joyport_fake_add(2, 2, true);
  joyport_fake_add(3, 2);
  joyport_fake_add(2, 4);
  joystick_init();
  ASSERT_EQ(joystick_count, 2);

  test_push_joy_axis(1, 0, -300);
  test_push_joy_axis(1, 1, 400);
  test_push_joy_axis(2, 1, -7);
  test_push_joy_button(2, 3, true);
  test_push_joy_axis(0, 0, 999);   // no slot
  test_push_joy_button(0, 0, true); // no slot
  test_push_joy_axis(9, 0, 999);   // no such device
  input_update();
  EXPECT_EQ(joystick[0].x, -300);
  EXPECT_EQ(joystick[0].y, 400);
  EXPECT_EQ(joystick[0].fire, 0);
  EXPECT_EQ(joystick[1].x, 0);
  EXPECT_EQ(joystick[1].y, -7);
  EXPECT_EQ(joystick[1].fire, 1);
  EXPECT_EQ(joystick[2].x, 0);
  EXPECT_EQ(joystick[2].fire, 0);

  // Every even axis feeds x, the latest event wins; any button's up clears fire.
  test_push_joy_axis(1, 2, 1234);
  test_push_joy_button(2, 0, true);
  test_push_joy_button(2, 1, false);
  input_update();
  EXPECT_EQ(joystick[0].x, 1234);
  EXPECT_EQ(joystick[0].y, 400);
  EXPECT_EQ(joystick[1].fire, 0);
}

TEST_F(Pump, KeyboardOnlyPump) {
  test_push_mouse_button(1, true);
  test_push_joy_axis(0, 0, 5);
  test_push_key(SDLK_q, true);
  test_push_quit();
  keyboard_update();
  EXPECT_EQ(keys[SDLK_q], 1);
  EXPECT_EQ(readscan(), SDLK_q);
  EXPECT_EQ(keys[SDLK_ESCAPE], 1) << "a closed window reads as Escape";
  EXPECT_EQ(input_quit, 0);
  EXPECT_EQ(mouse_b, 0) << "other events are dropped";
  SDL_Event e;
  EXPECT_EQ(SDL_PollEvent(&e), 0);

  const int before = graphics_get_fullscreen();
  test_push_key(SDLK_F11, true);
  test_push_key(SDLK_q, false);
  keyboard_update();
  EXPECT_EQ(graphics_get_fullscreen(), !before);
  EXPECT_EQ(keys[SDLK_q], 0);
  EXPECT_EQ(keypressed(), 0);
}
