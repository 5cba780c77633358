// DEGAS PI1: resolution word, 16 ST colour words, 32000 bytes of
// interleaved planes, all big-endian. Always decoded as 320x200x16.
#include "image/atari.h"
#include "image/loader.h"
#include "image/stpic.h"
#include <cstring>

// file holds PI1_READ_BYTES, zero past what the file had.
static canvas *pi1_decode(const uint8_t *file, canvas *c, uint8_t *palette, const char **error) {
  if (!c && !(c = anypic_new_canvas(320, 200, error))) return nullptr;
  if (palette) atari_palette_atari2host(file + 2, palette);
  // A given canvas gets 64000 bytes row after row, pitch aside.
  atari_pixels_atari2vga(file + 34, c->pixels, 64000);
  return c;
}

canvas *pi1_load(const char *name, canvas *c, uint8_t *palette, const char **error) {
  fdio_file f = anypic_open(name, error);
  if (!f.ok()) return nullptr;
  // One read of header and planes; a short file leaves zeros (colour 0).
  uint8_t file[PI1_READ_BYTES];
  size_t got = fdio_read_all(f.fd, file, sizeof file);
  std::memset(file + got, 0, sizeof file - got);
  return pi1_decode(file, c, palette, error);
}

canvas *pi1_load_bytes(std::span<const uint8_t> bytes, canvas *c, uint8_t *palette, const char **error) {
  uint8_t file[PI1_READ_BYTES] = {};
  if (!bytes.empty()) std::memcpy(file, bytes.data(), bytes.size() < sizeof file ? bytes.size() : sizeof file);
  return pi1_decode(file, c, palette, error);
}
