// Filled shapes, thick lines, dithered ramps and outlines for the demo art.
#include "qira-kit/raster.h"
#include "canvas/vga-8x8.h"
#include <algorithm>
#include <cmath>
#include <cstring>

raster raster_new(int width, int height, int fill) {
  raster r;
  r.width = std::max(0, width);
  r.height = std::max(0, height);
  r.px.assign(static_cast<size_t>(r.width) * r.height, static_cast<int16_t>(fill));
  return r;
}

int raster_get(const raster &r, int x, int y) {
  if (x < 0 || y < 0 || x >= r.width || y >= r.height) return RASTER_EMPTY;
  return r.px[static_cast<size_t>(y) * r.width + x];
}

void raster_set(raster &r, int x, int y, int colour) {
  if (x < 0 || y < 0 || x >= r.width || y >= r.height) return;
  r.px[static_cast<size_t>(y) * r.width + x] = static_cast<int16_t>(colour);
}

void raster_rect(raster &r, int x, int y, int width, int height, int colour) {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + width, r.width), y1 = std::min(y + height, r.height);
  for (int yy = y0; yy < y1; yy++)
    for (int xx = x0; xx < x1; xx++)
      r.px[static_cast<size_t>(yy) * r.width + xx] = static_cast<int16_t>(colour);
}

void raster_polygon(raster &r, std::span<const raster_point> points, int colour) {
  const size_t n = points.size();
  if (n < 3) return;
  float top = points[0].y, bottom = points[0].y;
  for (const auto &p : points) {
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  const int y0 = std::max(0, static_cast<int>(std::floor(top)));
  const int y1 = std::min(r.height - 1, static_cast<int>(std::ceil(bottom)));
  std::vector<float> xs;
  for (int y = y0; y <= y1; y++) {
    const float cy = static_cast<float>(y) + 0.5f;
    xs.clear();
    for (size_t i = 0; i < n; i++) {
      const raster_point a = points[i], b = points[(i + 1) % n];
      // Half-open in y so a vertex shared by two edges counts once.
      if ((a.y <= cy && b.y > cy) || (b.y <= cy && a.y > cy))
        xs.push_back(a.x + (cy - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
      const int xa = std::max(0, static_cast<int>(std::ceil(xs[i] - 0.5f)));
      const int xb = std::min(r.width - 1, static_cast<int>(std::ceil(xs[i + 1] - 0.5f)) - 1);
      for (int x = xa; x <= xb; x++)
        r.px[static_cast<size_t>(y) * r.width + x] = static_cast<int16_t>(colour);
    }
  }
}

void raster_disc(raster &r, raster_point c, float radius, int colour) {
  const int x0 = static_cast<int>(std::floor(c.x - radius)),
            x1 = static_cast<int>(std::ceil(c.x + radius));
  const int y0 = static_cast<int>(std::floor(c.y - radius)),
            y1 = static_cast<int>(std::ceil(c.y + radius));
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) {
      const float dx = static_cast<float>(x) + 0.5f - c.x, dy = static_cast<float>(y) + 0.5f - c.y;
      if (dx * dx + dy * dy <= radius * radius) raster_set(r, x, y, colour);
    }
}

void raster_line(raster &r, raster_point a, raster_point b, float width, int colour) {
  const float h = width / 2;
  const int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - h));
  const int x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + h));
  const int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - h));
  const int y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + h));
  const float vx = b.x - a.x, vy = b.y - a.y;
  const float len2 = vx * vx + vy * vy;
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) {
      const float px = static_cast<float>(x) + 0.5f - a.x, py = static_cast<float>(y) + 0.5f - a.y;
      float t = len2 > 0 ? (px * vx + py * vy) / len2 : 0;
      t = std::clamp(t, 0.0f, 1.0f);
      const float dx = px - t * vx, dy = py - t * vy;
      if (dx * dx + dy * dy <= h * h) raster_set(r, x, y, colour);
    }
}

void raster_polyline(raster &r, std::span<const raster_point> points, float width, int colour) {
  for (size_t i = 0; i + 1 < points.size(); i++)
    raster_line(r, points[i], points[i + 1], width, colour);
}

