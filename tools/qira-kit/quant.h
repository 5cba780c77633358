// Colour mapping for qira-kit through libimagequant: nearest colours in a
// given palette, and reduction to fewer colours.
#pragma once
#include "qira-kit/picture.h"
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A picture as red, green, blue, alpha per pixel.
struct kit_rgba {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> px; // width * height * 4
};

// Pixels with less alpha than this count as transparent.
constexpr int KIT_ALPHA_OPAQUE = 128;

kit_rgba kit_rgba_of(const kit_picture &pic);

// How far a mapping moved colours.
struct kit_map_stats {
  long inexact = 0; // pixels whose colour changed
  int worst = 0;    // largest change, as the distance in RGB
  std::array<uint8_t, 3> worst_from{}, worst_to{};
  long transparent = 0;
};

// Each opaque pixel to the nearest of palette entries 0 .. count - 1 (the
// lowest index among equal colours); transparent pixels to `transparent`.
bool kit_map_palette(const kit_rgba &in, const std::array<uint8_t, 768> &palette, int count,
                     int transparent, std::vector<uint8_t> &out, kit_map_stats &stats,
                     std::string &error);

// At most `colours` colours (2 .. 256), transparent pixels as colour 0 (which
// then counts as one of them).
bool kit_reduce(const kit_rgba &in, int colours, kit_picture &out, kit_map_stats &stats,
                std::string &error);
