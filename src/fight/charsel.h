// The character-selection screen.
#pragma once
#include "canvas/canvas.h"

// Set names are written from this column, 8 pixels a character, each
// character's ink one column right of its cell.
constexpr int CHARSEL_NAME_X = 10;
// How many characters of a name show whole before the screen's right edge.
constexpr int CHARSEL_NAME_CHARS = (VSCRN_W - 1 - CHARSEL_NAME_X) / 8;

// Runs the screen; 1 when a fight was chosen, 2 Escape, 3 quit.
int charsel();

// The screen's parts, as charsel() runs them; exposed so that tests can
// drive the screen tick by tick.
void charsel_enter();
int charsel_logics();
void charsel_graphics();
void charsel_leave();
// Index of the highlighted set and the number of players who have claimed.
int charsel_selected();
int charsel_players_done();
