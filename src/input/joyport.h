// The joystick back end: SDL's joystick calls, swapped at link time for tests.
#pragma once

struct joyport_device;
using joyport_handle = joyport_device *;

void joyport_init();
int joyport_count();
joyport_handle joyport_open(int device_index);
void joyport_close(joyport_handle handle);
int joyport_num_axes(joyport_handle handle);
int joyport_num_buttons(joyport_handle handle);
int joyport_axis(joyport_handle handle, int axis);
int joyport_button(joyport_handle handle, int button);
void joyport_update();
// SDL's device index of an open joystick (the index events carry).
int joyport_index(joyport_handle handle);
