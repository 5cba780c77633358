// Atari ST low-resolution pictures: DEGAS PI1, DEGAS Elite PC1, NEOchrome NEO.
#pragma once
#include "canvas/canvas.h"
#include <cstddef>
#include <cstdint>
#include <span>

canvas *pi1_load(const char *name, canvas *c, uint8_t *palette, const char **error);
canvas *pc1_load(const char *name, canvas *c, uint8_t *palette, const char **error);
canvas *neo_load(const char *name, uint8_t *raw, canvas *c, uint8_t *palette, const char **error);

// The bytes the PI1 and NEO loaders decode: header and planes; a NEO raw
// buffer holds NEO_READ_BYTES. (A PC1 file's packed data has no fixed size.)
constexpr size_t PI1_READ_BYTES = 34 + 32000;
constexpr size_t NEO_READ_BYTES = 128 + 32000;

// The same loaders on the first bytes of a file already in memory (bytes
// past the ones read are ignored; missing ones count as zero).
canvas *pi1_load_bytes(std::span<const uint8_t> file, canvas *c, uint8_t *palette,
                       const char **error);
canvas *pc1_load_bytes(std::span<const uint8_t> file, canvas *c, uint8_t *palette,
                       const char **error);
canvas *neo_load_bytes(std::span<const uint8_t> file, uint8_t *raw, canvas *c, uint8_t *palette,
                       const char **error);
