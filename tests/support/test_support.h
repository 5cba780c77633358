// Shared test helpers: the display under SDL's dummy driver, SDL events and
// temporary folders. Joysticks come from support/joyport_fake.h.
#pragma once
#include <string>

// Opens the display (full screen if asked and possible, else a window), points vscrn_canvas at the
// cleared virtual screen and calls input_init with the input state reset and no events queued.
bool test_display_open(bool fullscreen = true);
void test_display_close();
// Clears keys, key ring, mouse, joystick records, quit flag and player claims.
void test_input_reset();

// Each queues one SDL event; a failed push fails the running test.
void test_push_key(int sym, bool down);
void test_push_mouse_button(int button, bool down);
void test_push_joy_axis(int device, int axis, int value);
void test_push_joy_button(int device, int button, bool down);
void test_push_quit();

// Runs f in a child process and says whether it returned true within a few seconds: a call that
// would block for ever fails the test instead of hanging it.
bool test_returns_true(bool (*f)(const std::string &), const std::string &arg);

// A fresh folder under the temporary directory, removed with its contents.
struct test_temp_dir {
  std::string path;
  test_temp_dir();
  ~test_temp_dir();
  test_temp_dir(const test_temp_dir &) = delete;
  test_temp_dir &operator=(const test_temp_dir &) = delete;
  std::string file(const std::string &name) const { return path + "/" + name; }
};
