// Keyboard-only pump and the ring of recent key presses.
#pragma once
#include <cstdint>

struct keyboard_entry {
  int32_t sym;     // SDL key symbol
  int32_t unicode; // translated character, or 0
};

constexpr int KEYBOARD_RING = 16;
extern keyboard_entry sdl_keyboard_buffer[KEYBOARD_RING];
extern int32_t sdl_keyboard_head;
extern int32_t sdl_keyboard_tail;
extern int32_t sdl_keyboard_typemode_set;

// A pump for programs that want only the keyboard, and the typed-key ring;
// no screen of the game calls them.
int keyboard_init();
void keyboard_update();
void keyboard_typemode(int on);
int keypressed();
int readscan();
int readkey();
// The newest press in the ring whose key is still held, other than Escape and
// F11, or 0. Presses of released keys are dropped; with take, that key's
// presses are removed too, so the next claim finds another held key.
int keyboard_held_press(bool take);

// Shared by both pumps: a key going down or up.
void keyboard_key_down(int sym, int unicode);
void keyboard_key_up(int sym);
// Ends each drain: settles the key-ups that came right after a mode switch.
void keyboard_settle();
