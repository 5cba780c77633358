// The current palette, its hand-over to SDL, and raw palette files.
#include "video/palette.h"
#include "image/fdio.h"
#include "video/graphics.h"
#include <fcntl.h>
#include <unistd.h>

uint8_t palette[PALETTE_BYTES];
SDL_Color sdl_palette[256];

namespace {

enum class palette_seek { start, ilbm_colours, pcx_tail };

void palette_read_file(uint8_t *buffer, const char *name, palette_seek where) {
  const fdio_file f = fdio_open(name, O_RDONLY);
  if (f.fd < 0) return;
  // A failed seek leaves the position at the start, which is where the
  // bytes are then read from.
  if (where == palette_seek::ilbm_colours) lseek(f.fd, 48, SEEK_SET);
  if (where == palette_seek::pcx_tail) lseek(f.fd, -PALETTE_BYTES, SEEK_END);
  // A short file replaces only the bytes it has.
  fdio_read_all(f.fd, buffer, PALETTE_BYTES);
}

} // namespace

void palette_update() {
  if (sdl_rscrn) SDL_SetPalette(sdl_rscrn, SDL_LOGPAL | SDL_PHYSPAL, sdl_palette, 0, 256);
}

void palette_set(const uint8_t *buffer) {
  for (int i = 0; i < 256; i++) {
    sdl_palette[i].r = buffer[3 * i];
    sdl_palette[i].g = buffer[3 * i + 1];
    sdl_palette[i].b = buffer[3 * i + 2];
  }
  if (sdl_vscrn) SDL_SetPalette(sdl_vscrn, SDL_LOGPAL | SDL_PHYSPAL, sdl_palette, 0, 256);
  palette_update();
}

void palette_set_color(int index, uint8_t red, uint8_t green, uint8_t blue) {
  if (index < 0 || index > 255) return;
  sdl_palette[index].r = red;
  sdl_palette[index].g = green;
  sdl_palette[index].b = blue;
  if (sdl_rscrn) SDL_SetPalette(sdl_rscrn, SDL_LOGPAL | SDL_PHYSPAL, &sdl_palette[index], index, 1);
}

void palette_load(uint8_t *buffer, const char *name) {
  palette_read_file(buffer, name, palette_seek::start);
}

void palette_loadfrom_ilbm(uint8_t *buffer, const char *name) {
  palette_read_file(buffer, name, palette_seek::ilbm_colours);
}

void palette_loadfrom_pcx(uint8_t *buffer, const char *name) {
  palette_read_file(buffer, name, palette_seek::pcx_tail);
}

void palette_save(const uint8_t *buffer, const char *name) {
  const fdio_file f = fdio_open(name, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (f.ok()) fdio_write_all(f.fd, buffer, PALETTE_BYTES);
}
