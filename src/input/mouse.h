// Mouse state: position and held buttons (bit n-1 for SDL button n).
#pragma once
#include <cstdint>

// The pointer's position. Between a pump and mouse_update they hold window
// pixels (the display's, margins and scale included); mouse_update turns
// them into virtual-screen pixels (0..319, 0..199). No screen reads them.
extern int32_t mouse_x;
extern int32_t mouse_y;
extern uint8_t mouse_b;

// Polls the pointer and maps it to virtual-screen pixels.
void mouse_update();
