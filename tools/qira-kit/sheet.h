// qira-kit sheet: fighter sheets in a background's palette.
#pragma once
#include "qira-kit/picture.h"

// An empty sheet: every cell a copy of the background's attack cell (what
// the fight shows where a frame is left unpainted), colour 0 outside the
// cells, and with `grid` the cell boundaries and frame numbers marked in
// the margins beyond the cells (which the fight never shows).
kit_picture sheet_template(const kit_picture &background, bool grid);
