// The event pump (key ring, held keys, mouse, joystick events, quit), joysticks
// through the scripted stand-in, claims and the control mask.
#include "input/control.h"
#include "input/input.h"
#include "input/inputdev.h"
#include "input/joystick.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "support/joyport_fake.h"
#include "support/test_support.h"
#include "video/graphics.h"
#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
struct Pump : testing::Test {
  void SetUp() override {
    joyport_fake_reset();
    ASSERT_TRUE(test_display_open());
  }
  void TearDown() override { test_display_close(); }
};

// Queues key events, a negative symbol for a key-up, and pumps them.
void pump_keys(std::initializer_list<int> events) {
  for (int e : events) test_push_key(std::abs(e), e > 0);
  input_update();
}

// Presses and releases each letter, pumps, and reads the ring.
std::string ring_after_presses(const std::string &letters) {
  for (char c : letters) pump_keys({c, -c});
  std::string out;
  while (keypressed()) out += char(readscan());
  return out;
}

// Clears the input state and opens scripted joysticks with these axis values, four buttons each.
void joysticks(const std::vector<std::vector<int>> &axes) {
  joyport_fake_reset();
  test_input_reset();
  for (const auto &a : axes) {
    const int d = joyport_fake_add(int(a.size()), 4);
    for (size_t i = 0; i < a.size(); i++) joyport_fake_set_axis(d, int(i), a[i]);
  }
  joystick_init();
}
} // namespace

TEST_F(Pump, KeyRingKeepsThe15NewestOldestFirst) {
  const std::string abc = "abcdefghijklmnopqrstuvwxyz";
  EXPECT_EQ(ring_after_presses(abc.substr(0, 15)), abc.substr(0, 15));
  EXPECT_EQ(readscan(), 0);
  EXPECT_EQ(ring_after_presses(abc.substr(0, 20)), abc.substr(5, 15));
  EXPECT_EQ(ring_after_presses(abc.substr(0, 16)),
            abc.substr(1, 15)); // wrapped round: the 16th drops the oldest
}

TEST_F(Pump, KeyCountF11AndTheKeyboardOnlyPump) {
  const int fullscreen = graphics_get_fullscreen();
  // Classic SDL sends a key-up for each held key at a switch and then shows them held in its own
  // state: d stays held. a, up twice, really went up and is released once the grace has passed.
  pump_keys({SDLK_a, SDLK_d, SDLK_F11, -SDLK_a, -SDLK_a, -SDLK_c, -SDLK_d}); // c never down
  SDL_GetKeyState(nullptr)[SDLK_d] = 1;
  EXPECT_EQ(std::tuple(keycount, keys[SDLK_F11], graphics_get_fullscreen()),
            std::tuple(3, 1, !fullscreen));
  for (int i = 0; i < 30; i++) input_update();
  EXPECT_EQ(std::tuple(keycount, keys[SDLK_a], keys[SDLK_d]), std::tuple(2, 0, 1));
  SDL_GetKeyState(nullptr)[SDLK_d] = 0;
  EXPECT_EQ(readscan(), SDLK_a);
  EXPECT_EQ(readscan(), SDLK_d);
  EXPECT_EQ(keypressed(), 0) << "F11 went into the ring";
  pump_keys(
      {-SDLK_F11, -SDLK_d, -SDLK_b}); // long after the switch: at once; a key-up at 0 stays at 0
  EXPECT_EQ(keycount, 0);
  pump_keys({SDLK_RETURN});
  ASSERT_EQ(graphics_set_fullscreen(fullscreen), 1);
  pump_keys({SDLK_RETURN}); // SDL may report a key held through a switch again
  EXPECT_EQ(std::tuple(keycount, keys[SDLK_RETURN]), std::tuple(1, 1));
  pump_keys({-SDLK_RETURN});
  EXPECT_EQ(keycount, 0);
}

TEST_F(Pump, MouseButtonsWheelAndQuit) {
  test_push_mouse_button(1, true);
  test_push_quit();
  test_push_mouse_button(3, true); // events after the quit are still handled
  input_update();
  EXPECT_EQ(std::tuple(input_quit, mouse_b), std::tuple(1, 5));
  for (int button : {4, -4, 5, -5, 9, 8, -1}) test_push_mouse_button(std::abs(button), button > 0);
  input_update(); // the wheel turns leave no trace; 9 has no bit
  EXPECT_EQ(std::tuple(input_quit, mouse_b), std::tuple(1, 0x84)); // nothing clears the quit flag
}

