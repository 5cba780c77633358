#include "support/joyport_fake.h"
#include "input/joyport.h"
#include <array>

struct joyport_device {
  int index, axes, buttons;
  bool fails_to_open;
  std::array<int, 16> axis, held;
};

namespace {
std::array<joyport_device, 32> devices;
int device_count;
bool in_range(int i, int n) { return i >= 0 && i < n; }
} // namespace

void joyport_fake_reset() { device_count = 0; }
int joyport_fake_add(int axes, int buttons, bool fails_to_open) {
  devices.at(device_count) = {device_count, axes, buttons, fails_to_open, {}, {}};
  return device_count++;
}
void joyport_fake_set_axis(int d, int axis, int value) { devices.at(d).axis.at(axis) = value; }
void joyport_fake_set_button(int d, int button, bool held) { devices.at(d).held.at(button) = held; }

void joyport_init() {}
void joyport_update() {}
void joyport_close(joyport_handle) {}
int joyport_count() { return device_count; }
joyport_handle joyport_open(int i) {
  return in_range(i, device_count) && !devices[i].fails_to_open ? &devices[i] : nullptr;
}
int joyport_index(joyport_handle h) { return h->index; }
int joyport_num_axes(joyport_handle h) { return h->axes; }
int joyport_num_buttons(joyport_handle h) { return h->buttons; }
// Out-of-range axes and buttons read as neutral, as SDL's do.
int joyport_axis(joyport_handle h, int a) { return in_range(a, h->axes) ? h->axis.at(a) : 0; }
int joyport_button(joyport_handle h, int b) { return in_range(b, h->buttons) ? h->held.at(b) : 0; }
