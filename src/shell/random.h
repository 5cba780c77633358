// The game's linear congruential generator.
#pragma once
#include <cstdint>

extern uint32_t random_seed;

int randomize();
int rand8();
int rand16();
