// The fight screen.
#pragma once

// Runs the fight for current_fightset: 2 Escape, 3 quit, or the message
// screen's result when a picture failed to load.
int play();

// The screen's parts, as play() runs them; exposed so that tests can drive
// the fight tick by tick. play_enter returns 0 when the fight is ready, or
// the message screen's result (everything already freed) when it is not.
int play_enter();
int play_logics();
void play_graphics();
void play_leave();
