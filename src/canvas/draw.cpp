// One-colour primitives straight on the virtual screen (vscrn, 320x200,
// pitch 320). Each has its own edge rule; those that trust the caller still
// drop any pixel that would fall off the screen instead of writing past it.
#include "canvas/draw.h"
#include "canvas/canvas.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr int64_t SCREEN_W = VSCRN_W;
constexpr int64_t SCREEN_H = VSCRN_H;

bool on_screen(int64_t x, int64_t y) { return x >= 0 && x < SCREEN_W && y >= 0 && y < SCREEN_H; }

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
  for (int64_t row = top; row <= bottom; row++)
    vscrn[row * SCREEN_W + x] = static_cast<uint8_t>(colour);
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
// discs: after the step to x the stepper holds y(x), the largest y with
// x^2 + y^2 - y < r^2 + bias (bias 0 for outlines, 1 for discs, whose
// starting error is one lower), and it steps x = 1, 2, ... up to the first x
// with y(x) <= x. Computing y(x) directly lets a huge circle visit only the
// steps that can reach the screen, as draw_line does.
namespace {
// In 64 bits, where the squares of values up to 2^31 + 1 fit.
struct octant {
  int64_t r, bias, last; // last: the final x stepped
};

// Largest y >= 0 with x^2 + y^2 - y < r^2 + bias (x <= r).
int64_t octant_y(const octant &o, int64_t x) {
  const int64_t room = o.r * o.r + o.bias - x * x;
  auto y = static_cast<int64_t>(std::sqrt(static_cast<long double>(room)) + 0.5L);
  while (y > 0 && y * y - y >= room) y--;
  while ((y + 1) * (y + 1) - (y + 1) < room) y++;
  return y;
}

octant octant_of(int64_t r, int64_t bias) {
  octant o{r, bias, r};
  int64_t lo = 1, hi = r; // the first x with y(x) <= x lies in 1..r
  while (lo < hi) {
    const int64_t mid = lo + (hi - lo) / 2;
    if (octant_y(o, mid) <= mid)
      hi = mid;
    else
      lo = mid + 1;
  }
  o.last = lo;
  return o;
}

// Calls visit(x) for each stepped x with |c - x| or |c + x| in 0..extent-1:
// the steps whose offset x can put a point on a screen axis centred at c.
template <class F> void octant_steps_near(const octant &o, int64_t c, int64_t extent, F visit) {
  for (int64_t sign : {1, -1}) {
    // c + sign * x in [0, extent)
    int64_t lo = sign > 0 ? -c : c - (extent - 1), hi = sign > 0 ? extent - 1 - c : c;
    lo = std::max<int64_t>(lo, 1);
    hi = std::min(hi, o.last);
    for (int64_t x = lo; x <= hi; x++) visit(x);
  }
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
  const octant o = octant_of(r, 0);
  // Every point of a step has x as its offset on one axis.
  auto step = [&](int64_t x) {
    const int64_t y = octant_y(o, x);
    plot(x0 + x, y0 + y, c);
    plot(x0 - x, y0 + y, c);
    plot(x0 + x, y0 - y, c);
    plot(x0 - x, y0 - y, c);
    plot(x0 + y, y0 + x, c);
    plot(x0 - y, y0 + x, c);
    plot(x0 + y, y0 - x, c);
    plot(x0 - y, y0 - x, c);
  };
  octant_steps_near(o, x0, SCREEN_W, step);
  octant_steps_near(o, y0, SCREEN_H, step);
}

void draw_disc(int cx, int cy, int radius, int colour) {
  auto c = static_cast<uint8_t>(colour);
  int64_t x0 = cx, y0 = cy, r = radius;
  span_clip(x0 - r, y0, 2 * r + 1, c);
  if (r <= 0) return;
  const octant o = octant_of(r, 1);
  // Rows y0 +- x, for the steps whose x reaches a screen row.
  octant_steps_near(o, y0, SCREEN_H, [&](int64_t x) {
    const int64_t y = octant_y(o, x);
    span_clip(x0 - y, y0 + x, 2 * y + 1, c);
    span_clip(x0 - y, y0 - x, 2 * y + 1, c);
  });
  // Rows y0 +- d, each at its widest: the last step whose y is d.
  for (int64_t sign : {1, -1}) {
    int64_t lo = sign > 0 ? -y0 : y0 - (SCREEN_H - 1), hi = sign > 0 ? SCREEN_H - 1 - y0 : y0;
    lo = std::max(lo, octant_y(o, o.last));
    hi = std::min(hi, r);
    for (int64_t d = lo; d <= hi; d++) {
      // The largest x with x^2 + d^2 - d < r^2 + 1, if the stepper reached it with y = d.
      const int64_t room = r * r + 1 - (d * d - d);
      if (room <= 1) continue;
      auto x = static_cast<int64_t>(std::sqrt(static_cast<long double>(room - 1)));
      while (x > 0 && x * x > room - 1) x--;
      while ((x + 1) * (x + 1) <= room - 1) x++;
      x = std::min(x, o.last);
      if (x < 1 || octant_y(o, x) != d) continue;
      span_clip(x0 - x, y0 + sign * d, 2 * x + 1, c);
    }
  }
}
