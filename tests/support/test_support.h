// Test helpers on SDL's dummy driver: the display, events, a clock; joysticks: joyport_fake.h.
#pragma once
#include "support/test_files.h"
#include <cstdint>
#include <functional>

// Opens the display (full screen if asked and possible, else a window), points vscrn_canvas at the
// cleared virtual screen and calls input_init with the input state reset and no events queued.
bool test_display_open(bool fullscreen = true);
void test_display_close();
// Clears keys, key ring, mouse, joystick records, quit flag and player claims.
void test_input_reset();

// Each queues one SDL event; a failed push fails the running test.
void test_push_key(int sym, bool down);
void test_push_mouse_button(int button, bool down);
void test_push_joy_axis(int device, int axis, int value);
void test_push_joy_button(int device, int button, bool down);
void test_push_quit();

// A clock for timer_clock: every read moves test_clock_ms on by 1 (the frame loop's busy wait
// polls it), and an action queued for a time runs on the first read at or after it.
extern uint32_t test_clock_ms;
uint32_t test_clock_read();
void test_clock_reset(); // back to 0 ms with nothing queued
void test_clock_at(uint32_t ms, std::function<void()> action);
