// IFF PBM pictures (one byte per pixel, optionally ByteRun1-compressed).
#pragma once
#include "canvas/canvas.h"
#include <cstdint>
#include <span>

// bmhd, if given, is a 20-byte buffer that receives the last BMHD read.
canvas *ilbm_load(const char *name, uint8_t *bmhd, canvas *c, uint8_t *palette, const char **error);
// The same on a whole file already in memory.
canvas *ilbm_load_bytes(std::span<const uint8_t> file, uint8_t *bmhd, canvas *c, uint8_t *palette,
                        const char **error);
