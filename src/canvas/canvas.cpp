// Canvases: creation, sub-canvases, fills and clipped copies.
#include "canvas/canvas.h"
#include "canvas/blit.h"
#include <cstddef>
#include <cstdlib>
#include <cstring>

uint8_t *vscrn;
canvas vscrn_canvas = {nullptr, VSCRN_W, VSCRN_W, VSCRN_H, nullptr};

namespace {

constexpr int SCREEN_W = VSCRN_W;
constexpr int SCREEN_H = VSCRN_H;

// Where a w x h block placed at (x, y) lands on a W x H target, once clipped.
struct clip_area {
  int src_x, src_y; // entry point into the block
  int dst_x, dst_y; // corner on the target
  int w, h;         // visible size; nothing to draw when either is <= 0
};

clip_area clip_block(int x, int y, int w, int h, int target_w, int target_h) {
  clip_area a{0, 0, x, y, 0, 0};
  if (x >= target_w || y >= target_h || x + w <= 0 || y + h <= 0) return a;
  a.w = w < target_w - x ? w : target_w - x;
  a.h = h < target_h - y ? h : target_h - y;
  if (x < 0) {
    a.w += x;
    a.src_x = -x;
    a.dst_x = 0;
  }
  if (y < 0) {
    a.h += y;
    a.src_y = -y;
    a.dst_y = 0;
  }
  return a;
}

using blitter = void (*)(const uint8_t *, int, uint8_t *, int, int, int);

void blit_clipped(const uint8_t *src, int src_pitch, int w, int h, uint8_t *dst, int dst_pitch,
                  int target_w, int target_h, int x, int y, blitter blit) {
  clip_area a = clip_block(x, y, w, h, target_w, target_h);
  if (a.w <= 0 || a.h <= 0) return;
  blit(src + static_cast<ptrdiff_t>(a.src_y) * src_pitch + a.src_x, src_pitch,
       dst + static_cast<ptrdiff_t>(a.dst_y) * dst_pitch + a.dst_x, dst_pitch, a.w, a.h);
}

uint8_t *at(const canvas *c, int x, int y) {
  return c->pixels + static_cast<ptrdiff_t>(y) * c->pitch + x;
}

} // namespace

canvas *canvas_new(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  auto *c = static_cast<canvas *>(std::malloc(sizeof(canvas)));
  if (!c) return nullptr;
  c->pixels =
      static_cast<uint8_t *>(std::malloc(static_cast<size_t>(width) * static_cast<size_t>(height)));
  if (!c->pixels) {
    std::free(c);
    return nullptr;
  }
  c->parent = nullptr;
  c->pitch = width;
  c->width = width;
  c->height = height;
  return c;
}

void canvas_init_sub_canvas(canvas *c, canvas *parent, int x, int y, int width, int height) {
  c->parent = parent;
  c->pitch = parent->pitch;
  c->width = width;
  c->height = height;
  c->pixels = at(parent, x, y);
}

canvas *canvas_new_sub_canvas(canvas *parent, int x, int y, int width, int height) {
  auto *c = static_cast<canvas *>(std::malloc(sizeof(canvas)));
  if (c) canvas_init_sub_canvas(c, parent, x, y, width, height);
  return c;
}

void canvas_free(canvas *c) {
  if (!c) return;
  if (!c->parent) std::free(c->pixels);
  std::free(c);
}

void canvas_draw_canvas(canvas *target, int x, int y, const canvas *source) {
  blit_clipped(source->pixels, source->pitch, source->width, source->height, target->pixels,
               target->pitch, target->width, target->height, x, y, blit_no);
}

canvas *canvas_grab_canvas(const canvas *source, int x, int y, int width, int height) {
  canvas *c = canvas_new(width, height);
  if (c) blit_no(at(source, x, y), source->pitch, c->pixels, c->pitch, width, height);
  return c;
}

void canvas_flood(canvas *c, int colour) {
  for (int row = 0; row < c->height; row++)
    std::memset(at(c, 0, row), colour & 0xff, static_cast<size_t>(c->width > 0 ? c->width : 0));
}

void canvas_draw_pane(canvas *c, int x, int y, int width, int height, int colour) {
  clip_area a = clip_block(x, y, width, height, c->width, c->height);
  if (a.w <= 0 || a.h <= 0) return;
  for (int row = 0; row < a.h; row++)
    std::memset(at(c, a.dst_x, a.dst_y + row), colour & 0xff, static_cast<size_t>(a.w));
}

void canvas_draw_rect(canvas *c, int x, int y, int width, int height, int colour) {
  const uint8_t v = colour & 0xff;
  if (width > 0) std::memset(at(c, x, y), v, static_cast<size_t>(width));
  if (height > 2) {
    for (int row = y + 1; row <= y + height - 2; row++) {
      *at(c, x, row) = v;
      *at(c, x + width - 1, row) = v;
    }
  }
  const int bottom = height > 2 ? y + height - 1 : y + 1;
  if (width > 0) std::memset(at(c, x, bottom), v, static_cast<size_t>(width));
}

void canvas_draw_sprite(canvas *c, int x, int y, const void *sprite) {
  // Header of four native 32-bit fields: hot_x, hot_y, width, height.
  int32_t head[4];
  std::memcpy(head, sprite, sizeof head);
  const auto *pixels = static_cast<const uint8_t *>(sprite) + sizeof head;
  blit_clipped(pixels, head[2], head[2], head[3], c->pixels, c->pitch, c->width, c->height,
               x - head[0], y - head[1], blit_nt);
}

void draw_canvas(int x, int y, const canvas *c) {
  blit_clipped(c->pixels, c->pitch, c->width, c->height, vscrn, SCREEN_W, SCREEN_W, SCREEN_H, x, y,
               blit_no);
}

void draw_canvas_transparent(int x, int y, const canvas *c) {
  blit_clipped(c->pixels, c->pitch, c->width, c->height, vscrn, SCREEN_W, SCREEN_W, SCREEN_H, x, y,
               blit_nt);
}

void canvas_grab(canvas *c, int x, int y, int width, int height) {
  if (x > SCREEN_W - 1 || y > SCREEN_H - 1 || x + c->width <= 0 || y + c->height <= 0) return;
  int cw = x + width > SCREEN_W ? SCREEN_W - x : width;
  int ch = y + height > SCREEN_H ? SCREEN_H - y : height;
  int sx = x, sy = y, dx = 0, dy = 0;
  if (x < 0) {
    cw += x;
    sx = 0;
    dx = -x;
  }
  if (y < 0) {
    ch += y;
    sy = 0;
    dy = -y;
  }
  if (cw <= 0 || ch <= 0) return;
  blit_no(vscrn + sy * SCREEN_W + sx, SCREEN_W, at(c, dx, dy), c->pitch, cw, ch);
}

canvas *grab_canvas(int x, int y, int width, int height) {
  canvas *c = canvas_new(width, height);
  if (c) blit_no(vscrn + y * SCREEN_W + x, SCREEN_W, c->pixels, c->pitch, width, height);
  return c;
}
