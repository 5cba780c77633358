// The event pump: keys, key ring, mouse, joystick records, quit flag.
#pragma once
#include <SDL.h>
#include <cstdint>

// One byte per SDL key symbol, non-zero while held (SDLK_LAST entries).
extern uint8_t *keys;
// Keys held, as counted by the pump; never below 0.
extern int32_t keycount;
// 1 once the window has been closed; never cleared.
extern int32_t input_quit;

int input_init();
void input_done();
void input_update();
