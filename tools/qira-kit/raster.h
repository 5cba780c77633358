// A small drawing surface for the demo art: palette indices plus "nothing
// here", so figures can be drawn in layers, outlined and stamped.
#pragma once
#include "qira-kit/picture.h"
#include <cstdint>
#include <span>
#include <vector>

constexpr int RASTER_EMPTY = -1;

struct raster {
  int width = 0;
  int height = 0;
  std::vector<int16_t> px; // width * height; RASTER_EMPTY or a palette index
};

struct raster_point {
  float x;
  float y;
};

raster raster_new(int width, int height, int fill = RASTER_EMPTY);
// RASTER_EMPTY outside the surface.
int raster_get(const raster &r, int x, int y);
// Clipped: points outside are dropped.
void raster_set(raster &r, int x, int y, int colour);

void raster_rect(raster &r, int x, int y, int width, int height, int colour);
// Even-odd fill; a pixel is inside when its centre is.
void raster_polygon(raster &r, std::span<const raster_point> points, int colour);
void raster_disc(raster &r, raster_point centre, float radius, int colour);
// A line of the given thickness with round ends.
void raster_line(raster &r, raster_point a, raster_point b, float width, int colour);
void raster_polyline(raster &r, std::span<const raster_point> points, float width, int colour);

// Ordered-dither threshold of a pixel, in [0, 1).
float raster_dither(int x, int y);
// The ramp entry at position t (0 first, 1 last), dithered between neighbours.
int raster_ramp(std::span<const int> ramp, float t, int x, int y);
// Rows from t0 at the top to t1 at the bottom through the ramp.
void raster_vgradient(raster &r, int x, int y, int width, int height, std::span<const int> ramp,
                      float t0, float t1);

// Every empty pixel next to a filled one (8 neighbours) takes the colour.
void raster_outline(raster &r, int colour);
// Filled pixels of src onto dst with src's corner at (dx, dy).
void raster_stamp(raster &dst, const raster &src, int dx, int dy);
// Left-right mirror image.
raster raster_mirror(const raster &r);
// Copy of a rectangle (empty where it leaves the surface).
raster raster_crop(const raster &r, int x, int y, int width, int height);

// Text in the game's 8x8 font, each pixel a scale x scale block; every glyph
// row r in colour ramp[min(r, ramp.size() - 1)].
void raster_text(raster &r, int x, int y, const char *text, std::span<const int> ramp,
                 int scale = 1);
int raster_text_width(const char *text, int scale = 1);

// The picture, empty pixels as colour 0.
kit_picture raster_picture(const raster &r, const std::array<uint8_t, 768> &palette);
