// Millisecond timer for the frame loop.
#pragma once
#include <cstdint>

// Milliseconds of real time not yet consumed by logic ticks.
extern uint32_t timer;

void timer_init();
void timer_done();
uint32_t timer_update();
void delay(uint32_t milliseconds);
