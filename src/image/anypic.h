// Picture loading by file name. Every loader: name, [raw buffer,] canvas or
// null, 768-byte palette or null, error text pointer or null; the canvas or null.
#pragma once
#include "canvas/canvas.h"
#include <cstdint>

canvas *anypic_load(const char *name, canvas *c, uint8_t *palette, const char **error);
