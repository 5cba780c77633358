// One-colour primitives straight on the virtual screen (vscrn, 320x200,
// pitch 320). Each has its own edge rule; those that trust the caller still
// drop any pixel that would fall off the screen instead of writing past it.
#include "canvas/draw.h"
#include "canvas/canvas.h"
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr int64_t SCREEN_W = VSCRN_W;
constexpr int64_t SCREEN_H = VSCRN_H;

bool on_screen(int64_t x, int64_t y) {
  return x >= 0 && x < SCREEN_W && y >= 0 && y < SCREEN_H;
}

void plot(int64_t x, int64_t y, uint8_t colour) {
  if (on_screen(x, y)) vscrn[y * SCREEN_W + x] = colour;
}

// Columns x0..x1 (both included) of row y, cut to the screen.
void fill_row(int64_t x0, int64_t x1, int64_t y, uint8_t colour) {
  if (y < 0 || y >= SCREEN_H) return;
  x0 = std::max<int64_t>(x0, 0);
  x1 = std::min<int64_t>(x1, SCREEN_W - 1);
  if (x0 > x1) return;
  std::memset(vscrn + y * SCREEN_W + x0, colour, static_cast<size_t>(x1 - x0 + 1));
}

// The clipped span of draw_hline_clip, in 64 bits so that a disc's 2r + 1
// cannot overflow. Row 0 is never drawn.
void span_clip(int64_t x, int64_t y, int64_t length, uint8_t colour) {
  if (x > SCREEN_W - 1 || y > SCREEN_H - 1 || x + length <= 0 || y <= 0) return;
  int64_t n = std::min(length, SCREEN_W - x);
  if (x < 0) {
    n += x;
    x = 0;
  }
  if (n <= 0) return;
  std::memset(vscrn + y * SCREEN_W + x, colour, static_cast<size_t>(n));
}

} // namespace

void draw_hline_clip(int x, int y, int length, int colour) {
  span_clip(x, y, length, static_cast<uint8_t>(colour));
}

void draw_vline(int x, int y, int length, int colour) {
  if (length < 1 || x < 0 || x >= SCREEN_W) return;
  int64_t top = std::max<int64_t>(y, 0);
  int64_t bottom = std::min<int64_t>(int64_t{y} + length - 1, SCREEN_H - 1);
  for (int64_t row = top; row <= bottom; row++) vscrn[row * SCREEN_W + x] = static_cast<uint8_t>(colour);
}

void draw_line(int x0, int y0, int x1, int y1, int colour) {
  auto c = static_cast<uint8_t>(colour);
  if (y0 == y1) {
    fill_row(std::min(x0, x1), std::max(x0, x1), y0, c);
    return;
  }
  int64_t dx = int64_t{x1} - x0, dy = int64_t{y1} - y0;
  bool steep = (dy < 0 ? -dy : dy) > (dx < 0 ? -dx : dx);
  int64_t major0 = steep ? y0 : x0, minor0 = steep ? x0 : y0;
  int64_t major1 = steep ? y1 : x1, minor1 = steep ? x1 : y1;
  if (major0 > major1) {
    std::swap(major0, major1);
    std::swap(minor0, minor1);
  }
  // Differences of 32-bit coordinates fit in 32 unsigned bits, so the
  // products below fit in 64. dmajor >= 1 here: y0 != y1, and a line that is
  // not steep has |dx| >= |dy| > 0.
  auto dmajor = static_cast<uint64_t>(major1 - major0);
  auto dminor = static_cast<uint64_t>(minor1 > minor0 ? minor1 - minor0 : minor0 - minor1);
  int64_t step = minor0 < minor1 ? 1 : -1;
  uint64_t err0 = dmajor / 2;

  // Only the steps whose major coordinate is on screen can draw anything;
  // jump to the first of them. After k steps the error term has been lifted
  // by dmajor exactly m times, with m the least value keeping it in
  // [0, dmajor): m = ceil((k * dminor - err0) / dmajor), or 0.
  int64_t extent = steep ? SCREEN_H : SCREEN_W;
  int64_t first = std::max<int64_t>(0, -major0);
  int64_t last = std::min<int64_t>(static_cast<int64_t>(dmajor), extent - 1 - major0);
  if (first > last) return;
  auto k = static_cast<uint64_t>(first);
  uint64_t m = (k * dminor + (dmajor - 1 - err0)) / dmajor;
  uint64_t err = err0 + m * dmajor - k * dminor; // exact modulo 2^64, lies in [0, dmajor)
  int64_t minor = minor0 + step * static_cast<int64_t>(m);

  for (int64_t i = first; i <= last; i++) {
    int64_t major = major0 + i;
    if (steep)
      plot(minor, major, c);
    else
      plot(major, minor, c);
    if (err < dminor) {
      err = err + dmajor - dminor;
      minor += step;
    } else {
      err -= dminor;
    }
  }
}

void draw_rect(int x, int y, int width, int height, int colour) {
  if (x < 0 || y < 0) return;
  auto c = static_cast<uint8_t>(colour);
  int64_t left = x, right = int64_t{x} + width - 1;
  int64_t top = y;
  fill_row(left, right, top, c);
  if (height > 2) {
    int64_t bottom = top + height - 1;
    for (int64_t row = top + 1; row < bottom && row < SCREEN_H; row++) {
      plot(left, row, c);
      plot(right, row, c);
    }
    fill_row(left, right, bottom, c);
  } else {
    fill_row(left, right, top + 1, c);
  }
}

// Midpoint stepping from (0, r) along one octant, shared by outlines and
// discs (which differ only in the starting error f): visit(x, y) after each
// step, until y <= x.
namespace {
template <class F> void circle_octant(int64_t r, int64_t f, F visit) {
  int64_t ddx = 1, ddy = -2 * r, x = 0, y = r;
  do {
    if (f >= 0) {
      y--;
      ddy += 2;
      f += ddy;
    }
    x++;
    ddx += 2;
    f += ddx;
    visit(x, y);
  } while (y > x);
}
} // namespace

void draw_circle(int cx, int cy, int radius, int colour) {
  auto c = static_cast<uint8_t>(colour);
  int64_t x0 = cx, y0 = cy, r = radius;
  plot(x0, y0 + r, c);
  plot(x0, y0 - r, c);
  plot(x0 + r, y0, c);
  plot(x0 - r, y0, c);
  if (r <= 0) return;
  circle_octant(r, 1 - r, [&](int64_t x, int64_t y) {
    plot(x0 + x, y0 + y, c);
    plot(x0 - x, y0 + y, c);
    plot(x0 + x, y0 - y, c);
    plot(x0 - x, y0 - y, c);
    plot(x0 + y, y0 + x, c);
    plot(x0 - y, y0 + x, c);
    plot(x0 + y, y0 - x, c);
    plot(x0 - y, y0 - x, c);
  });
}

void draw_disc(int cx, int cy, int radius, int colour) {
  auto c = static_cast<uint8_t>(colour);
  int64_t x0 = cx, y0 = cy, r = radius;
  span_clip(x0 - r, y0, 2 * r + 1, c);
  if (r <= 0) return;
  circle_octant(r, -r, [&](int64_t x, int64_t y) {
    span_clip(x0 - x, y0 + y, 2 * x + 1, c);
    span_clip(x0 - x, y0 - y, 2 * x + 1, c);
    span_clip(x0 - y, y0 + x, 2 * y + 1, c);
    span_clip(x0 - y, y0 - x, 2 * y + 1, c);
  });
}
