// The SDL display: picks a mode and a scale, centres the 320x200 virtual
// screen on it and presents it once per frame.
#include "video/graphics.h"
#include "video/palette.h"
#include "video/scale.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

SDL_Surface *sdl_vscrn;
uint8_t *VSCRN;
SDL_Surface *sdl_rscrn;
uint8_t *RSCRN;
int graphics_margin_left;
int graphics_margin_top;
int graphics_scale_shifts;

namespace {

constexpr Uint32 FULLSCREEN_FLAGS = SDL_FULLSCREEN | SDL_HWSURFACE;
constexpr Uint32 WINDOW_FLAGS = SDL_HWSURFACE;

int fullscreen = 1;
int windowed_xsize = VSCRN_W;
int windowed_ysize = VSCRN_H;
int rscrn_rowstride;
void (*graphics_update_func)();
// Desktop size as read before the first mode set; later reads report the
// current mode instead.
int desktop_w, desktop_h;
bool display_open;
// The palette entry the area around the picture is filled with; -1 after a
// mode set, when the whole surface still has to be filled.
int margin_index = -1;
// Whether the environment held a window placement before the display first
// opened: the user's choice, which the centring below leaves alone.
int user_placed = -1;

// Forgets the display surface and all that was derived from it: nothing is
// presented until a mode is set again.
void display_forget() {
  sdl_rscrn = nullptr;
  RSCRN = nullptr;
  graphics_update_func = nullptr;
}

// Where a picture of size part starts when centred in total.
int centred(int total, int part) { return (total - part) >> 1; }

// The display surface of a hardware mode may only be written while locked,
// and its pixel address may move while unlocked.
bool display_lock() {
  if (!SDL_MUSTLOCK(sdl_rscrn)) return true;
  if (SDL_LockSurface(sdl_rscrn) < 0) return false;
  RSCRN = static_cast<uint8_t *>(sdl_rscrn->pixels) + rscrn_rowstride * graphics_margin_top +
          graphics_margin_left;
  return true;
}

void display_unlock() {
  if (SDL_MUSTLOCK(sdl_rscrn)) SDL_UnlockSurface(sdl_rscrn);
}

// 1x on a 320x200 display: SDL's blit, which lands at the top-left corner.
void graphics_update_noscale() {
  SDL_BlitSurface(sdl_vscrn, nullptr, sdl_rscrn, nullptr);
  SDL_Flip(sdl_rscrn);
}

// 1x on a larger display: row by row into the centred picture.
void graphics_update_noscale_margin() {
  if (display_lock()) {
    for (int y = 0; y < VSCRN_H; y++)
      std::memcpy(RSCRN + y * rscrn_rowstride, VSCRN + y * VSCRN_W, VSCRN_W);
    display_unlock();
  }
  SDL_Flip(sdl_rscrn);
}

void graphics_update_scale2x() {
  if (display_lock()) {
    scale2x(VSCRN, RSCRN, VSCRN_W, rscrn_rowstride, VSCRN_W, VSCRN_H);
    display_unlock();
  }
  SDL_Flip(sdl_rscrn);
}

void graphics_update_scale4x() {
  if (display_lock()) {
    scale4x(VSCRN, RSCRN, VSCRN_W, rscrn_rowstride, VSCRN_W, VSCRN_H);
    display_unlock();
  }
  SDL_Flip(sdl_rscrn);
}

void (*presenter_func(graphics_presenter p))() {
  switch (p) {
  case GRAPHICS_NOSCALE: return graphics_update_noscale;
  case GRAPHICS_NOSCALE_MARGIN: return graphics_update_noscale_margin;
  case GRAPHICS_SCALE2X: return graphics_update_scale2x;
  case GRAPHICS_SCALE4X: return graphics_update_scale4x;
  }
  return graphics_update_noscale_margin;
}

int shifts_for(int w, int h) {
  if (w >= 1280 && h >= 800) return 2;
  if (w >= 640 && h >= 400) return 1;
  return 0;
}

// Only an exact 320x200 display takes SDL's blit; every other 1x display
// gets the row copy so that the picture sits inside the margins.
graphics_presenter presenter_for(int w, int h, int shifts) {
  if (shifts == 2) return GRAPHICS_SCALE4X;
  if (shifts == 1) return GRAPHICS_SCALE2X;
  return (w == VSCRN_W && h == VSCRN_H) ? GRAPHICS_NOSCALE : GRAPHICS_NOSCALE_MARGIN;
}

graphics_choice choice_for(int index, graphics_mode m) {
  const int s = shifts_for(m.width, m.height);
  return {index,
          m,
          s,
          presenter_for(m.width, m.height, s),
          centred(m.width, VSCRN_W << s),
          centred(m.height, VSCRN_H << s)};
}

// Sets a mode and, on success, every presentation global to match it. On
// failure the old surface may be gone, so nothing is presented until a
// mode is set again.
int set_mode(int w, int h, int shifts, Uint32 flags) {
  SDL_Surface *surface = SDL_SetVideoMode(w, h, 8, flags);
  const int pic_w = VSCRN_W << shifts, pic_h = VSCRN_H << shifts;
  if (!surface || surface->format->BytesPerPixel != 1 || surface->w < pic_w || surface->h < pic_h) {
    display_forget();
    return 0;
  }
  sdl_rscrn = surface;
  rscrn_rowstride = surface->pitch;
  graphics_margin_left = centred(surface->w, pic_w);
  graphics_margin_top = centred(surface->h, pic_h);
  RSCRN = static_cast<uint8_t *>(surface->pixels) + rscrn_rowstride * graphics_margin_top +
          graphics_margin_left;
  graphics_scale_shifts = shifts;
  graphics_update_func = presenter_func(presenter_for(surface->w, surface->h, shifts));
  margin_index = -1;
  return 1;
}

// The darkest colour of the palette, so that the margins are black whenever
// the palette holds black; the lowest such entry.
int darkest_entry() {
  int best = 0, best_light = 256 * 1000;
  for (int i = 0; i < 256; i++) {
    const SDL_Color &c = sdl_palette[i];
    const int light = c.r * 299 + c.g * 587 + c.b * 114;
    if (light < best_light) best = i, best_light = light;
  }
  return best;
}

// Asks for the window to be centred on the desktop. Classic SDL reads the
// position at each windowed mode set; sdl12-compat only when it creates the
// window, which is the first mode set, full screen or not, and leaving full
// screen restores that position. Without it a window keeps the corner of an
// earlier, smaller one and may hang off the screen.
void window_place(int w, int h) {
  if (user_placed || desktop_w <= 0 || desktop_h <= 0) return;
  char pos[32];
  std::snprintf(pos, sizeof pos, "%d,%d", std::max(0, (desktop_w - w) / 2),
                std::max(0, (desktop_h - h) / 2));
  setenv("SDL_VIDEO_WINDOW_POS", pos, 1);
}

int resize_mode(int w, int h) {
  window_place(w, h);
  if (!set_mode(w, h, shifts_for(w, h), fullscreen ? FULLSCREEN_FLAGS : WINDOW_FLAGS)) return 0;
  palette_update();
  windowed_xsize = w;
  windowed_ysize = h;
  return 1;
}

int mode_find() {
  if (!fullscreen) return resize_mode(windowed_xsize, windowed_ysize);

  SDL_Rect **list = SDL_ListModes(nullptr, FULLSCREEN_FLAGS);
  if (!list) return 0;
  const bool any_size = list == reinterpret_cast<SDL_Rect **>(-1);
  std::vector<graphics_mode> modes;
  if (any_size)
    modes.push_back({windowed_xsize, windowed_ysize}); // for an unknown desktop size
  else
    for (int i = 0; list[i]; i++) modes.push_back({list[i]->w, list[i]->h});
  const graphics_choice best = graphics_choose_fullscreen(modes, any_size, {desktop_w, desktop_h});
  if (best.mode.width == 0) return 0;
  window_place(windowed_xsize, windowed_ysize);
  return set_mode(best.mode.width, best.mode.height, best.shifts, FULLSCREEN_FLAGS);
}

} // namespace

