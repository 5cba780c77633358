// Picture loader test helpers: files built from the format definitions, owned or borrowed canvases.
#pragma once
#include "image/anypic.h"
#include "support/test_files.h"
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using bytes = std::vector<uint8_t>;

inline bytes cat(std::initializer_list<bytes> parts) {
  bytes b;
  for (const bytes &p : parts) b.insert(b.end(), p.begin(), p.end());
  return b;
}
inline bytes be16(unsigned v) { return {uint8_t(v >> 8), uint8_t(v)}; }

// IFF: a chunk (and its pad byte after an odd length), a FORM of chunks, a BMHD (20 bytes, extra).
inline bytes chunk(const char *id, const bytes &data) {
  const bytes pad(data.size() & 1, 0xA5);
  return cat({{id, id + 4}, be16(0), be16(unsigned(data.size())), data, pad});
}
inline bytes form(std::initializer_list<bytes> chunks, const char *type = "PBM ") {
  const bytes all = cat(chunks);
  return cat({{'F', 'O', 'R', 'M', 0, 0}, be16(unsigned(all.size() + 4)), {type, type + 4}, all});
}
inline bytes bmhd(unsigned w, unsigned h, uint8_t compression) {
  bytes b = cat({be16(w), be16(h), bytes(16, 0)});
  b[8] = 8, b[10] = compression; // planes, compression
  return b;
}
// PCX: the 128-byte header (little-endian numbers), then the data.
inline bytes pcx(unsigned ymin, unsigned ymax, unsigned bpl, const bytes &data = {}) {
  bytes b(128, 0);
  b[0] = 10, b[1] = 5, b[2] = 1, b[3] = 8, b[65] = 1;
  for (auto [at, v] : {std::pair(6, ymin), {8, bpl - 1}, {10, ymax}, {66, bpl}})
    b[at] = uint8_t(v), b[at + 1] = uint8_t(v >> 8);
  return cat({b, data});
}

// A canvas over caller memory (which may hold guard bytes past the pixels).
inline canvas canvas_over(bytes &mem, int width, int height, int pitch) {
  return canvas{nullptr, pitch, width, height, mem.data()};
}

// What a loader gave: a new canvas is owned here, a given one is not; a new canvas's pixels.
struct loaded {
  std::unique_ptr<canvas, void (*)(canvas *)> c{nullptr, canvas_free};
  canvas *got = nullptr;
  const char *err = nullptr;
};
inline bytes pixels_of(const loaded &r) {
  return r.c ? bytes(r.c->pixels, r.c->pixels + size_t(r.c->width) * size_t(r.c->height)) : bytes{};
}
// Writes file as name in a fresh folder and loads it by its name, as the game does.
inline loaded load_file(const std::string &name, const bytes &file, canvas *given = nullptr,
                        uint8_t *pal = nullptr) {
  test_temp_dir dir;
  std::ofstream(dir.file(name), std::ios::binary)
      .write(reinterpret_cast<const char *>(file.data()), std::streamsize(file.size()));
  loaded r;
  r.got = anypic_load(dir.file(name).c_str(), given, pal, &r.err);
  if (r.got != given) r.c.reset(r.got);
  return r;
}
