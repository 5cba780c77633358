// The fixed-rate frame loop and the key wait.
#pragma once

using game_logics = int (*)();
using game_graphics = void (*)();

// Frame loop results: the screen ended itself, Escape, the window closed. A
// logic callback ends the loop with any non-zero value, returned as it is.
enum { GAME_DONE = 1, GAME_ESCAPE = 2, GAME_QUIT = 3 };

// Runs logics 50 times a second (catching up after slow passes) and graphics
// once per pass until logics, Escape or a quit ends it. Between passes it
// polls the timer without sleeping: one core runs at 100% by design, for the
// steadiest frame times on the single thread.
int game_mainloop(game_logics logics, game_graphics graphics);
// Waits for a fresh fire (GAME_DONE) or Escape (GAME_ESCAPE) press and its
// release, or a quit.
int game_wait_key(game_graphics graphics);
// The wait's two phases, exposed for tests.
int game_wait_key_down_logics();
int game_wait_key_up_logics();
