// Scripted joysticks for tests, linked in place of SDL's joystick calls.
// By default there are none. Script devices (before input_init or
// joystick_init, which open them) with joyport_fake_add, then set what
// they report at any time; reads see the values at once, no update needed.
#pragma once

constexpr int JOYPORT_FAKE_DEVICES = 32;
constexpr int JOYPORT_FAKE_AXES = 8;
constexpr int JOYPORT_FAKE_BUTTONS = 16;

// Forgets every device and every handle given out.
void joyport_fake_reset();
// Adds the next device (its SDL index is returned, -1 when full). Axis and
// button counts are clamped to the limits above.
int joyport_fake_add(int axes, int buttons, bool fails_to_open = false);
void joyport_fake_set_axis(int device, int axis, int value);
void joyport_fake_set_button(int device, int button, bool held);
// Whether the device is open now (opened and not closed).
bool joyport_fake_is_open(int device);
// Calls of joyport_init since the last reset.
int joyport_fake_init_calls();
