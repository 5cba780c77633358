// Key state, the count of held keys, the ring of recent presses and the
// keyboard-only pump.
#include "input/keyboard.h"
#include "input/input.h"
#include "video/graphics.h"
#include <SDL.h>
#include <cstring>

keyboard_entry sdl_keyboard_buffer[KEYBOARD_RING];
int32_t sdl_keyboard_head;
int32_t sdl_keyboard_tail;
int32_t sdl_keyboard_typemode_set;

namespace {
// Our own copy of the key state: setting a video mode may clear SDL's, and
// then a key held through an F11 switch would seem released.
uint8_t key_state[SDLK_LAST];

// Classic SDL reports every held key released when a mode switch takes the
// focus away, and quietly restores its own key state when the focus returns.
// So a key-up soon after F11 is doubted: the key stays held until SDL's state
// shows it held again, or is released once the grace has run out.
constexpr int SWITCH_GRACE = 25; // drains: half a second at 50 frames a second
int switch_grace;
uint8_t key_doubted[SDLK_LAST];

int32_t ring_next(int32_t i) { return (i + 1) % KEYBOARD_RING; }

void key_state_clear() {
  std::memset(key_state, 0, sizeof key_state);
  std::memset(key_doubted, 0, sizeof key_doubted);
  switch_grace = 0;
  keycount = 0;
}
} // namespace

uint8_t *keys = key_state;
int32_t keycount;

void keyboard_key_down(int sym, int unicode) {
  if (sym < 0 || sym >= SDLK_LAST) return;
  key_doubted[sym] = 0;
  // Counted on the transition only, so a repeated down is not a second key.
  if (!keys[sym]) {
    keys[sym] = 1;
    keycount++;
  }
  if (sym == SDLK_F11) {
    graphics_set_fullscreen(!graphics_get_fullscreen());
    switch_grace = SWITCH_GRACE;
    return;
  }
  // A full ring keeps the newest presses: drop the oldest unread one.
  const int32_t next = ring_next(sdl_keyboard_head);
  if (next == sdl_keyboard_tail) sdl_keyboard_tail = ring_next(sdl_keyboard_tail);
  sdl_keyboard_buffer[sdl_keyboard_head] = {sym, sdl_keyboard_typemode_set ? unicode : 0};
  sdl_keyboard_head = next;
}

void keyboard_key_up(int sym) {
  if (sym < 0 || sym >= SDLK_LAST) return;
  if (!keys[sym]) return;
  if (switch_grace > 0) {
    key_doubted[sym] = 1;
    return;
  }
  keys[sym] = 0;
  if (keycount > 0) keycount--;
}

void keyboard_settle() {
  if (switch_grace == 0) return;
  switch_grace--;
  const uint8_t *sdl_keys = SDL_GetKeyState(nullptr);
  for (int sym = 0; sym < SDLK_LAST; sym++) {
    if (!key_doubted[sym]) continue;
    if (sdl_keys && sdl_keys[sym]) {
      key_doubted[sym] = 0; // held all along: the key-up was the switch's
    } else if (switch_grace == 0) {
      key_doubted[sym] = 0;
      keyboard_key_up(sym);
    }
  }
}

int keyboard_init() {
  keys = key_state;
  key_state_clear();
  return SDL_GetKeyState(nullptr) != nullptr;
}

void keyboard_update() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    switch (event.type) {
    case SDL_KEYDOWN: keyboard_key_down(event.key.keysym.sym, event.key.keysym.unicode); break;
    case SDL_KEYUP: keyboard_key_up(event.key.keysym.sym); break;
    // A closed window reads as a held Escape here.
    case SDL_QUIT: keys[SDLK_ESCAPE] = 1; break;
    default: break;
    }
  }
  keyboard_settle();
}

void keyboard_typemode(int on) {
  sdl_keyboard_typemode_set = on;
  SDL_EnableUNICODE(on);
  sdl_keyboard_head = 0;
  sdl_keyboard_tail = 0;
}

int keypressed() { return sdl_keyboard_head != sdl_keyboard_tail; }

int readscan() {
  if (!keypressed()) return 0;
  const int32_t sym = sdl_keyboard_buffer[sdl_keyboard_tail].sym;
  sdl_keyboard_tail = ring_next(sdl_keyboard_tail);
  return sym;
}

int keyboard_held_press(bool take) {
  // Escape leaves a screen and F11 switches the display: neither is a claim.
  const auto claimable = [](int32_t sym) {
    return sym != SDLK_ESCAPE && sym != SDLK_F11 && keys[sym] != 0;
  };
  keyboard_entry held[KEYBOARD_RING];
  int n = 0;
  for (int32_t i = sdl_keyboard_tail; i != sdl_keyboard_head; i = ring_next(i))
    if (claimable(sdl_keyboard_buffer[i].sym)) held[n++] = sdl_keyboard_buffer[i];
  const int32_t newest = n ? held[n - 1].sym : 0;
  // Keep the other held presses, oldest first, for the next claim.
  sdl_keyboard_tail = 0;
  sdl_keyboard_head = 0;
  for (int i = 0; i < n; i++)
    if (!take || held[i].sym != newest) sdl_keyboard_buffer[sdl_keyboard_head++] = held[i];
  return newest;
}

int readkey() {
  while (keypressed()) {
    const int32_t unicode = sdl_keyboard_buffer[sdl_keyboard_tail].unicode;
    sdl_keyboard_tail = ring_next(sdl_keyboard_tail);
    if (unicode) return unicode;
  }
  return 0;
}
