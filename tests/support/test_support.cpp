#include "support/test_support.h"
#include "input/input.h"
#include "input/inputdev.h"
#include "input/joystick.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "video/graphics.h"
#include <SDL.h>
#include <cstring>
#include <gtest/gtest.h>
#include <map>

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
  std::memset(vscrn, 0, VSCRN_W * VSCRN_H);
  vscrn_canvas = {nullptr, VSCRN_W, VSCRN_W, VSCRN_H, vscrn};
  test_input_reset();
  input_init();
  for (SDL_Event e; SDL_PollEvent(&e);) continue; // drop what opening queued
  return true;
}

void test_display_close() { input_done(), graphics_done(), vscrn_canvas.pixels = nullptr; }

void test_input_reset() {
  std::memset(keys, 0, SDLK_LAST);
  keycount = sdl_keyboard_head = sdl_keyboard_tail = sdl_keyboard_typemode_set = input_quit = 0;
  mouse_x = mouse_y = mouse_b = 0;
  std::memset(joystick, 0, sizeof joystick);
  std::memset(player_control, 0, sizeof player_control);
}

void test_push_key(int sym, bool down) {
  const Uint8 type = down ? SDL_KEYDOWN : SDL_KEYUP;
  push(&SDL_Event::key, {type, 0, Uint8(down), {0, SDLKey(sym), KMOD_NONE, 0}});
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

uint32_t test_clock_ms;
namespace {
std::multimap<uint32_t, std::function<void()>> clock_due;
} // namespace

uint32_t test_clock_read() {
  const uint32_t t = test_clock_ms++;
  while (!clock_due.empty() && clock_due.begin()->first <= t) {
    auto action = std::move(clock_due.begin()->second);
    clock_due.erase(clock_due.begin());
    action();
  }
  return t;
}
void test_clock_reset() { test_clock_ms = 0, clock_due.clear(); }
void test_clock_at(uint32_t ms, std::function<void()> f) { clock_due.emplace(ms, std::move(f)); }