TEST_F(Pump, JoystickEventsAreFiledByTheSendersSlot) {
  joyport_fake_add(2, 2, true); // device 0 fails to open: devices 1 and 2 take slots 0 and 1
  joyport_fake_add(3, 2);
  joyport_fake_add(2, 4);
  joystick_init();
  ASSERT_EQ(joystick_count, 2);
  // Device 0 has no slot; every even axis feeds x; any button's up clears fire.
  for (auto [device, axis, value] : {std::array{1, 0, -300}, {1, 1, 400}, {2, 1, -7}, {0, 0, 999}})
    test_push_joy_axis(device, axis, value);
  test_push_joy_button(2, 3, true);
  test_push_joy_button(0, 0, true);
  input_update();
  EXPECT_EQ(std::tuple(joystick[0].x, joystick[0].y, joystick[0].fire, joystick[1].y,
                       joystick[1].fire, joystick[2].fire),
            std::tuple(-300, 400, 0, -7, 1, 0));
  test_push_joy_axis(1, 2, 1234);
  test_push_joy_button(2, 1, false);
  input_update();
  EXPECT_EQ(std::tuple(joystick[0].x, joystick[1].fire), std::tuple(1234, 0));
}

TEST(Joystick, SixteenSlots) {
  joysticks(std::vector(17, std::vector{0, 0}));
  EXPECT_EQ(std::tuple(joystick_count, joystick_slot_of_device(15), joystick_slot_of_device(16)),
            std::tuple(16, 15, -1));
}

TEST(InputDev, FindingAndHoldingControls) {
  int type = -1, number = -1, button = -1;
  const auto found = [&] {
    return input_dev_check_all(&type, &number, &button) ? std::tuple(type, number, button)
                                                        : std::tuple(0, 0, 0);
  };
  joysticks({{}, {}});
  joyport_fake_set_button(1, 1, true);
  joyport_fake_set_button(0, 3, true);
  joyport_fake_set_button(0, 2, true);
  keyboard_key_down(SDLK_a, 0);
  mouse_b = 5;
  EXPECT_TRUE(input_dev_check_button(1, 0, 2) && input_dev_check_button(2, 0, SDLK_a) &&
              input_dev_check_button(3, 0, 2));
  for (int unclaimed : {0, 7}) // an unclaimed player holds none of it
    EXPECT_EQ(input_dev_check_button(unclaimed, 0, 2) +
                  input_dev_check_button(unclaimed, 0, SDLK_a) +
                  input_dev_check(unclaimed, 0, nullptr),
              0)
        << unclaimed;
  EXPECT_EQ(found(),
            std::tuple(INPUT_DEV_JOYSTICK, 0, 2)); // slot 0 and its lowest button, before the key
  joysticks({});
  // A claim binds the newest press still held; let-go presses, Escape and F11 never bind, and
  // the other held key is left for the next claim.
  for (int sym : {SDLK_a, SDLK_b, SDLK_c, SDLK_b, SDLK_ESCAPE}) keyboard_key_down(sym, 0);
  keyboard_key_up(SDLK_c);
  mouse_b = 5;
  for (int want : {SDLK_b, SDLK_a}) EXPECT_EQ(found(), std::tuple(INPUT_DEV_KEYBOARD, 0, want));
  EXPECT_EQ(found(),
            std::tuple(INPUT_DEV_MOUSE, 0, 0)); // keys held but none to claim; left and right: left
  mouse_b = 0x10;
  EXPECT_EQ(found(), std::tuple(INPUT_DEV_MOUSE, 0, 4)); // any button names itself
  test_input_reset();
  keys[SDLK_F11] = 1, keycount = 1; // held F11 counts but never enters the ring: nothing to claim
  EXPECT_EQ(std::tuple(input_dev_any_held(), found()), std::tuple(1, std::tuple(0, 0, 0)));
}

TEST(Control, MaskOfEveryDevice) {
  const struct {
    std::vector<int> keys;
    int layout0, layout1;
  } table[] = {
      {{SDLK_RETURN, SDLK_ESCAPE, SDLK_LCTRL}, 176, 0},
      {{SDLK_LALT, SDLK_UP, SDLK_s}, 17, 2},
      {{SDLK_LEFT, SDLK_RIGHT, SDLK_DOWN}, 2, 0},
      {{SDLK_a, SDLK_d, SDLK_s, SDLK_TAB}, 0, 18},
  };
  for (const auto &t : table) {
    joysticks({});
    for (int sym : t.keys) keyboard_key_down(sym, 0);
    SCOPED_TRACE(testing::Message() << t.keys.size() << " keys");
    for (int layout : {0, 2, 1})
      EXPECT_EQ(control_check_keyboard(layout), layout == 1 ? t.layout1 : t.layout0);
    EXPECT_EQ(control_check_any(), t.layout0 | t.layout1); // adds up every device
  }
  joysticks({});
  for (auto [bits, mask] : {std::pair(0x05, 48), {0x02, 0}}) {
    mouse_b = uint8_t(bits);
    EXPECT_EQ(control_check_any(), mask) << bits;
  }
  joysticks({{}});
  joystick[0].x = 1;    // no dead zone
  joystick[1].x = -100; // beyond the opened joysticks: not read
  EXPECT_EQ(control_check_any(), 8);
}
