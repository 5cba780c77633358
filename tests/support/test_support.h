// Shared test helpers: the display under SDL's dummy driver, SDL events,
// and temporary folders.
//
//   ASSERT_TRUE(test_display_open());   // graphics_init + vscrn_canvas + input_init
//   test_push_key(SDLK_RETURN, true);    // queue events, then input_update()
//   ...
//   test_display_close();
//
// Joysticks come from the scripted stand-in (support/joyport_fake.h): none
// unless a test adds some before test_display_open.
#pragma once
#include <string>

// Opens the display (full screen if asked and possible, else a window) with
// the dummy driver unless SDL_VIDEODRIVER says otherwise, points
// vscrn_canvas at the cleared virtual screen, calls input_init, resets the
// input state (keys, key ring, mouse, joystick records, quit flag, player
// claims) and drops the events that opening queued. False on failure.
bool test_display_open(bool fullscreen = true);
// input_done and graphics_done; vscrn_canvas no longer points anywhere.
void test_display_close();

// Clears the input state as a fresh start would, without touching SDL.
void test_input_reset();

// Queue one SDL event each (a failed push fails the running test).
void test_push_key(int sym, bool down, int unicode = 0);
void test_push_mouse_button(int button, bool down);
void test_push_mouse_motion(int x, int y);
void test_push_joy_axis(int device, int axis, int value);
void test_push_joy_button(int device, int button, bool down);
void test_push_quit();

// A fresh folder under $TMPDIR (or /tmp), removed with its contents when
// the value goes out of scope.
struct test_temp_dir {
  std::string path;
  test_temp_dir();
  ~test_temp_dir();
  test_temp_dir(const test_temp_dir &) = delete;
  test_temp_dir &operator=(const test_temp_dir &) = delete;
  // path + "/" + name
  std::string file(const std::string &name) const;
};
