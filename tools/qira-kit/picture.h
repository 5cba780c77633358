// Pictures as qira-kit handles them: 8-bit indexed pixels and a 256-colour palette.
#pragma once
#include "image/bytes.h"
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct kit_picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;        // width * height palette indices, row by row
  std::array<uint8_t, 768> palette{}; // red, green, blue 0..255 per entry
};

// Reads any picture the game reads (dispatched as the game does), or .png/.ppm.
bool kit_read(const std::string &path, kit_picture &out, std::string &error);
// The whole file at path; false with the reason in error.
bool kit_read_bytes(const std::string &path, bytes_file &file, std::string &error);
// Writes by extension (.png .ppm .pi1 .pc1 .neo .lbm .ilbm .pcx). Refuses, with
// the reason in error and nothing written, what the format cannot hold.
bool kit_write(const std::string &path, const kit_picture &pic, std::string &error);
// Writes the bytes whole or not at all (through a temporary file beside path).
bool kit_write_file(const std::string &path, const std::vector<uint8_t> &data, std::string &error);

// The format a path names by its extension, matched as the game matches
// ("IFF PBM", "NEO", "PCX", "PC1", "PI1", then "PNG", "PPM"), or null.
const char *kit_format(const std::string &path);
