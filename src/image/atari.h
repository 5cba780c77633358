// Atari ST conversions: colour words to RGB, bitplanes to one byte per pixel.
#pragma once
#include <cstdint>

// ST colour register numbers to GDOS colour numbers and back.
extern const uint8_t st2gdos[16];
extern const uint8_t gdos2st[16];

// 16 big-endian ST colour words (32 bytes) into palette entries 0..15 (48 bytes).
void atari_palette_atari2host(const uint8_t *st_palette, uint8_t *rgb);
// Interleaved planes (four big-endian words per 16 pixels) into count
// pixels; only whole groups of 16 are converted.
void atari_pixels_atari2vga(const uint8_t *source, uint8_t *destination, int count);
// A whole 320x200 interleaved picture (32000 bytes) into 64000 pixels.
void atari2vga_picture16(const uint8_t *source, uint8_t *destination);
// A whole 320x200 line-by-line picture (each line's plane 0, then 1, 2, 3;
// 32000 bytes) into 64000 pixels; count does not change the amount.
void atari_pixels_atari2vga_x(const uint8_t *source, uint8_t *destination, int count);
