// Helpers for the picture loader tests: byte builders and owned canvases.
#pragma once
#include "canvas/canvas.h"
#include "support/test_support.h"
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using bytes = std::vector<uint8_t>;
using temp_dir = test_temp_dir;

inline void put_be16(bytes &b, unsigned v) {
  b.push_back(uint8_t(v >> 8));
  b.push_back(uint8_t(v));
}
inline void put_le16(bytes &b, unsigned v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
inline void put_be32(bytes &b, uint32_t v) {
  put_be16(b, v >> 16);
  put_be16(b, v & 0xFFFF);
}
inline void put_text(bytes &b, const char *s) {
  while (*s) b.push_back(uint8_t(*s++));
}
inline void put_fill(bytes &b, size_t n, uint8_t v) { b.insert(b.end(), n, v); }
inline void put_bytes(bytes &b, const bytes &more) { b.insert(b.end(), more.begin(), more.end()); }

struct canvas_deleter {
  void operator()(canvas *c) const {
    if (c) canvas_free(c);
  }
};
using canvas_ptr = std::unique_ptr<canvas, canvas_deleter>;

// Writes b to name in the folder and returns the full path.
inline std::string put_file(const temp_dir &dir, const std::string &name, const bytes &b) {
  std::string path = dir.file(name);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(b.data()), std::streamsize(b.size()));
  return path;
}

// Canvas pixel (x, y).
inline uint8_t pixel(const canvas *c, int x, int y) { return c->pixels[size_t(y) * size_t(c->pitch) + size_t(x)]; }

// A canvas-shaped view of caller memory, for given-canvas tests.
inline canvas canvas_over(std::vector<uint8_t> &mem, int width, int height, int pitch) {
  return canvas{nullptr, pitch, width, height, mem.data()};
}
