// ZSoft PCX pictures of one 8-bit plane with the 256-colour table at the end.
#pragma once
#include "canvas/canvas.h"
#include <cstdint>
#include <span>

// header, if given, is a 128-byte buffer that receives the file's header.
canvas *pcx_load(const char *name, uint8_t *header, canvas *c, uint8_t *palette,
                 const char **error);
// The same on a whole file already in memory.
canvas *pcx_load_bytes(std::span<const uint8_t> file, uint8_t *header, canvas *c, uint8_t *palette,
                       const char **error);
