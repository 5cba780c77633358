// Scripted joysticks for tests: the joyport calls answered from a table.
#include "support/joyport_fake.h"
#include "input/joyport.h"
#include <algorithm>
#include <array>

struct joyport_device {
  int index;
  int axes;
  int buttons;
  bool fails_to_open;
  bool open;
  std::array<int, JOYPORT_FAKE_AXES> axis;
  std::array<bool, JOYPORT_FAKE_BUTTONS> held;
};

namespace {
std::array<joyport_device, JOYPORT_FAKE_DEVICES> devices;
int device_count;
int init_calls;

joyport_device *fake_device(int device) {
  if (device < 0 || device >= device_count) return nullptr;
  return &devices[static_cast<size_t>(device)];
}
} // namespace

void joyport_fake_reset() {
  devices = {};
  device_count = 0;
  init_calls = 0;
}

int joyport_fake_add(int axes, int buttons, bool fails_to_open) {
  if (device_count == JOYPORT_FAKE_DEVICES) return -1;
  joyport_device &d = devices[static_cast<size_t>(device_count)];
  d = {};
  d.index = device_count;
  d.axes = std::clamp(axes, 0, JOYPORT_FAKE_AXES);
  d.buttons = std::clamp(buttons, 0, JOYPORT_FAKE_BUTTONS);
  d.fails_to_open = fails_to_open;
  return device_count++;
}

void joyport_fake_set_axis(int device, int axis, int value) {
  joyport_device *d = fake_device(device);
  if (d && axis >= 0 && axis < d->axes) d->axis[static_cast<size_t>(axis)] = value;
}

void joyport_fake_set_button(int device, int button, bool held) {
  joyport_device *d = fake_device(device);
  if (d && button >= 0 && button < d->buttons) d->held[static_cast<size_t>(button)] = held;
}

bool joyport_fake_is_open(int device) {
  const joyport_device *d = fake_device(device);
  return d && d->open;
}

int joyport_fake_init_calls() { return init_calls; }

void joyport_init() { init_calls++; }
int joyport_count() { return device_count; }

joyport_handle joyport_open(int device_index) {
  joyport_device *d = fake_device(device_index);
  if (!d || d->fails_to_open) return nullptr;
  d->open = true;
  return d;
}

void joyport_close(joyport_handle h) {
  if (h) h->open = false;
}
int joyport_num_axes(joyport_handle h) { return h ? h->axes : 0; }
int joyport_num_buttons(joyport_handle h) { return h ? h->buttons : 0; }

// Out-of-range axes and buttons read as neutral, as SDL's do.
int joyport_axis(joyport_handle h, int axis) {
  return h && axis >= 0 && axis < h->axes ? h->axis[static_cast<size_t>(axis)] : 0;
}
int joyport_button(joyport_handle h, int button) {
  return h && button >= 0 && button < h->buttons ? h->held[static_cast<size_t>(button)] : 0;
}
void joyport_update() {}
int joyport_index(joyport_handle h) { return h ? h->index : -1; }
