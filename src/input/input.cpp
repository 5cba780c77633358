// The event pump: drains SDL's queue once per frame into the input state.
#include "input/input.h"
#include "input/joystick.h"
#include "input/keyboard.h"
#include "input/mouse.h"

int32_t input_quit;

int input_init() {
  // SDL must have a key-state array even though the pump keeps its own.
  if (!keyboard_init()) return 0;
  return joystick_init() != 0;
}

void input_done() {}

namespace {

void input_mouse_button(int button, bool down) {
  // Buttons above 8 have no bit.
  if (button < 1 || button > 8) return;
  const uint8_t bit = static_cast<uint8_t>(1u << (button - 1));
  if (down)
    mouse_b |= bit;
  else
    mouse_b &= static_cast<uint8_t>(~bit);
}

// Events carry SDL's device index; the records are kept by slot, which
// differs once a device has failed to open.
joystick_state *input_joystick_of(int device_index) {
  const int slot = joystick_slot_of_device(device_index);
  return slot < 0 ? nullptr : &joystick[slot];
}

} // namespace

void input_update() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    switch (event.type) {
    case SDL_KEYDOWN: keyboard_key_down(event.key.keysym.sym, event.key.keysym.unicode); break;
    case SDL_KEYUP: keyboard_key_up(event.key.keysym.sym); break;
    case SDL_MOUSEMOTION:
      mouse_x = event.motion.x;
      mouse_y = event.motion.y;
      break;
    case SDL_MOUSEBUTTONDOWN: input_mouse_button(event.button.button, true); break;
    case SDL_MOUSEBUTTONUP: input_mouse_button(event.button.button, false); break;
    case SDL_JOYAXISMOTION:
      if (joystick_state *j = input_joystick_of(event.jaxis.which)) {
        // Every odd axis is vertical, every even one horizontal.
        if (event.jaxis.axis & 1)
          j->y = event.jaxis.value;
        else
          j->x = event.jaxis.value;
      }
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      if (joystick_state *j = input_joystick_of(event.jbutton.which))
        j->fire = event.type == SDL_JOYBUTTONDOWN;
      break;
    case SDL_QUIT: input_quit = 1; break;
    default: break;
    }
  }
  keyboard_settle();
}
