// Joysticks scripted by tests in place of SDL's, added before joystick_init; read at once.
#pragma once

void joyport_fake_reset();
// Adds the next of at most 32 devices, with up to 16 axes and 16 buttons; returns its SDL index.
int joyport_fake_add(int axes, int buttons, bool fails_to_open = false);
void joyport_fake_set_axis(int device, int axis, int value);
void joyport_fake_set_button(int device, int button, bool held);
