// Line reader, screen clear, shade palette and text output.
#pragma once
#include "canvas/canvas.h"
#include <cstdint>

int32_t fdreadline(int32_t fd, char *buffer, int32_t size);
void clr();
void set_shade_palette();
void fwritexy(canvas *c, int x, int y, const char *text, int colour);
void fwritexy_right(canvas *c, int x, int y, const char *text, int colour);
