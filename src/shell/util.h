// Screen clear and shade palette. The design's util module also holds the
// line reader and the text output, which the core builds as
// shell/fdreadline.h and canvas/text.h; they are included here for the screens.
#pragma once
#include "canvas/text.h"
#include "shell/fdreadline.h"

// Fills the whole virtual screen with colour 0 and presents it.
void clr();
// Puts three random ramps into the shade entries and makes the palette current.
void set_shade_palette();
