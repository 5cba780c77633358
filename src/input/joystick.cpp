// Up to 16 joysticks, opened at start-up, and their state records.
#include "input/joystick.h"
#include <cstdlib>

int32_t joystick_count;
joyport_handle sdl_joystick[JOYSTICK_MAX];
int32_t sdl_joystick_sticks[JOYSTICK_MAX];
joystick_state joystick[JOYSTICK_MAX];

int joystick_init() {
  joyport_init();
  joystick_count = 0;
  // The device count is asked again before each device.
  for (int i = 0; i < joyport_count(); i++) {
    if (joystick_count == JOYSTICK_MAX) break;
    const joyport_handle handle = joyport_open(i);
    sdl_joystick[joystick_count] = handle;
    // A device that fails to open leaves its slot to the next one.
    if (!handle) continue;
    sdl_joystick_sticks[joystick_count] = joyport_num_axes(handle) / 2;
    joystick[joystick_count].buttons = joyport_num_buttons(handle);
    joystick_count++;
  }
  return 1;
}

void joystick_done() {
  for (int s = 0; s < joystick_count; s++) joyport_close(sdl_joystick[s]);
}

void joystick_update() {
  joyport_update();
  for (int s = 0; s < joystick_count; s++) {
    joystick_state &j = joystick[s];
    j.x = 0;
    j.y = 0;
    // The strongest deflection over all sticks; the lower stick wins ties.
    for (int k = 0; k < sdl_joystick_sticks[s]; k++) {
      const int x = joyport_axis(sdl_joystick[s], 2 * k);
      const int y = joyport_axis(sdl_joystick[s], 2 * k + 1);
      if (std::abs(x) > std::abs(j.x)) j.x = x;
      if (std::abs(y) > std::abs(j.y)) j.y = y;
    }
    j.fire = 0;
    for (int b = 0; b < j.buttons; b++)
      if (joyport_button(sdl_joystick[s], b)) j.fire = 1;
  }
}

int joystick_slot_of_device(int device_index) {
  for (int s = 0; s < joystick_count; s++)
    if (sdl_joystick[s] && joyport_index(sdl_joystick[s]) == device_index) return s;
  return -1;
}
