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
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace {
void push(SDL_Event &event) {
  if (SDL_PushEvent(&event) != 0) ADD_FAILURE() << "SDL_PushEvent failed: " << SDL_GetError();
}

void drain_events() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
  }
}
} // namespace

bool test_display_open(bool fullscreen) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  // With the display closed this only chooses how graphics_init opens it.
  graphics_set_fullscreen(fullscreen);
  if (!graphics_init()) {
    if (!fullscreen) return false;
    graphics_set_fullscreen(0);
    if (!graphics_init()) return false;
  }
  std::memset(vscrn, 0, 320 * 200);
  vscrn_canvas = {nullptr, 320, 320, 200, vscrn};
  test_input_reset();
  input_init();
  drain_events();
  return true;
}

void test_display_close() {
  input_done();
  graphics_done();
  vscrn_canvas.pixels = nullptr;
}

void test_input_reset() {
  std::memset(keys, 0, SDLK_LAST);
  keycount = 0;
  sdl_keyboard_head = sdl_keyboard_tail = 0;
  sdl_keyboard_typemode_set = 0;
  mouse_x = mouse_y = 0;
  mouse_b = 0;
  input_quit = 0;
  std::memset(joystick, 0, sizeof joystick);
  std::memset(player_control, 0, sizeof player_control);
}

void test_push_key(int sym, bool down, int unicode) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = static_cast<SDLKey>(sym);
  e.key.keysym.unicode = static_cast<Uint16>(unicode);
  push(e);
}

void test_push_mouse_button(int button, bool down) {
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.button = static_cast<Uint8>(button);
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  push(e);
}

void test_push_mouse_motion(int x, int y) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = static_cast<Uint16>(x);
  e.motion.y = static_cast<Uint16>(y);
  push(e);
}

void test_push_joy_axis(int device, int axis, int value) {
  SDL_Event e{};
  e.type = SDL_JOYAXISMOTION;
  e.jaxis.which = static_cast<Uint8>(device);
  e.jaxis.axis = static_cast<Uint8>(axis);
  e.jaxis.value = static_cast<Sint16>(value);
  push(e);
}

void test_push_joy_button(int device, int button, bool down) {
  SDL_Event e{};
  e.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
  e.jbutton.which = static_cast<Uint8>(device);
  e.jbutton.button = static_cast<Uint8>(button);
  e.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
  push(e);
}

void test_push_quit() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  push(e);
}

test_temp_dir::test_temp_dir() {
  const char *base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/qira-test-XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (mkdtemp(buf.data()))
    path = buf.data();
  else
    ADD_FAILURE() << "mkdtemp failed for " << pattern;
}

test_temp_dir::~test_temp_dir() {
  if (path.empty()) return;
  std::error_code ec;
  std::filesystem::remove_all(path, ec);
}

std::string test_temp_dir::file(const std::string &name) const { return path + "/" + name; }
