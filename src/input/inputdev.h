// Input devices: which device is in use, and whether a claimed control is held.
#pragma once
#include <cstdint>

enum {
  INPUT_DEV_NONE = 0,
  INPUT_DEV_JOYSTICK = 1,
  INPUT_DEV_KEYBOARD = 2,
  INPUT_DEV_MOUSE = 3,
  INPUT_DEV_GAMECUBE = 4,
  INPUT_DEV_WIIMOTE = 5,
  INPUT_DEV_XBOX360 = 6,
};

struct input_dev_claim {
  int32_t type;
  int32_t number;
  int32_t button;
};

struct input_dev {
  int32_t first; // written only by input_dev_get (2 for the keyboard)
  int32_t number;
  int32_t type;
};

// Player 1's claim, then player 2's.
extern input_dev_claim player_control[2];

int input_dev_check(int type, int number, int *button);
int input_dev_check_all(int *type, int *number, int *button);
// 1 while any key, mouse button or joystick button is held.
int input_dev_any_held();
int input_dev_check_button(int type, int number, int button);
// Device names and records for a settings screen the game does not have; no
// screen calls these.
const char *input_dev_get_type_string(int type);
int input_dev_has_stick(int type);
int input_dev_is_singleuser(int type);
input_dev *input_dev_lookup(int type);
input_dev *input_dev_get();
void input_dev_set_number(input_dev *dev, int number);
void input_dev_free(input_dev *dev);