float raster_dither(int x, int y) {
  static constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (static_cast<float>(bayer[y & 3][x & 3]) + 0.5f) / 16.0f;
}

int raster_ramp(std::span<const int> ramp, float t, int x, int y) {
  if (ramp.empty()) return RASTER_EMPTY;
  const float pos = std::clamp(t, 0.0f, 1.0f) * static_cast<float>(ramp.size() - 1);
  int i = static_cast<int>(std::floor(pos));
  if (pos - static_cast<float>(i) > raster_dither(x, y)) i++;
  return ramp[static_cast<size_t>(std::min<int>(i, static_cast<int>(ramp.size()) - 1))];
}

void raster_vgradient(raster &r, int x, int y, int width, int height, std::span<const int> ramp,
                      float t0, float t1) {
  for (int yy = 0; yy < height; yy++) {
    const float t =
        height > 1 ? t0 + (t1 - t0) * static_cast<float>(yy) / static_cast<float>(height - 1) : t0;
    for (int xx = 0; xx < width; xx++)
      raster_set(r, x + xx, y + yy, raster_ramp(ramp, t, x + xx, y + yy));
  }
}

void raster_outline(raster &r, int colour) {
  const raster before = r;
  for (int y = 0; y < r.height; y++)
    for (int x = 0; x < r.width; x++) {
      if (raster_get(before, x, y) != RASTER_EMPTY) continue;
      bool edge = false;
      for (int dy = -1; dy <= 1 && !edge; dy++)
        for (int dx = -1; dx <= 1 && !edge; dx++) {
          const int v = raster_get(before, x + dx, y + dy);
          edge = v != RASTER_EMPTY;
        }
      if (edge) raster_set(r, x, y, colour);
    }
}

void raster_stamp(raster &dst, const raster &src, int dx, int dy) {
  for (int y = 0; y < src.height; y++)
    for (int x = 0; x < src.width; x++) {
      const int v = src.px[static_cast<size_t>(y) * src.width + x];
      if (v != RASTER_EMPTY) raster_set(dst, x + dx, y + dy, v);
    }
}

raster raster_mirror(const raster &r) {
  raster m = r;
  for (int y = 0; y < r.height; y++)
    for (int x = 0; x < r.width; x++)
      m.px[static_cast<size_t>(y) * r.width + x] =
          r.px[static_cast<size_t>(y) * r.width + (r.width - 1 - x)];
  return m;
}

raster raster_crop(const raster &r, int x, int y, int width, int height) {
  raster c = raster_new(width, height);
  for (int yy = 0; yy < height; yy++)
    for (int xx = 0; xx < width; xx++) raster_set(c, xx, yy, raster_get(r, x + xx, y + yy));
  return c;
}

void raster_text(raster &r, int x, int y, const char *text, std::span<const int> ramp, int scale) {
  if (!text || ramp.empty()) return;
  for (size_t i = 0; text[i]; i++) {
    const auto code = static_cast<unsigned char>(text[i]);
    for (int row = 0; row < 8; row++) {
      const uint8_t bits = vga_8x8[code * 8 + row];
      const int colour = ramp[std::min<size_t>(static_cast<size_t>(row), ramp.size() - 1)];
      for (int bit = 0; bit < 8; bit++)
        if (bits & (0x80 >> bit))
          raster_rect(r, x + (static_cast<int>(i) * 8 + bit) * scale, y + row * scale, scale, scale,
                      colour);
    }
  }
}

int raster_text_width(const char *text, int scale) {
  return text ? static_cast<int>(std::strlen(text)) * 8 * scale : 0;
}

kit_picture raster_picture(const raster &r, const std::array<uint8_t, 768> &palette) {
  kit_picture pic;
  pic.width = r.width;
  pic.height = r.height;
  pic.palette = palette;
  pic.pixels.resize(r.px.size());
  for (size_t i = 0; i < r.px.size(); i++)
    pic.pixels[i] = r.px[i] == RASTER_EMPTY ? 0 : static_cast<uint8_t>(r.px[i]);
  return pic;
}