graphics_choice graphics_choose_mode(std::span<const graphics_mode> modes) {
  graphics_choice best{-1, {0, 0}, 0, GRAPHICS_NOSCALE, 0, 0};
  int32_t best_score = 64000;
  for (size_t i = 0; i < modes.size(); i++) {
    const int w = modes[i].width, h = modes[i].height;
    if (w < VSCRN_W || h < VSCRN_H) continue;
    const int s = shifts_for(w, h);
    // Spare room in virtual pixels, plus 64 per doubling.
    const int32_t score = (w >> s) - VSCRN_W + (h >> s) - VSCRN_H + 64 * s;
    if (score >= best_score) continue;
    best_score = score;
    best = choice_for(static_cast<int>(i), modes[i]);
  }
  return best;
}

graphics_choice graphics_choose_fullscreen(std::span<const graphics_mode> modes, bool any_size,
                                           graphics_mode desktop) {
  const int w = desktop.width, h = desktop.height;
  if (w >= VSCRN_W && h >= VSCRN_H) {
    if (any_size) return choice_for(-1, desktop);
    for (size_t i = 0; i < modes.size(); i++)
      if (modes[i].width == w && modes[i].height == h)
        return choice_for(static_cast<int>(i), desktop);
  }
  return graphics_choose_mode(modes);
}

