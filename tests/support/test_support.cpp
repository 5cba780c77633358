// Shared test helpers: display, events and temporary folders.
#include "support/test_support.h"
#include "canvas/canvas.h"
#include "input/input.h"
#include "input/inputdev.h"
#include "input/joystick.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "video/graphics.h"
#include <SDL.h>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
template <typename event> void push(event SDL_Event::*member, event fields) {
  SDL_Event e{};
  e.*member = fields;
  if (SDL_PushEvent(&e) != 0) ADD_FAILURE() << "SDL_PushEvent failed: " << SDL_GetError();
}
} // namespace

bool test_display_open(bool fullscreen) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  graphics_set_fullscreen(fullscreen); // with the display closed this only picks how it opens
  if (!graphics_init()) {
    graphics_set_fullscreen(0);
    if (!fullscreen || !graphics_init()) return false;
  }
  std::memset(vscrn, 0, 320 * 200);
  vscrn_canvas = {nullptr, 320, 320, 200, vscrn};
  test_input_reset();
  input_init();
  for (SDL_Event e; SDL_PollEvent(&e);) continue; // drop what opening queued
  return true;
}

void test_display_close() {
  input_done();
  graphics_done();
  vscrn_canvas.pixels = nullptr;
}

void test_input_reset() {
  std::memset(keys, 0, SDLK_LAST);
  keycount = sdl_keyboard_head = sdl_keyboard_tail = sdl_keyboard_typemode_set = input_quit = 0;
  mouse_x = mouse_y = mouse_b = 0;
  std::memset(joystick, 0, sizeof joystick);
  std::memset(player_control, 0, sizeof player_control);
}

void test_push_key(int sym, bool down) {
  push(&SDL_Event::key, {Uint8(down ? SDL_KEYDOWN : SDL_KEYUP), 0, Uint8(down), {0, SDLKey(sym), KMOD_NONE, 0}});
}
void test_push_mouse_button(int button, bool down) {
  const Uint8 type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  push(&SDL_Event::button, {type, 0, Uint8(button), Uint8(down), 0, 0});
}
void test_push_joy_axis(int device, int axis, int value) {
  push(&SDL_Event::jaxis, {Uint8(SDL_JOYAXISMOTION), Uint8(device), Uint8(axis), Sint16(value)});
}
void test_push_joy_button(int device, int button, bool down) {
  const Uint8 type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
  push(&SDL_Event::jbutton, {type, Uint8(device), Uint8(button), Uint8(down)});
}
void test_push_quit() { push(&SDL_Event::quit, {Uint8(SDL_QUIT)}); }

bool test_returns_true(bool (*f)(const std::string &), const std::string &arg) {
  const pid_t child = fork();
  if (child == 0) {
    alarm(5); // a guard against a hang, not a measure of speed
    _exit(f(arg) ? 0 : 1);
  }
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

test_temp_dir::test_temp_dir() : path((std::filesystem::temp_directory_path() / "qira-test-XXXXXX").string()) {
  if (!mkdtemp(path.data())) {
    ADD_FAILURE() << "mkdtemp failed for " << path;
    path.clear();
  }
}

test_temp_dir::~test_temp_dir() {
  std::error_code ec;
  if (!path.empty()) std::filesystem::remove_all(path, ec);
}
