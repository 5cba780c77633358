// NEOchrome NEO: 4 bytes of flags and resolution, 16 ST colour words at 4,
// further header to 128, then 32000 bytes of interleaved planes, big-endian.
#include "image/atari.h"
#include "image/loader.h"
#include "image/stpic.h"
#include <cstring>

// raw holds NEO_READ_BYTES, zero past what the file had.
static canvas *neo_decode(const uint8_t *raw, canvas *c, uint8_t *palette, const char **error) {
  if (!c && !(c = anypic_new_canvas(320, 200, error))) return nullptr;
  if (palette) atari_palette_atari2host(raw + 4, palette);
  atari_pixels_atari2vga(raw + 128, c->pixels, 64000);
  return c;
}

canvas *neo_load(const char *name, uint8_t *raw, canvas *c, uint8_t *palette, const char **error) {
  fdio_file f = anypic_open(name, error);
  if (!f.ok()) return nullptr;
  // One read of the first 32128 bytes into the caller's buffer or ours.
  uint8_t own[NEO_READ_BYTES];
  uint8_t *buf = raw ? raw : own;
  size_t got = fdio_read_all(f.fd, buf, NEO_READ_BYTES);
  std::memset(buf + got, 0, NEO_READ_BYTES - got);
  return neo_decode(buf, c, palette, error);
}

canvas *neo_load_bytes(std::span<const uint8_t> bytes, uint8_t *raw, canvas *c, uint8_t *palette,
                       const char **error) {
  uint8_t own[NEO_READ_BYTES];
  uint8_t *buf = raw ? raw : own;
  size_t got = bytes.size() < NEO_READ_BYTES ? bytes.size() : NEO_READ_BYTES;
  if (got) std::memcpy(buf, bytes.data(), got); // an empty span may have no data pointer
  std::memset(buf + got, 0, NEO_READ_BYTES - got);
  return neo_decode(buf, c, palette, error);
}
