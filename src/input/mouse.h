// Mouse state: position and held buttons (bit n-1 for SDL button n).
#pragma once
#include <cstdint>

extern int32_t mouse_x;
extern int32_t mouse_y;
extern uint8_t mouse_b;

// Polls the pointer and maps it to virtual-screen pixels.
void mouse_update();
