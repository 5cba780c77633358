// Atari ST low-resolution pictures: DEGAS PI1, DEGAS Elite PC1, NEOchrome NEO.
#pragma once
#include "canvas/canvas.h"
#include <cstdint>

canvas *pi1_load(const char *name, canvas *c, uint8_t *palette, const char **error);
canvas *pc1_load(const char *name, canvas *c, uint8_t *palette, const char **error);
canvas *neo_load(const char *name, uint8_t *raw, canvas *c, uint8_t *palette, const char **error);
