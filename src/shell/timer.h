// Millisecond timer for the frame loop.
#pragma once
#include <cstdint>

// Milliseconds of real time not yet consumed by logic ticks.
extern uint32_t timer;

// The millisecond clock the timer reads: SDL's tick count, unless a test
// has put a scripted clock in its place (set it before timer_init).
using timer_clock_fn = uint32_t (*)();
extern timer_clock_fn timer_clock;

void timer_init();
void timer_done();
uint32_t timer_update();
void delay(uint32_t milliseconds);