graphics_mode graphics_windowed_size(int desktop_width, int desktop_height) {
  const int s = shifts_for(desktop_width, desktop_height);
  return {VSCRN_W << s, VSCRN_H << s};
}

uint8_t *graphics_init() {
  // sdl12-compat lets SDL2 stretch full screen to the desktop, smoothed by
  // default; keep the pixels crisp unless the user chose otherwise.
  setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
  if (user_placed < 0)
    user_placed = getenv("SDL_VIDEO_WINDOW_POS") || getenv("SDL_VIDEO_CENTERED") ? 1 : 0;
  if (SDL_Init(SDL_INIT_VIDEO) < 0) return nullptr;
  SDL_WM_SetCaption("QIRA", "QIRA");

  const SDL_VideoInfo *info = SDL_GetVideoInfo();
  desktop_w = info ? info->current_w : 0;
  desktop_h = info ? info->current_h : 0;
  const graphics_mode window = graphics_windowed_size(desktop_w, desktop_h);
  windowed_xsize = window.width;
  windowed_ysize = window.height;

  if (!mode_find()) {
    SDL_Quit();
    return nullptr;
  }
  SDL_ShowCursor(SDL_DISABLE);

  sdl_vscrn = SDL_CreateRGBSurface(SDL_SWSURFACE, VSCRN_W, VSCRN_H, 8, 0, 0, 0, 0);
  if (!sdl_vscrn || sdl_vscrn->pitch != VSCRN_W) {
    if (sdl_vscrn) SDL_FreeSurface(sdl_vscrn);
    sdl_vscrn = nullptr;
    display_forget();
    SDL_Quit();
    return nullptr;
  }
  vscrn = VSCRN = static_cast<uint8_t *>(sdl_vscrn->pixels);
  display_open = true;
  return vscrn;
}

void graphics_done() {
  if (sdl_vscrn) SDL_FreeSurface(sdl_vscrn);
  sdl_vscrn = nullptr;
  vscrn = VSCRN = nullptr;
  display_forget();
  display_open = false;
  SDL_Quit();
}

void graphics_update() {
  if (!graphics_update_func || !sdl_rscrn) return;
  // Nothing of an earlier mode may show around the picture, which is drawn
  // over this fill right after.
  const int dark = darkest_entry();
  if (dark != margin_index) {
    SDL_FillRect(sdl_rscrn, nullptr, static_cast<Uint32>(dark));
    margin_index = dark;
  }
  graphics_update_func();
}

int graphics_get_fullscreen() { return fullscreen; }

int graphics_set_fullscreen(int on) {
  on = on != 0;
  if (on == fullscreen) return 1;
  if (!display_open) {
    // Nothing to switch yet: the next graphics_init opens in this state.
    fullscreen = on;
    return 1;
  }
  fullscreen = on;
  if (mode_find()) {
    palette_update();
    return 1;
  }
  // Put the previous mode back so that the display keeps working; the switch
  // failed either way, and if the old mode cannot be had either, nothing is
  // presented until a later switch succeeds.
  fullscreen = !on;
  if (mode_find()) palette_update();
  return 0;
}

void graphics_resize(int width, int height) { resize_mode(width, height); }
