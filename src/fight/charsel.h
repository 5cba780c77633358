// The character-selection screen.
#pragma once
#include "canvas/canvas.h"

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
