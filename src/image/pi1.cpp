// DEGAS PI1: resolution word, 16 ST colour words, 32000 bytes of
// interleaved planes, all big-endian. Always decoded as 320x200x16.
#include "image/atari.h"
#include "image/loader.h"
#include "image/stpic.h"

canvas *pi1_load_bytes(std::span<const uint8_t> bytes, canvas *c, uint8_t *palette,
                       const char **error) {
  if (!c && !(c = anypic_new_canvas(320, 200, error))) return nullptr;
  // A short file leaves zeros (colour 0) where its bytes are missing.
  uint8_t own[PI1_READ_BYTES];
  const uint8_t *file = anypic_first_bytes(bytes, own, PI1_READ_BYTES);
  if (palette) atari_palette_atari2host(file + 2, palette);
  // A given canvas gets 64000 bytes row after row, pitch aside.
  atari_pixels_atari2vga(file + 34, c->pixels, 64000);
  return c;
}

canvas *pi1_load(const char *name, canvas *c, uint8_t *palette, const char **error) {
  bytes_file file;
  if (!anypic_read_file(name, file, error)) return nullptr;
  return pi1_load_bytes(file.span(), c, palette, error);
}
