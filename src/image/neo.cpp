// NEOchrome NEO: 4 bytes of flags and resolution, 16 ST colour words at 4,
// further header to 128, then 32000 bytes of interleaved planes, big-endian.
#include "image/atari.h"
#include "image/loader.h"
#include "image/stpic.h"

canvas *neo_load_bytes(std::span<const uint8_t> bytes, uint8_t *raw, canvas *c, uint8_t *palette,
                       const char **error) {
  // The caller's raw buffer gets the first 32128 bytes, zero past the file's end.
  uint8_t own[NEO_READ_BYTES];
  const uint8_t *file = raw ? anypic_copy_first_bytes(bytes, raw, NEO_READ_BYTES)
                            : anypic_first_bytes(bytes, own, NEO_READ_BYTES);
  if (!c && !(c = anypic_new_canvas(320, 200, error))) return nullptr;
  if (palette) atari_palette_atari2host(file + 4, palette);
  atari_pixels_atari2vga(file + 128, c->pixels, 64000);
  return c;
}

canvas *neo_load(const char *name, uint8_t *raw, canvas *c, uint8_t *palette, const char **error) {
  bytes_file file;
  if (!anypic_read_file(name, file, error)) return nullptr;
  return neo_load_bytes(file.span(), raw, c, palette, error);
}
