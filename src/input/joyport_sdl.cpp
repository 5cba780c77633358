// The joystick back end on SDL's joystick calls.
#include "input/joyport.h"
#include <SDL.h>

namespace {

SDL_Joystick *sdl(joyport_handle h) { return reinterpret_cast<SDL_Joystick *>(h); }

} // namespace

void joyport_init() { SDL_InitSubSystem(SDL_INIT_JOYSTICK); }
int joyport_count() { return SDL_NumJoysticks(); }
joyport_handle joyport_open(int device_index) {
  return reinterpret_cast<joyport_handle>(SDL_JoystickOpen(device_index));
}
void joyport_close(joyport_handle h) { SDL_JoystickClose(sdl(h)); }
int joyport_num_axes(joyport_handle h) { return SDL_JoystickNumAxes(sdl(h)); }
int joyport_num_buttons(joyport_handle h) { return SDL_JoystickNumButtons(sdl(h)); }
int joyport_axis(joyport_handle h, int axis) { return SDL_JoystickGetAxis(sdl(h), axis); }
int joyport_button(joyport_handle h, int button) { return SDL_JoystickGetButton(sdl(h), button); }
void joyport_update() { SDL_JoystickUpdate(); }
int joyport_index(joyport_handle h) { return SDL_JoystickIndex(sdl(h)); }
