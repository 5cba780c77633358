// Input devices: finding the device in use and testing a claimed control.
#include "input/input.h"
#include "input/inputdev.h"
#include "input/joystick.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "support/joyport_fake.h"
#include "support/test_support.h"
#include <SDL.h>
#include <cstring>
#include <gtest/gtest.h>

namespace {

class Devices : public ::testing::Test {
protected:
  void SetUp() override {
    joyport_fake_reset();
    test_input_reset();
    joystick_init();
  }
  void TearDown() override {
    test_input_reset();
    joyport_fake_reset();
  }

  // Scripted joysticks with the given button counts, opened.
  static void joysticks(std::initializer_list<int> buttons) {
    joyport_fake_reset();
    for (int b : buttons) joyport_fake_add(2, b);
    joystick_init();
  }
};

struct claim {
  int type = -1, number = -1, button = -1;
};

int check_all(claim &c) { return input_dev_check_all(&c.type, &c.number, &c.button); }

} // namespace

TEST_F(Devices, NothingPressedStoresNothing) {
  claim c;
  EXPECT_EQ(check_all(c), 0);
  EXPECT_EQ(c.type, -1);
  EXPECT_EQ(c.number, -1);
  EXPECT_EQ(c.button, -1);
  EXPECT_EQ(input_dev_check_all(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(input_dev_get(), nullptr);
}

TEST_F(Devices, JoysticksComeFirstInSlotOrder) {
  joysticks({4, 4});
  joyport_fake_set_button(1, 1, true);
  joyport_fake_set_button(0, 2, true);
  joyport_fake_set_button(0, 3, true);
  keyboard_key_down(SDLK_a, 0);
  mouse_b = 1;
  claim c;
  ASSERT_EQ(check_all(c), 1);
  EXPECT_EQ(c.type, INPUT_DEV_JOYSTICK);
  EXPECT_EQ(c.number, 0);
  EXPECT_EQ(c.button, 2); // the lowest button held
  EXPECT_EQ(keypressed(), 1) << "the key ring is not read when a joystick wins";

  joyport_fake_set_button(0, 2, false);
  joyport_fake_set_button(0, 3, false);
  ASSERT_EQ(check_all(c), 1);
  EXPECT_EQ(c.number, 1);
  EXPECT_EQ(c.button, 1);
  EXPECT_EQ(input_dev_check_all(nullptr, nullptr, nullptr), 1);
}

TEST_F(Devices, JoystickWithoutButtonsIsNeverFound) {
  joysticks({0, 2});
  EXPECT_EQ(input_dev_check(INPUT_DEV_JOYSTICK, 0, nullptr), 0);
  joyport_fake_set_button(1, 1, true);
  claim c;
  ASSERT_EQ(check_all(c), 1);
  EXPECT_EQ(c.number, 1);
  // The device types 4 to 6 are read like a joystick; bad slots are not.
  for (int type : {INPUT_DEV_GAMECUBE, INPUT_DEV_WIIMOTE, INPUT_DEV_XBOX360}) {
    int b = -1;
    EXPECT_EQ(input_dev_check(type, 1, &b), 1) << type;
    EXPECT_EQ(b, 1);
    EXPECT_EQ(input_dev_check_button(type, 1, 1), 1) << type;
  }
  EXPECT_EQ(input_dev_check(INPUT_DEV_JOYSTICK, 2, nullptr), 0);
  EXPECT_EQ(input_dev_check_button(INPUT_DEV_JOYSTICK, -1, 1), 0);
}

TEST_F(Devices, KeyboardNamesTheNewestPressAndEmptiesTheRing) {
  keyboard_key_down(SDLK_a, 0);
  keyboard_key_down(SDLK_b, 0);
  claim c;
  ASSERT_EQ(check_all(c), 1);
  EXPECT_EQ(c.type, INPUT_DEV_KEYBOARD);
  EXPECT_EQ(c.number, 0);
  EXPECT_EQ(c.button, SDLK_b);
  EXPECT_EQ(keypressed(), 0);

  // Still held, ring already read: keyboard reported, button left alone.
  c.button = 99;
  ASSERT_EQ(check_all(c), 1);
  EXPECT_EQ(c.type, INPUT_DEV_KEYBOARD);
  EXPECT_EQ(c.button, 99);

  // Asked without a button, the ring is left unread.
  keyboard_key_down(SDLK_c, 0);
  EXPECT_EQ(input_dev_check(INPUT_DEV_KEYBOARD, 0, nullptr), 1);
  EXPECT_EQ(keypressed(), 1);
}

TEST_F(Devices, MouseButtonIsTheLowestOfLeftMiddleRight) {
  const struct {
    uint8_t bits;
    int button;
  } table[] = {{0x05, 0}, {0x06, 1}, {0x04, 2}, {0x01, 0}, {0x08, 42}, {0x10, 42}};
  for (const auto &t : table) {
    mouse_b = t.bits;
    claim c;
    c.button = 42;
    ASSERT_EQ(check_all(c), 1) << int(t.bits);
    EXPECT_EQ(c.type, INPUT_DEV_MOUSE);
    EXPECT_EQ(c.number, 0);
    EXPECT_EQ(c.button, t.button) << int(t.bits);
  }
  mouse_b = 0;
  EXPECT_EQ(input_dev_check(INPUT_DEV_MOUSE, 0, nullptr), 0);
  // The keyboard wins over the mouse.
  mouse_b = 1;
  keyboard_key_down(SDLK_x, 0);
  claim c;
  ASSERT_EQ(check_all(c), 1);
  EXPECT_EQ(c.type, INPUT_DEV_KEYBOARD);
}

TEST_F(Devices, HeldControlPerType) {
  joysticks({3});
  joyport_fake_set_button(0, 2, true);
  keyboard_key_down(SDLK_TAB, 0);
  mouse_b = 0x04;
  EXPECT_EQ(input_dev_check_button(INPUT_DEV_JOYSTICK, 0, 2), 1);
  EXPECT_EQ(input_dev_check_button(INPUT_DEV_JOYSTICK, 0, 1), 0);
  EXPECT_EQ(input_dev_check_button(INPUT_DEV_KEYBOARD, 0, SDLK_TAB), 1);
  EXPECT_EQ(input_dev_check_button(INPUT_DEV_KEYBOARD, 0, SDLK_a), 0);
  EXPECT_EQ(input_dev_check_button(INPUT_DEV_KEYBOARD, 0, SDLK_LAST), 0);
  EXPECT_EQ(input_dev_check_button(INPUT_DEV_MOUSE, 0, 2), 1);
  EXPECT_EQ(input_dev_check_button(INPUT_DEV_MOUSE, 0, 0), 0);
  // An unclaimed player (type 0) or a bad type never holds anything.
  keys[0] = 1;
  mouse_b = 0xff;
  for (int type : {int(INPUT_DEV_NONE), 7, -1, 259}) {
    for (int b : {0, 2, int(SDLK_TAB)}) EXPECT_EQ(input_dev_check_button(type, 0, b), 0) << type;
    int button = -5;
    EXPECT_EQ(input_dev_check(type, 0, &button), 0) << type;
    EXPECT_EQ(button, -5);
  }
  keys[0] = 0;
}

TEST_F(Devices, TypeTable) {
  const char *names[] = {nullptr,           "joystick", "keyboard",       "mouse",
                         "Gamecube joypad", "wiimote",  "XBox360 joypad", nullptr};
  const int stick[] = {0, 1, 0, 0, 1, 1, 1, 0};
  const int single[] = {0, 1, 0, 1, 1, 1, 1, 0};
  for (int t = 0; t < 8; t++) {
    if (names[t])
      EXPECT_STREQ(input_dev_get_type_string(t), names[t]);
    else
      EXPECT_EQ(input_dev_get_type_string(t), nullptr) << t;
    EXPECT_EQ(input_dev_has_stick(t), stick[t]) << t;
    EXPECT_EQ(input_dev_is_singleuser(t), single[t]) << t;
  }
  EXPECT_EQ(input_dev_get_type_string(-1), nullptr);
  EXPECT_EQ(input_dev_has_stick(-3), 0);
  EXPECT_EQ(input_dev_is_singleuser(-3), 0);
}

TEST_F(Devices, Records) {
  input_dev *m = input_dev_lookup(259); // low byte 3
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->type, INPUT_DEV_MOUSE);
  input_dev_set_number(m, 4);
  EXPECT_EQ(m->number, 4);
  input_dev_free(m);
  for (int t : {0, 7, 256, -256}) EXPECT_EQ(input_dev_lookup(t), nullptr) << t;
  for (int t = 1; t <= 6; t++) {
    input_dev *d = input_dev_lookup(t);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->type, t);
    input_dev_free(d);
  }

  // input_dev_get: the keyboard when a key is held, else a joystick with a
  // button down; the mouse is not considered.
  mouse_b = 1;
  EXPECT_EQ(input_dev_get(), nullptr);
  joysticks({2, 2});
  joyport_fake_set_button(1, 0, true);
  input_dev *j = input_dev_get();
  ASSERT_NE(j, nullptr);
  EXPECT_EQ(j->type, INPUT_DEV_JOYSTICK);
  input_dev_free(j);
  keyboard_key_down(SDLK_SPACE, 0);
  input_dev *k = input_dev_get();
  ASSERT_NE(k, nullptr);
  EXPECT_EQ(k->type, INPUT_DEV_KEYBOARD);
  EXPECT_EQ(k->first, 2);
  input_dev_free(k);
}
