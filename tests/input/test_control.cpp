// The control mask over keyboard, mouse and joysticks.
#include "input/control.h"
#include "input/inputdev.h"
#include "input/input.h"
#include "input/joystick.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "support/joyport_fake.h"
#include "support/test_support.h"
#include <SDL.h>
#include <gtest/gtest.h>

namespace {

class Control : public ::testing::Test {
protected:
  void SetUp() override {
    joyport_fake_reset();
    test_input_reset();
    joystick_init();
  }
  void TearDown() override { test_input_reset(); }

  static void hold(std::initializer_list<int> syms) {
    for (int s : syms) keyboard_key_down(s, 0);
  }
  static void release_all() { test_input_reset(); }
};

} // namespace

TEST_F(Control, NothingHeldIsZero) {
  EXPECT_EQ(control_check_any(), 0);
  EXPECT_EQ(control_check_keyboard(0), 0);
  EXPECT_EQ(control_check_keyboard(1), 0);
  EXPECT_EQ(control_check_mouse(), 0);
}

TEST_F(Control, KeyboardLayouts) {
  const struct {
    std::initializer_list<int> keys;
    int layout0, layout1;
  } table[] = {
      {{SDLK_RETURN}, 16, 0}, {{SDLK_LALT}, 16, 0}, {{SDLK_ESCAPE}, 128, 0},
      {{SDLK_RETURN, SDLK_ESCAPE}, 144, 0}, {{SDLK_LCTRL}, 32, 0},
      {{SDLK_UP}, 1, 0}, {{SDLK_DOWN}, 2, 0}, {{SDLK_LEFT}, 4, 0}, {{SDLK_RIGHT}, 8, 0},
      {{SDLK_UP, SDLK_DOWN}, 0, 0}, {{SDLK_LEFT, SDLK_RIGHT, SDLK_UP}, 1, 0},
      {{SDLK_w}, 0, 1}, {{SDLK_s}, 0, 2}, {{SDLK_a}, 0, 4}, {{SDLK_d}, 0, 8}, {{SDLK_TAB}, 0, 16},
      {{SDLK_w, SDLK_s, SDLK_a}, 0, 4}, {{SDLK_RCTRL, SDLK_RALT, SDLK_SPACE}, 0, 0},
  };
  for (const auto &t : table) {
    release_all();
    hold(t.keys);
    SCOPED_TRACE(testing::Message() << "first key " << *t.keys.begin());
    EXPECT_EQ(control_check_keyboard(0), t.layout0);
    EXPECT_EQ(control_check_keyboard(1), t.layout1);
    // Any argument but 1 reads the arrow layout.
    EXPECT_EQ(control_check_keyboard(2), t.layout0);
    EXPECT_EQ(control_check_keyboard(-1), t.layout0);
    EXPECT_EQ(control_check_any(), t.layout0 | t.layout1);
  }
}

TEST_F(Control, DevicesAddUp) {
  // Opposite directions cancel only within one layout.
  hold({SDLK_UP, SDLK_s});
  EXPECT_EQ(control_check_any(), 3);
  release_all();

  mouse_b = 0x05;
  EXPECT_EQ(control_check_mouse(), 48);
  mouse_b = 0x02;
  EXPECT_EQ(control_check_mouse(), 0);
  mouse_b = 0x18;
  EXPECT_EQ(control_check_any(), 0);
  mouse_b = 0;

  joyport_fake_add(2, 1);
  joyport_fake_add(2, 1);
  joystick_init();
  joystick[0].x = 1; // no dead zone
  EXPECT_EQ(control_check_joystick(0), 8);
  joystick[0].x = -1;
  joystick[0].y = -32768;
  joystick[0].fire = 1;
  EXPECT_EQ(control_check_joystick(0), 4 | 1 | 16);
  joystick[0] = {1, 0, 0, 0};
  joystick[1].y = 5;
  hold({SDLK_UP});
  EXPECT_EQ(control_check_any(), 3);
  // Records beyond the opened joysticks are not read.
  joystick[2].x = 100;
  EXPECT_EQ(control_check_joystick(2), 0);
  EXPECT_EQ(control_check_any(), 3);
}

TEST_F(Control, ConfiguredDevices) {
  joyport_fake_add(2, 1);
  joystick_init();
  joystick[0].x = -9;
  joystick[0].fire = 1;
  control_config cfg{INPUT_DEV_JOYSTICK, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(control_check(&cfg), 4 | 16);
  cfg.type = INPUT_DEV_XBOX360;
  EXPECT_EQ(control_check(&cfg), 4 | 16);

  control_config kb{INPUT_DEV_KEYBOARD, 0, SDLK_i, SDLK_k, SDLK_j, SDLK_l, SDLK_SPACE, SDLK_ESCAPE};
  hold({SDLK_i, SDLK_j, SDLK_l, SDLK_SPACE, SDLK_ESCAPE});
  EXPECT_EQ(control_check(&kb), 1 | 16 | 32); // j and l cancel; never 128
  release_all();
  hold({SDLK_k, SDLK_l});
  EXPECT_EQ(control_check(&kb), 2 | 8);
  kb.fire = -1;
  kb.fire2 = SDLK_LAST;
  EXPECT_EQ(control_check(&kb), 2 | 8);
  release_all();

  control_config ms{INPUT_DEV_MOUSE, 0, 3, 4, 1, 1, 0, 2};
  mouse_b = 0x18; // bits 3 and 4: up and down both, no cancelling
  EXPECT_EQ(control_check(&ms), 1 | 2);
  mouse_b = 0x07;
  EXPECT_EQ(control_check(&ms), 4 | 8 | 16 | 32);

  for (int type : {int(INPUT_DEV_NONE), 7, -2}) {
    control_config none{type, 0, SDLK_i, SDLK_k, SDLK_j, SDLK_l, SDLK_SPACE, SDLK_ESCAPE};
    hold({SDLK_i, SDLK_SPACE});
    EXPECT_EQ(control_check(&none), 0) << type;
  }
}
