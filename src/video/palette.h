// The 256-colour palette: 768 bytes of red, green, blue, 0..255 each.
#pragma once
#include <SDL.h>
#include <cstdint>

constexpr int PALETTE_BYTES = 768;

// The running program's palette buffer.
extern uint8_t palette[PALETTE_BYTES];
// The colours last handed to SDL; given again to every new display surface.
extern SDL_Color sdl_palette[256];

// Makes buffer the current colours of both surfaces.
void palette_set(const uint8_t *buffer);
void palette_update();
// The rest of the interface is offered for tools and later screens; no
// screen of the game calls it. Files are raw: 768 bytes, or 768 bytes read
// at offset 48 of an IFF file or from the end of a PCX file.
void palette_set_color(int index, uint8_t red, uint8_t green, uint8_t blue);
void palette_load(uint8_t *buffer, const char *name);
void palette_save(const uint8_t *buffer, const char *name);
void palette_loadfrom_ilbm(uint8_t *buffer, const char *name);
void palette_loadfrom_pcx(uint8_t *buffer, const char *name);

// Pure conversions, kept apart from SDL in the palettea module (the design's
// name for the palette's arithmetic half). No screen calls them.
void palette_adjust(uint8_t *buffer);    // 0..255 -> 0..63
void palette_normalize(uint8_t *buffer); // 0..63 -> 0..252
