// Up to 16 opened joysticks and their state records.
#pragma once
#include "input/joyport.h"
#include <cstdint>

constexpr int JOYSTICK_MAX = 16;

struct joystick_state {
  int32_t buttons;
  int32_t x;
  int32_t y;
  int32_t fire;
};

extern int32_t joystick_count;
extern joyport_handle sdl_joystick[JOYSTICK_MAX];
extern int32_t sdl_joystick_sticks[JOYSTICK_MAX];
extern joystick_state joystick[JOYSTICK_MAX];

int joystick_init();
void joystick_done();
void joystick_update();
// Slot of the joystick SDL knows by this device index, or -1.
int joystick_slot_of_device(int device_index);
