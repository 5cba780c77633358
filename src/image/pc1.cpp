// DEGAS Elite PC1: resolution word, 16 ST colour words, then PackBits data
// that unpacks to 32000 bytes of line-by-line planes. Anything after (the
// colour-cycling tables) is not decoded.
#include "image/atari.h"
#include "image/loader.h"
#include "image/rle_dec.h"
#include "image/stpic.h"
#include <cstring>

namespace {

// Decodes the PC1 data at the reader's position into 64000 pixels.
void read_pc1(bytes_reader &file, uint8_t *pixels) {
  // Packets decoded as one stream regardless of plane and line ends, until
  // 32000 bytes are unpacked or the data ends; what they do not fill stays
  // colour 0. Packing each 40-byte plane line alone can take 32800 bytes.
  const uint8_t *data = bytes_here(file);
  uint8_t work[32000];
  int produced = 0;
  const uint8_t *end = rle_dec(data, data + bytes_left(file), work, 32000, &produced);
  std::memset(work + produced, 0, sizeof work - static_cast<size_t>(produced));
  bytes_skip(file, static_cast<size_t>(end - data));
  atari_pixels_atari2vga_x(work, pixels, 64000);
}

} // namespace

canvas *pc1_load_bytes(std::span<const uint8_t> file, canvas *c, uint8_t *palette,
                       const char **error) {
  if (!c && !(c = anypic_new_canvas(320, 200, error))) return nullptr;
  bytes_reader r = bytes_reader_of(file);
  if (palette) {
    uint8_t words[32] = {};
    bytes_skip(r, 2);
    bytes_read(r, words, 32);
    atari_palette_atari2host(words, palette);
  }
  r.pos = r.size < 34 ? r.size : 34;
  read_pc1(r, c->pixels);
  return c;
}

canvas *pc1_load(const char *name, canvas *c, uint8_t *palette, const char **error) {
  bytes_file file;
  if (!anypic_read_file(name, file, error)) return nullptr;
  return pc1_load_bytes(file.span(), c, palette, error);
}
