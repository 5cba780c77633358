// The fixed-rate frame loop and the key wait.
#pragma once

using game_logics = int (*)();
using game_graphics = void (*)();

enum { GAME_DONE = 1, GAME_ESCAPE = 2, GAME_QUIT = 3 };

int game_mainloop(game_logics logics, game_graphics graphics);
int game_wait_key(game_graphics graphics);
int game_wait_key_down_logics();
int game_wait_key_up_logics();
