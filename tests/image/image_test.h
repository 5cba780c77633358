// Picture loader test helpers: files built from the format definitions, owned or borrowed canvases.
#pragma once
#include "image/anypic.h"
#include "support/test_files.h"
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using bytes = std::vector<uint8_t>;

inline bytes cat(std::initializer_list<bytes> parts) {
  bytes b;
  for (const bytes &p : parts) b.insert(b.end(), p.begin(), p.end());
  return b;
}
inline bytes be16(unsigned v) { return {uint8_t(v >> 8), uint8_t(v)}; }
inline bytes be32(uint32_t v) { return cat({be16(v >> 16), be16(v & 0xFFFF)}); }
inline bytes text(const std::string &s) { return bytes(s.begin(), s.end()); }

// IFF: a chunk (padded to even length), a FORM of chunks, a BMHD (20 bytes and extra).
inline bytes chunk(const char *id, const bytes &data) {
  return cat({text(id), be32(uint32_t(data.size())), data, bytes(data.size() & 1, 0xA5)});
}
inline bytes form(std::initializer_list<bytes> chunks, const char *type = "PBM ") {
  bytes body = cat({text(type), cat(chunks)});
  return cat({text("FORM"), be32(uint32_t(body.size())), body});
}
inline bytes bmhd(unsigned w, unsigned h, uint8_t compression, size_t extra = 0) {
  bytes b = cat({be16(w), be16(h), bytes(16 + extra, 0)});
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

// What a loader gave: a new canvas is owned here, a given one is not.
struct loaded {
  std::unique_ptr<canvas, void (*)(canvas *)> c{nullptr, canvas_free};
  canvas *got = nullptr;
  const char *err = nullptr;
};
// A new canvas's pixels (its pitch is its width), or none.
inline bytes pixels_of(const loaded &r) {
  return r.c ? bytes(r.c->pixels, r.c->pixels + size_t(r.c->width) * size_t(r.c->height)) : bytes{};
}
// Writes file as name in a fresh folder and loads it by its name, as the game does.
inline loaded load_file(const std::string &name, const bytes &file, canvas *given = nullptr, uint8_t *pal = nullptr) {
  test_temp_dir dir;
  std::ofstream(dir.file(name), std::ios::binary)
      .write(reinterpret_cast<const char *>(file.data()), std::streamsize(file.size()));
  loaded r;
  r.got = anypic_load(dir.file(name).c_str(), given, pal, &r.err);
  if (r.got != given) r.c.reset(r.got);
  return r;
}
