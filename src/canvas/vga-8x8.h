// The built-in 8x8 font, code page 437 layout, 8 bytes per glyph.
#pragma once
#include <cstdint>

extern const uint8_t vga_8x8[2048];
