// The demo pictures, drawn in code. Everything is deterministic: the same
// qira-kit draws the same bytes every time.
#include "qira-kit/demo_art.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr float PI = 3.14159265f;

raster_point operator+(raster_point a, raster_point b) { return {a.x + b.x, a.y + b.y}; }
raster_point operator-(raster_point a, raster_point b) { return {a.x - b.x, a.y - b.y}; }
raster_point operator*(raster_point a, float s) { return {a.x * s, a.y * s}; }

// A small fixed generator, so stars and texture come out the same each run.
struct art_random {
  uint32_t state;
  uint32_t next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
  int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
  float unit() { return static_cast<float>(next() & 0xFFFF) / 65536.0f; }
};

// Sets every pixel that is filled in mask to colour(x, y).
template <class F> void paint(raster &r, const raster &mask, F colour) {
  for (int y = 0; y < mask.height; y++)
    for (int x = 0; x < mask.width; x++)
      if (raster_get(mask, x, y) != RASTER_EMPTY) raster_set(r, x, y, colour(x, y));
}

raster polygon_mask(std::initializer_list<raster_point> pts) {
  raster m = raster_new(VSCRN_W, VSCRN_H);
  std::vector<raster_point> v(pts);
  raster_polygon(m, v, 1);
  return m;
}

// A skyline from the left edge to the right one, closed down to `bottom`.
template <class F> std::vector<raster_point> skyline(F height_at, float bottom, int step = 4) {
  std::vector<raster_point> v;
  for (int x = -step; x <= VSCRN_W + step; x += step)
    v.push_back({static_cast<float>(x), height_at(static_cast<float>(x))});
  v.push_back({static_cast<float>(VSCRN_W + step), bottom});
  v.push_back({static_cast<float>(-step), bottom});
  return v;
}

// Text with a one-pixel outline, so it reads over any picture.
void outlined_text(raster &r, int x, int y, const char *text, std::span<const int> ramp,
                   int outline, int scale = 1) {
  raster layer = raster_new(r.width, r.height);
  raster_text(layer, x, y, text, ramp, scale);
  raster_outline(layer, outline);
  raster_stamp(r, layer, 0, 0);
}

void centred_text(raster &r, int y, const char *text, std::span<const int> ramp, int outline,
                  int scale = 1) {
  outlined_text(r, (VSCRN_W - raster_text_width(text, scale)) / 2, y, text, ramp, outline, scale);
}

// The move frames: guard/jab, chamber/front kick, crouch/uppercut, low/sweep.
// Limb segments are about 6 pixels, the torso 8, the head's radius 3.2.
constexpr fighter_pose frames[2 * ART_MOVES] = {
    // guard
    {{23.5f, 4.8f},
     {22.5f, 8.8f},
     {21, 17},
     {27, 13.5f},
     {30, 8.8f},
     {24.5f, 15},
     {27, 10.8f},
     {25.5f, 21.5f},
     {27.5f, 27},
     {17.5f, 21.8f},
     {14.5f, 27}},
    // jab
    {{26, 5},
     {24.5f, 9},
     {22, 17},
     {30.2f, 10},
     {36.2f, 9.8f},
     {25, 15.5f},
     {28, 11.2f},
     {27.5f, 21.8f},
     {30.5f, 27},
     {17.5f, 22},
     {13.5f, 27}},
    // chamber
    {{20.5f, 4.8f},
     {20.5f, 8.8f},
     {21, 17},
     {25, 13},
     {27.5f, 9},
     {18, 14.5f},
     {22, 12},
     {27, 14.8f},
     {25.5f, 21},
     {21.5f, 22},
     {20.5f, 27}},
    // front kick
    {{17.2f, 5.8f},
     {18.5f, 9.8f},
     {21.5f, 17.5f},
     {22.5f, 14.5f},
     {26, 11.5f},
     {14.5f, 14},
     {11.5f, 17.5f},
     {27.6f, 15.3f},
     {34.6f, 13.6f},
     {21, 22.5f},
     {20, 27}},
    // crouch
    {{24, 8.2f},
     {22.5f, 12},
     {20, 19.5f},
     {22.5f, 18.5f},
     {27, 17.2f},
     {25, 16},
     {27.8f, 12.2f},
     {26, 21.5f},
     {27.5f, 27},
     {15.2f, 23},
     {13.8f, 27}},
    // uppercut
    {{25.5f, 4.6f},
     {24.5f, 8.6f},
     {22, 16.5f},
     {28.6f, 8.2f},
     {30.2f, 3.2f},
     {22.5f, 14},
     {26, 11.6f},
     {27, 21},
     {28.5f, 27},
     {18, 21.5f},
     {15.5f, 27}},
    // low stance
    {{27.2f, 11},
     {25.2f, 14.5f},
     {21.5f, 21.5f},
     {29, 18.5f},
     {32, 15.2f},
     {25, 20.5f},
     {28.5f, 18.2f},
     {27.5f, 22.2f},
     {29, 27},
     {16.5f, 24.5f},
     {13, 27}},
    // sweep
    {{15.5f, 11.5f},
     {17.5f, 15},
     {21, 22},
     {21.5f, 18.5f},
     {25, 16.5f},
     {14, 19.5f},
     {12.5f, 25.5f},
     {27, 25},
     {33.5f, 26.2f},
     {19, 25.2f},
     {25, 27.2f}},
};

} // namespace

int art_add(art_palette &p, art_rgb c) {
  if (p.count >= 256) return 255;
  for (int i = 0; i < 3; i++)
    p.rgb[static_cast<size_t>(p.count * 3 + i)] = static_cast<uint8_t>(std::clamp(c[i], 0, 255));
  return p.count++;
}

int art_add_st(art_palette &p, int r, int g, int b) {
  auto level = [](int v) { return std::clamp(v, 0, 7) * 73 >> 1; };
  return art_add(p, {level(r), level(g), level(b)});
}

std::vector<int> art_add_ramp(art_palette &p, std::initializer_list<art_rgb> stops, int n) {
  std::vector<art_rgb> s(stops);
  std::vector<int> out;
  for (int i = 0; i < n; i++) {
    const float t = n > 1 ? static_cast<float>(i) / static_cast<float>(n - 1) : 0;
    const float pos = t * static_cast<float>(s.size() - 1);
    const size_t a = std::min(static_cast<size_t>(pos), s.size() - 1),
                 b = std::min(a + 1, s.size() - 1);
    const float f = pos - static_cast<float>(a);
    art_rgb c{};
    for (int k = 0; k < 3; k++)
      c[k] = static_cast<int>(
          std::lround(static_cast<float>(s[a][k]) * (1 - f) + static_cast<float>(s[b][k]) * f));
    out.push_back(art_add(p, c));
  }
  return out;
}

const fighter_pose &art_frame(int k) { return frames[static_cast<size_t>(k) % std::size(frames)]; }

void art_draw_fighter(raster &r, const fighter_pose &p, const fighter_look &look, float scale,
                      raster_point at) {
  auto q = [&](raster_point v) { return at + v * scale; };
  auto line = [&](raster_point a, raster_point b, float w, int c) {
    raster_line(r, q(a), q(b), w * scale, c);
  };
  const raster_point shoulder = p.neck + (p.hip - p.neck) * 0.15f;
  // Toes point forward of the shin, a quarter turn from it.
  auto foot = [&](raster_point knee, raster_point ankle, int c) {
    raster_point s = ankle - knee;
    const float len = std::hypot(s.x, s.y);
    if (len > 0) s = s * (1 / len);
    line(ankle, ankle + raster_point{s.y, -s.x} * 2.4f, 2.2f, c);
  };

  // Far side first, in the darker shades.
  line(p.hip, p.far_knee, 4.2f, look.gi_dark);
  line(p.far_knee, p.far_foot, 3.6f, look.gi_dark);
  foot(p.far_knee, p.far_foot, look.skin_dark);
  line(shoulder, p.far_elbow, 3.0f, look.gi_dark);
  line(p.far_elbow, p.far_hand, 2.6f, look.gi_dark);
  raster_disc(r, q(p.far_hand), 1.8f * scale, look.skin_dark);

  const raster_point back = p.head - raster_point{3.0f, 0};
  if (look.ponytail)
    line(back + raster_point{0.5f, -1.2f}, back + raster_point{-3.0f, 2.2f}, 2.0f, look.hair);
  if (look.band != RASTER_EMPTY)
    line(back + raster_point{0.5f, -0.8f}, back + raster_point{-3.2f, 1.0f}, 1.2f, look.band);

  line(p.head, p.neck, 2.4f, look.skin_dark);
  line(p.neck, p.hip, 6.4f, look.gi);
  // The lapels' V and the belt across the waist.
  const raster_point axis = p.hip - p.neck;
  const float alen = std::hypot(axis.x, axis.y);
  const raster_point across =
      alen > 0 ? raster_point{-axis.y / alen, axis.x / alen} : raster_point{1, 0};
  line(p.neck + across * 1.2f, p.neck + axis * 0.35f, 1.0f, look.gi_dark);
  const raster_point waist = p.hip - axis * 0.14f;
  line(waist - across * 3.1f, waist + across * 3.1f, 1.8f, look.belt);

  // Head: skin, with hair over the top and back.
  const raster_point hc = q(p.head);
  const float hr = 3.2f * scale;
  for (int y = static_cast<int>(std::floor(hc.y - hr)); y <= static_cast<int>(std::ceil(hc.y + hr));
       y++)
    for (int x = static_cast<int>(std::floor(hc.x - hr));
         x <= static_cast<int>(std::ceil(hc.x + hr)); x++) {
      const float dx = (static_cast<float>(x) + 0.5f - hc.x) / scale,
                  dy = (static_cast<float>(y) + 0.5f - hc.y) / scale;
      if (dx * dx + dy * dy > 3.2f * 3.2f) continue;
      const bool hair = !look.bald && (dy < -1.0f || (dx < -1.2f && dy < 1.6f));
      raster_set(r, x, y, hair ? look.hair : look.skin);
    }
  if (look.band != RASTER_EMPTY)
    line(p.head + raster_point{-3.0f, -1.2f}, p.head + raster_point{2.6f, -1.2f}, 1.1f, look.band);
  raster_disc(r, q(p.head + raster_point{1.7f, -0.1f}), 0.55f * scale, look.outline);

  // Near side.
  line(p.hip, p.near_knee, 4.4f, look.gi);
  line(p.near_knee, p.near_foot, 3.8f, look.gi);
  foot(p.near_knee, p.near_foot, look.skin);
  line(shoulder, p.near_elbow, 3.2f, look.gi);
  line(p.near_elbow, p.near_hand, 2.8f, look.gi);
  raster_disc(r, q(p.near_hand), 2.0f * scale, look.skin);
}

raster art_frame_cell(const raster &background, const fighter_look &look, int k, bool mirror) {
  raster cell =
      raster_crop(background, FIGHTER_CELL_X, FIGHTER_CELL_Y, FIGHTER_CELL_W, FIGHTER_CELL_H);
  raster figure = raster_new(FIGHTER_CELL_W, FIGHTER_CELL_H);
  art_draw_fighter(figure, art_frame(k), look, 1.0f, {0, 0});
  raster_outline(figure, look.outline);
  if (mirror) figure = raster_mirror(figure);
  raster_stamp(cell, figure, 0, 0);
  return cell;
}

raster art_sheet(const raster &background, const fighter_look &look, int pairs, bool mirror) {
  raster sheet = raster_new(VSCRN_W, VSCRN_H, look.outline);
  for (int k = 0; k < 2 * pairs; k++)
    raster_stamp(sheet, art_frame_cell(background, look, k, mirror), fighter_frame_x(k),
                 fighter_frame_y(k));
  return sheet;
}

// ---------------------------------------------------------------------------
// Title: the name in big bevelled gold letters over a sunset, two fighters
// facing off on a tiled floor.

namespace {

// Letter strokes in a unit box (x 0..1, y 0..1).
using stroke = std::vector<raster_point>;

std::vector<stroke> letter_strokes(char c) {
  std::vector<stroke> s;
  auto arc = [](raster_point centre, float rx, float ry, float a0, float a1, int n) {
    stroke v;
    for (int i = 0; i <= n; i++) {
      const float a = a0 + (a1 - a0) * static_cast<float>(i) / static_cast<float>(n);
      v.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
    }
    return v;
  };
  switch (c) {
  case 'Q':
    s.push_back(arc({0.5f, 0.5f}, 0.5f, 0.5f, 0, 2 * PI, 40));
    s.push_back({{0.56f, 0.66f}, {0.98f, 1.0f}});
    break;
  case 'I':
    s.push_back({{0.5f, 0}, {0.5f, 1}});
    s.push_back({{0.1f, 0}, {0.9f, 0}});
    s.push_back({{0.1f, 1}, {0.9f, 1}});
    break;
  case 'R': {
    stroke bowl{{0, 0}, {0.56f, 0}};
    const stroke round = arc({0.56f, 0.26f}, 0.42f, 0.26f, -PI / 2, PI / 2, 16);
    bowl.insert(bowl.end(), round.begin(), round.end());
    bowl.push_back({0, 0.52f});
    s.push_back({{0, 0}, {0, 1}});
    s.push_back(bowl);
    s.push_back({{0.42f, 0.52f}, {1, 1}});
    break;
  }
  case 'A':
    s.push_back({{0, 1}, {0.5f, 0}, {1, 1}});
    s.push_back({{0.24f, 0.66f}, {0.76f, 0.66f}});
    break;
  default: break;
  }
  return s;
}

// Draws a word in strokes of the given width into a layer, slanted forward.
void big_word(raster &layer, const char *word, float x, float y, float letter_w, float narrow_w,
              float h, float gap, float width, float slant, int colour) {
  const float hs = width / 2;
  for (const char *c = word; *c; c++) {
    const float w = *c == 'I' ? narrow_w : letter_w;
    for (const stroke &st : letter_strokes(*c)) {
      stroke mapped;
      for (const raster_point &u : st)
        mapped.push_back(
            {x + hs + u.x * (w - 2 * hs) + (1 - u.y) * slant, y + hs + u.y * (h - 2 * hs)});
      raster_polyline(layer, mapped, width, colour);
    }
    x += w + gap;
  }
}

} // namespace

art_scene art_title() {
  art_scene s;
  art_palette &p = s.palette;
  const int black = art_add_st(p, 0, 0, 0);
  const std::vector<int> sky = {art_add_st(p, 0, 0, 2), art_add_st(p, 1, 0, 3),
                                art_add_st(p, 3, 0, 4), art_add_st(p, 5, 1, 4),
                                art_add_st(p, 7, 2, 3), art_add_st(p, 7, 4, 2)};
  const int sun = art_add_st(p, 7, 6, 3);
  const int hills = art_add_st(p, 2, 0, 3);
  const int grid = art_add_st(p, 5, 1, 5);
  const int gold_dark = art_add_st(p, 4, 2, 0);
  const int gold = art_add_st(p, 6, 4, 0);
  const int gold_light = art_add_st(p, 7, 6, 1);
  const int shine = art_add_st(p, 7, 7, 6);
  const int floor_dark = art_add_st(p, 1, 0, 1);
  const int white = art_add_st(p, 7, 7, 7);

  raster r = raster_new(VSCRN_W, VSCRN_H, black);
  constexpr int horizon = 132;
  std::vector<int> sky_ramp = sky;
  raster_vgradient(r, 0, 0, VSCRN_W, horizon, sky_ramp, 0, 1);
  // A sun sinking behind the hills, cut by the horizontal bands of a heat haze.
  for (int y = horizon - 44; y < horizon; y++)
    for (int x = 110; x < 210; x++) {
      const float dx = static_cast<float>(x) + 0.5f - 160,
                  dy = static_cast<float>(y) + 0.5f - horizon;
      const int band = (horizon - y);
      const bool cut = band < 24 && (band % 6) < (24 - band) / 6;
      if (dx * dx + dy * dy <= 42 * 42 && !cut) raster_set(r, x, y, sun);
    }
  const auto ridge = skyline(
      [](float x) {
        const float valley = std::min(1.0f, std::abs(x - 160) / 120);
        return horizon - 4 - valley * (18 + 9 * std::sin(x * 0.045f) + 5 * std::sin(x * 0.13f + 1));
      },
      horizon + 1);
  raster_polygon(r, ridge, hills);
  // Floor: dark, with a perspective grid glowing towards the horizon.
  raster_rect(r, 0, horizon, VSCRN_W, VSCRN_H - horizon, floor_dark);
  for (int i = 0; i < 9; i++) {
    const float f = static_cast<float>(i + 1) / 9;
    const int y = horizon + static_cast<int>(std::lround(f * f * (VSCRN_H - horizon)));
    raster_rect(r, 0, y, VSCRN_W, 1, grid);
  }
  for (int i = -12; i <= 12; i++)
    raster_line(r, {160.0f + static_cast<float>(i) * 8, static_cast<float>(horizon)},
                {160.0f + static_cast<float>(i) * 60, 200}, 1.0f, grid);
  raster_rect(r, 0, horizon, VSCRN_W, 1, sky.back());

  // Two fighters in silhouette, rimmed by the sunset.
  fighter_look dark{};
  dark.outline = dark.skin = dark.skin_dark = dark.hair = dark.gi = dark.gi_dark = dark.belt =
      black;
  dark.ponytail = true;
  raster fighters = raster_new(VSCRN_W, VSCRN_H);
  art_draw_fighter(fighters, art_frame(0), dark, 2.4f, {18, 124});
  raster right = raster_new(VSCRN_W, VSCRN_H);
  dark.ponytail = false;
  art_draw_fighter(right, art_frame(2), dark, 2.4f, {18, 124});
  raster_stamp(fighters, raster_mirror(right), 0, 0);
  raster_outline(fighters, sky[4]);
  raster_stamp(r, fighters, 0, 0);

  // The name: gold strokes, lit from the top left, outlined twice in black,
  // with a drop shadow.
  raster word = raster_new(VSCRN_W, VSCRN_H);
  constexpr float top = 16, height = 68;
  big_word(word, "QIRA", 44, top, 58, 34, height, 12, 15, 10, gold);
  raster shape = word;
  raster_outline(shape, black);
  raster_outline(shape, black);
  raster drop = shape;
  for (auto &v : drop.px)
    if (v != RASTER_EMPTY) v = static_cast<int16_t>(black);
  raster_stamp(r, drop, 4, 4);
  const std::vector<int> metal = {gold_dark, gold, gold_light, shine};
  paint(word, word, [&](int x, int y) {
    const float t = (static_cast<float>(y) - top) / height;
    // Chrome: bright above a hard line at the middle, dark rising to gold below.
    float v = t < 0.5f ? 1.0f - t * 0.9f : 0.05f + (t - 0.5f) * 1.2f;
    if (raster_get(word, x - 1, y - 1) == RASTER_EMPTY)
      v = 1.0f;
    else if (raster_get(word, x + 1, y + 1) == RASTER_EMPTY)
      v = 0.0f;
    return raster_ramp(metal, v, x, y);
  });
  raster_stamp(shape, word, 0, 0);
  raster_stamp(r, shape, 0, 0);

  const std::vector<int> text_ramp = {shine, shine, gold_light, gold_light,
                                      gold,  gold,  gold_dark,  gold_dark};
  centred_text(r, 96, "A TWO-PLAYER FIGHTING SHOWCASE", text_ramp, black);
  const std::vector<int> white_ramp = {white};
  centred_text(r, 187, "PRESS FIRE", white_ramp, black);
  s.picture = std::move(r);
  return s;
}

// ---------------------------------------------------------------------------
// The icon: the title's gold Q over its sunset, on a tile with round corners.
// Drawn in full colour; all lengths are in 256ths of the size.

art_scene art_icon(int size) {
  art_scene s;
  art_palette &p = s.palette;
  const int black = art_add(p, {0, 0, 0});
  const std::vector<int> sky = art_add_ramp(
      p, {{0, 0, 73}, {36, 0, 109}, {109, 0, 146}, {182, 36, 146}, {255, 73, 109}, {255, 146, 73}},
      48);
  const int sun = art_add(p, {255, 219, 109});
  const int floor_dark = art_add(p, {36, 0, 36});
  const int grid = art_add(p, {182, 36, 182});
  const std::vector<int> metal =
      art_add_ramp(p, {{146, 73, 0}, {219, 146, 0}, {255, 219, 36}, {255, 255, 219}}, 32);

  const float u = static_cast<float>(size) / 256;
  raster r = raster_new(size, size);
  const float horizon = 184 * u;
  raster_vgradient(r, 0, 0, size, static_cast<int>(horizon), sky, 0, 1);
  raster_disc(r, {128 * u, horizon}, 92 * u, sun);
  raster_rect(r, 0, static_cast<int>(horizon), size, size, floor_dark);
  for (int i = -3; i <= 3; i++)
    raster_line(r, {128 * u + static_cast<float>(i) * 24 * u, horizon},
                {128 * u + static_cast<float>(i) * 80 * u, 256 * u}, 5 * u, grid);
  raster_rect(r, 0, static_cast<int>(horizon), size, std::max(1, static_cast<int>(5 * u)),
              sky.back());

  // The letter in black strokes, then gold ones along the same middle line,
  // so the outline keeps its width at every size.
  constexpr float left = 28, top = 30, box = 184, outer = 44, inner = 24, slant = 16;
  auto letter = [&](float stroke, int colour) {
    const float in = (outer - stroke) / 2;
    raster l = raster_new(size, size);
    big_word(l, "Q", (left + in) * u, (top + in) * u, (box - 2 * in) * u, 0, (box - 2 * in) * u, 0,
             stroke * u, slant * u, colour);
    return l;
  };
  const raster shape = letter(outer, black);
  raster_stamp(r, shape, static_cast<int>(6 * u), static_cast<int>(6 * u));
  raster_stamp(r, shape, 0, 0);
  paint(r, letter(inner, black), [&](int x, int y) {
    const float t = (static_cast<float>(y) / u - top) / box;
    // Chrome, as on the title: bright above a line at the middle, dark rising below.
    const float v = t < 0.5f ? 1.0f - t * 0.9f : 0.05f + (t - 0.5f) * 1.2f;
    return raster_ramp(metal, v, x, y);
  });

  // The tile's round corners; the margin is left empty.
  const float lo = 8 * u, hi = 248 * u, round = 40 * u;
  for (int y = 0; y < size; y++)
    for (int x = 0; x < size; x++) {
      const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
      const float dx = std::max({lo + round - px, px - (hi - round), 0.0f});
      const float dy = std::max({lo + round - py, py - (hi - round), 0.0f});
      if (px < lo || px > hi || py < lo || py > hi || dx * dx + dy * dy > round * round)
        raster_set(r, x, y, RASTER_EMPTY);
    }
  s.picture = std::move(r);
  return s;
}

// ---------------------------------------------------------------------------
// Selection background: dark and calm, so the list written over it reads.

art_scene art_select() {
  art_scene s;
  art_palette &p = s.palette;
  const int black = art_add_st(p, 0, 0, 0);
  const std::vector<int> night = {art_add_st(p, 0, 0, 1), art_add_st(p, 0, 0, 2),
                                  art_add_st(p, 1, 1, 2), art_add_st(p, 1, 1, 3)};
  const int emblem = art_add_st(p, 1, 1, 3);
  const int emblem_edge = art_add_st(p, 2, 2, 4);
  const int rule = art_add_st(p, 3, 2, 5);
  const int figure = art_add_st(p, 0, 0, 1);
  const int figure_rim = art_add_st(p, 2, 1, 3);

  raster r = raster_new(VSCRN_W, VSCRN_H, black);
  raster_vgradient(r, 0, 0, VSCRN_W, 188, night, 0.15f, 1.0f);
  // A large ghost of the name's first letter at the top right.
  raster q = raster_new(VSCRN_W, VSCRN_H);
  big_word(q, "Q", 206, 14, 96, 96, 104, 0, 14, 10, emblem);
  raster_outline(q, emblem_edge);
  raster_stamp(r, q, 0, 0);
  // Two fighters squaring up below it, hardly lighter than the night.
  fighter_look dark{};
  dark.outline = dark.skin = dark.skin_dark = dark.hair = dark.gi = dark.gi_dark = dark.belt =
      figure;
  raster pair = raster_new(VSCRN_W, VSCRN_H);
  art_draw_fighter(pair, art_frame(0), dark, 2.0f, {176, 126});
  raster other = raster_new(VSCRN_W, VSCRN_H);
  art_draw_fighter(other, art_frame(4), dark, 2.0f, {0, 126});
  raster_stamp(pair, raster_mirror(other), 0, 0);
  raster_outline(pair, figure_rim);
  raster_stamp(r, pair, 0, 0);
  // The status line's strip.
  raster_rect(r, 0, 188, VSCRN_W, 12, black);
  raster_rect(r, 0, 188, VSCRN_W, 1, rule);
  s.picture = std::move(r);
  return s;
}

// ---------------------------------------------------------------------------
// Fight backgrounds. Each has a stage whose top surface runs under the
// attack cell, so the fighters' feet (cell row 28) stand on it at y 88.

namespace {

// Fighter palettes share these colours.
struct fighter_colours {
  int black, skin, skin_dark, hair;
};

fighter_colours add_people(art_palette &p) {
  fighter_colours c{};
  c.black = art_add_st(p, 0, 0, 0);
  c.skin = art_add_st(p, 7, 5, 4);
  c.skin_dark = art_add_st(p, 5, 3, 2);
  c.hair = art_add_st(p, 2, 1, 0);
  return c;
}

fighter_look look_of(const fighter_colours &c, int gi, int gi_dark, int belt) {
  fighter_look l;
  l.outline = c.black;
  l.skin = c.skin;
  l.skin_dark = c.skin_dark;
  l.hair = c.hair;
  l.gi = gi;
  l.gi_dark = gi_dark;
  l.belt = belt;
  return l;
}

// Steps down from a stage: treads, risers and a shadow line.
void stairs(raster &r, int y, int x0, int x1, int count, int spread, int tread, int riser,
            int shadow) {
  for (int i = 0; i < count; i++) {
    const int yy = y + 6 * i, a = x0 - spread * i, b = x1 + spread * i;
    raster_rect(r, a, yy, b - a, 2, tread);
    raster_rect(r, a, yy + 2, b - a, 3, riser);
    raster_rect(r, a, yy + 5, b - a, 1, shadow);
  }
}

} // namespace

art_scene art_temple() {
  art_scene s;
  art_palette &p = s.palette;
  const fighter_colours people = add_people(p);
  const int white = art_add_st(p, 7, 7, 7);
  const int pale = art_add_st(p, 5, 5, 6);
  const int red = art_add_st(p, 6, 1, 1);
  const int red_dark = art_add_st(p, 4, 0, 1);
  const std::vector<int> sky = {art_add_st(p, 1, 0, 3), art_add_st(p, 2, 1, 4),
                                art_add_st(p, 4, 1, 4), art_add_st(p, 6, 2, 3),
                                art_add_st(p, 7, 4, 2)};
  const int stone = art_add_st(p, 3, 3, 4);
  const int stone_dark = art_add_st(p, 1, 1, 2);
  const int sun = art_add_st(p, 7, 6, 3);

  fighter_look kesh = look_of(people, white, pale, people.hair);
  kesh.band = red;
  fighter_look ryna = look_of(people, red, red_dark, people.hair);
  ryna.ponytail = true;
  s.looks = {kesh, ryna};

  raster r = raster_new(VSCRN_W, VSCRN_H, people.black);
  constexpr int horizon = 84;
  std::vector<int> sky_ramp = sky;
  sky_ramp.push_back(sun);
  raster_vgradient(r, 0, 0, VSCRN_W, horizon, sky_ramp, 0, 1.05f);
  raster_disc(r, {150, 84}, 24, sun);
  // Mountains at the sides, a valley where the sun sets.
  const auto far = skyline(
      [](float x) {
        const float side = std::min(1.0f, std::abs(x - 150) / 110);
        return horizon - side * (30 + 8 * std::sin(x * 0.07f) + 4 * std::sin(x * 0.21f));
      },
      horizon + 2);
  raster_polygon(r, far, sky[2]);
  const auto near = skyline(
      [](float x) {
        const float side = std::min(1.0f, std::abs(x - 150) / 140);
        return horizon + 2 - side * (16 + 6 * std::sin(x * 0.11f + 2));
      },
      horizon + 4);
  raster_polygon(r, near, stone_dark);
  // Courtyard floor in perspective.
  raster_vgradient(r, 0, horizon, VSCRN_W, VSCRN_H - horizon, std::vector<int>{stone_dark, stone},
                   0, 1);
  for (int i = 1; i < 8; i++) {
    const float f = static_cast<float>(i) / 8;
    raster_rect(r, 0, horizon + static_cast<int>(f * f * (VSCRN_H - horizon)), VSCRN_W, 1,
                stone_dark);
  }
  for (int i = -10; i <= 10; i++)
    raster_line(r, {150.0f + static_cast<float>(i) * 12, static_cast<float>(horizon)},
                {150.0f + static_cast<float>(i) * 50, 200}, 1.0f, stone_dark);
  // The altar: top surface, front face, stairs.
  raster_polygon(r, std::vector<raster_point>{{96, 85}, {204, 85}, {214, 92}, {86, 92}}, pale);
  raster_rect(r, 86, 92, 128, 6, stone);
  raster_rect(r, 86, 97, 128, 1, stone_dark);
  stairs(r, 98, 86, 214, 5, 7, pale, stone, stone_dark);
  // Columns with a lintel: a gate framing the scene.
  for (int cx : {38, 262}) {
    const int w = 22;
    raster_rect(r, cx - w / 2 - 4, 164, w + 8, 10, stone);
    raster_rect(r, cx - w / 2 - 4, 164, w + 8, 1, pale);
    for (int x = 0; x < w; x++) {
      const float t = static_cast<float>(x) / (w - 1);
      for (int y = 16; y < 164; y++) {
        int c = t < 0.25f ? pale : t < 0.7f ? stone : stone_dark;
        if (x % 5 == 4) c = stone_dark;
        raster_set(r, cx - w / 2 + x, y, c);
      }
    }
    raster_rect(r, cx - w / 2 - 5, 10, w + 10, 6, stone);
    raster_rect(r, cx - w / 2 - 5, 15, w + 10, 1, stone_dark);
    // Banners hanging inside the gate.
    const float bx = cx < 160 ? static_cast<float>(cx + 18) : static_cast<float>(cx - 34);
    raster_polygon(
        r,
        std::vector<raster_point>{{bx, 10}, {bx + 16, 10}, {bx + 16, 62}, {bx + 8, 54}, {bx, 62}},
        red);
    raster_rect(r, static_cast<int>(bx) + 13, 10, 3, 50, red_dark);
    raster_disc(r, {bx + 8, 28}, 4, sun);
    raster_disc(r, {bx + 8, 28}, 2, red_dark);
  }
  raster_rect(r, 0, 0, VSCRN_W, 10, stone);
  raster_rect(r, 0, 0, VSCRN_W, 1, pale);
  raster_rect(r, 0, 9, VSCRN_W, 1, stone_dark);
  s.picture = std::move(r);
  return s;
}

art_scene art_court() {
  art_scene s;
  art_palette &p = s.palette;
  const fighter_colours people = add_people(p);
  const int green = art_add_st(p, 2, 5, 2);
  const int green_dark = art_add_st(p, 1, 3, 1);
  const int blue = art_add_st(p, 2, 3, 7);
  const int blue_dark = art_add_st(p, 1, 1, 4);
  const int white = art_add_st(p, 7, 7, 7);
  const std::vector<int> sky = {art_add_st(p, 0, 0, 1), art_add_st(p, 0, 1, 2),
                                art_add_st(p, 1, 1, 3), art_add_st(p, 1, 2, 4)};
  const int roof_dark = art_add_st(p, 2, 1, 2);
  const int roof = art_add_st(p, 4, 2, 3);
  const int lamp = art_add_st(p, 7, 5, 1);

  fighter_look mako = look_of(people, green, green_dark, people.hair);
  mako.band = lamp;
  fighter_look voss = look_of(people, blue, blue_dark, white);
  voss.bald = true;
  s.looks = {mako, voss};

  raster r = raster_new(VSCRN_W, VSCRN_H, people.black);
  raster_vgradient(r, 0, 0, VSCRN_W, 100, sky, 0, 1);
  art_random rnd{7};
  for (int i = 0; i < 90; i++) {
    const int x = rnd.below(VSCRN_W), y = rnd.below(80);
    raster_set(r, x, y, rnd.below(3) ? sky[3] : white);
  }
  // A crescent moon: a white disc with the sky taken back out of it.
  raster_disc(r, {250, 34}, 15, white);
  for (int y = 10; y < 60; y++)
    for (int x = 240; x < 280; x++) {
      const float dx = static_cast<float>(x) + 0.5f - 257, dy = static_cast<float>(y) + 0.5f - 29;
      if (dx * dx + dy * dy <= 13 * 13 && raster_get(r, x, y) == white)
        raster_set(r, x, y, raster_ramp(sky, static_cast<float>(y) / 99, x, y));
    }
  // Pagodas on the skyline: stacked roofs with upturned eaves.
  auto pagoda = [&](float cx, float base, int tiers, float width) {
    raster_rect(r, static_cast<int>(cx - width * 0.3f), static_cast<int>(base - 10.0f * tiers),
                static_cast<int>(width * 0.6f), 10 * tiers + 20, roof_dark);
    for (int t = 0; t < tiers; t++) {
      const float y = base - 10.0f * static_cast<float>(t),
                  w = width * (1 - 0.18f * static_cast<float>(t));
      raster_polygon(r,
                     std::vector<raster_point>{{cx - w / 2 - 3, y - 4},
                                               {cx - w / 4, y - 9},
                                               {cx + w / 4, y - 9},
                                               {cx + w / 2 + 3, y - 4},
                                               {cx + w / 2 - 2, y - 2},
                                               {cx - w / 2 + 2, y - 2}},
                     people.black);
    }
    raster_line(r, {cx, base - 10.0f * static_cast<float>(tiers) - 8},
                {cx, base - 10.0f * static_cast<float>(tiers) - 18}, 1.2f, people.black);
  };
  pagoda(40, 92, 4, 44);
  pagoda(100, 96, 2, 36);
  pagoda(212, 96, 3, 40);
  pagoda(290, 94, 5, 48);
  // The roof the fight is on: tiles in rows, an eave with turned-up ends.
  raster_rect(r, 0, 84, VSCRN_W, 22, roof_dark);
  for (int row = 0; row < 5; row++) {
    const int y = 84 + 4 * row;
    raster_rect(r, 0, y, VSCRN_W, 2, roof);
    for (int x = (row % 2) * 4; x < VSCRN_W; x += 8) raster_rect(r, x, y, 1, 4, roof_dark);
  }
  raster_polygon(r, std::vector<raster_point>{{-4, 102}, {324, 102}, {324, 108}, {-4, 108}},
                 people.black);
  raster_polygon(r, std::vector<raster_point>{{-4, 98}, {10, 103}, {10, 108}, {-4, 108}},
                 people.black);
  raster_polygon(r, std::vector<raster_point>{{324, 98}, {310, 103}, {310, 108}, {324, 108}},
                 people.black);
  // The hall below: dark wall, lit paper windows, lanterns.
  raster_rect(r, 0, 108, VSCRN_W, 92, roof_dark);
  for (int wx = 18; wx < VSCRN_W; wx += 62) {
    raster_rect(r, wx, 128, 36, 44, lamp);
    for (int k = 1; k < 3; k++) raster_rect(r, wx + 12 * k, 128, 1, 44, roof_dark);
    raster_rect(r, wx, 150, 36, 1, roof_dark);
    raster_rect(r, wx - 2, 126, 40, 2, people.black);
    raster_rect(r, wx - 2, 172, 40, 2, people.black);
  }
  for (int lx : {56, 266}) {
    raster_line(r, {static_cast<float>(lx), 108}, {static_cast<float>(lx), 114}, 1, people.black);
    raster_disc(r, {static_cast<float>(lx), 120}, 6, lamp);
    raster_rect(r, lx - 4, 113, 9, 2, people.black);
    raster_rect(r, lx - 4, 126, 9, 2, people.black);
    raster_rect(r, lx, 114, 1, 12, roof);
  }
  raster_rect(r, 0, 186, VSCRN_W, 14, people.black);
  s.picture = std::move(r);
  return s;
}

art_scene art_harbour() {
  art_scene s;
  art_palette &p = s.palette;
  const fighter_colours people = add_people(p);
  const int blue = art_add_st(p, 2, 3, 7);
  const int blue_dark = art_add_st(p, 1, 1, 4);
  const int white = art_add_st(p, 7, 7, 7);
  const int pale = art_add_st(p, 5, 5, 6);
  const int red = art_add_st(p, 6, 1, 1);
  fighter_look voss = look_of(people, blue, blue_dark, white);
  voss.bald = true;
  fighter_look kesh = look_of(people, white, pale, people.hair);
  kesh.band = red;
  s.looks = {voss, kesh};

  const std::vector<int> sky = art_add_ramp(p,
                                            {{22, 18, 64},
                                             {70, 36, 104},
                                             {160, 64, 112},
                                             {236, 112, 84},
                                             {255, 176, 92},
                                             {255, 226, 160}},
                                            64);
  const std::vector<int> sea =
      art_add_ramp(p, {{120, 70, 110}, {60, 40, 96}, {24, 24, 64}, {8, 10, 30}}, 40);
  const std::vector<int> sunlight =
      art_add_ramp(p, {{255, 160, 80}, {255, 214, 140}, {255, 250, 220}}, 12);
  const std::vector<int> wood = art_add_ramp(p, {{40, 22, 16}, {104, 64, 40}, {176, 120, 76}}, 16);
  const std::vector<int> city = art_add_ramp(p, {{30, 16, 44}, {52, 28, 70}}, 4);
  const int window = art_add(p, {255, 210, 110});

  raster r = raster_new(VSCRN_W, VSCRN_H, people.black);
  constexpr int horizon = 78;
  raster_vgradient(r, 0, 0, VSCRN_W, horizon, sky, 0, 1);
  // Long thin clouds lit from below.
  art_random rnd{11};
  for (int i = 0; i < 7; i++) {
    const float y = 14.0f + static_cast<float>(i) * 8 + rnd.unit() * 4, x = rnd.unit() * 300;
    const float len = 40 + rnd.unit() * 70;
    const int c =
        sky[static_cast<size_t>(std::clamp(static_cast<int>((y / horizon) * 64) + 14, 0, 63))];
    raster_line(r, {x, y}, {x + len, y}, 2.5f, c);
    raster_line(r, {x + 10, y - 2}, {x + len * 0.6f, y - 2}, 2.0f, c);
  }
  raster_disc(r, {226, static_cast<float>(horizon)}, 15, sunlight.back());
  // The far shore: a town's roofs and a few lit windows.
  for (int x = 0; x < 130;) {
    const int w = 6 + rnd.below(10), h = 4 + rnd.below(14);
    raster_rect(r, x, horizon - h, w, h, city[static_cast<size_t>(rnd.below(4))]);
    if (h > 8 && rnd.below(2))
      raster_set(r, x + 2 + rnd.below(w - 3), horizon - h + 3 + rnd.below(h - 5), window);
    x += w;
  }
  raster_rect(r, 280, horizon - 26, 6, 26, city[1]);
  raster_rect(r, 278, horizon - 28, 10, 3, city[2]);
  raster_disc(r, {283, static_cast<float>(horizon) - 31}, 2, window);
  // Sea, darker towards us, with the sun's broken reflection.
  raster_vgradient(r, 0, horizon, VSCRN_W, VSCRN_H - horizon, sea, 0, 1);
  for (int y = horizon + 1; y < VSCRN_H; y += 2) {
    const float d = static_cast<float>(y - horizon);
    const int half = static_cast<int>(16 - d * 0.06f + 6 * std::sin(d * 0.9f));
    const int off = static_cast<int>(4 * std::sin(d * 0.37f));
    if (half <= 0) continue;
    const float fade = std::max(0.0f, 1 - d / 120);
    for (int x = 226 - half + off; x < 226 + half + off; x++)
      if ((x + y / 2) % 7 != 0) raster_set(r, x, y, raster_ramp(sunlight, fade, x, y));
  }
  // The pier: deck surface, its edge, posts going into the water.
  raster_polygon(r, std::vector<raster_point>{{64, 85}, {256, 85}, {266, 92}, {54, 92}}, wood[10]);
  for (int x = 58; x < 264; x += 9)
    raster_line(r, {static_cast<float>(x) + (x - 160) * -0.05f, 85}, {static_cast<float>(x), 92}, 1,
                wood[7]);
  raster_rect(r, 54, 92, 212, 5, wood[4]);
  raster_rect(r, 54, 92, 212, 1, wood[13]);
  for (int x = 60; x < 266; x += 34) {
    raster_rect(r, x, 97, 5, 40, wood[2]);
    raster_rect(r, x, 97, 1, 40, wood[6]);
    // Its reflection, broken by the waves.
    for (int y = 137; y < 160; y += 2)
      raster_rect(r, x + static_cast<int>(2 * std::sin(y * 0.8f)), y, 5, 1, sea[30]);
  }
  // Lamp posts at both ends.
  for (int lx : {70, 250}) {
    raster_rect(r, lx, 56, 2, 30, people.black);
    raster_rect(r, lx - 3, 54, 8, 2, people.black);
    raster_disc(r, {static_cast<float>(lx) + 1, 51}, 3, window);
  }
  // A moored boat on the left.
  raster_polygon(r, std::vector<raster_point>{{4, 118}, {48, 118}, {42, 128}, {10, 128}}, wood[3]);
  raster_rect(r, 4, 118, 44, 1, wood[9]);
  raster_line(r, {26, 118}, {26, 70}, 1.5f, wood[2]);
  raster_polygon(r, std::vector<raster_point>{{27, 72}, {44, 114}, {27, 114}}, sky[50]);
  s.picture = std::move(r);
  return s;
}

art_scene art_mesa() {
  art_scene s;
  art_palette &p = s.palette;
  const fighter_colours people = add_people(p);
  const int red = art_add_st(p, 6, 1, 1);
  const int red_dark = art_add_st(p, 4, 0, 1);
  fighter_look ryna = look_of(people, red, red_dark, people.hair);
  ryna.ponytail = true;
  s.looks = {ryna};

  const std::vector<int> sky =
      art_add_ramp(p, {{36, 64, 150}, {84, 132, 206}, {176, 204, 232}, {236, 224, 208}}, 48);
  const std::vector<int> haze = art_add_ramp(p, {{150, 120, 150}, {190, 150, 150}}, 6);
  const std::vector<int> rock =
      art_add_ramp(p, {{70, 24, 16}, {150, 58, 30}, {214, 110, 56}, {246, 170, 100}}, 40);
  const std::vector<int> sand =
      art_add_ramp(p, {{236, 196, 140}, {206, 150, 96}, {150, 92, 56}}, 32);
  const int sun = art_add(p, {255, 252, 232});
  const int cactus = art_add(p, {46, 88, 44});
  const int cactus_dark = art_add(p, {24, 52, 28});

  raster r = raster_new(VSCRN_W, VSCRN_H, people.black);
  constexpr int horizon = 72;
  raster_vgradient(r, 0, 0, VSCRN_W, horizon, sky, 0, 1);
  raster_disc(r, {262, 26}, 10, sun);
  // Distant mesas in the haze.
  const auto distant = skyline(
      [](float x) {
        const float m = std::sin(x * 0.035f) + 0.6f * std::sin(x * 0.09f + 1.3f);
        return horizon - (m > 0.5f ? 14.0f : 3 + 4 * std::sin(x * 0.2f));
      },
      horizon + 1, 2);
  raster_polygon(r, distant, haze[2]);
  raster_vgradient(r, 0, horizon, VSCRN_W, VSCRN_H - horizon, sand, 0, 1);
  // Dunes: soft lighter crests.
  for (int d = 0; d < 5; d++) {
    const float base = 90.0f + static_cast<float>(d) * 24;
    for (int x = 0; x < VSCRN_W; x++) {
      const float y =
          base + 5 * std::sin(static_cast<float>(x) * 0.03f + static_cast<float>(d) * 2);
      for (int k = 0; k < 3; k++)
        raster_set(r, x, static_cast<int>(y) + k,
                   sand[static_cast<size_t>(
                       std::max(0, static_cast<int>((y - horizon) / 128 * 32) - 6 + k))]);
    }
  }
  // The mesa: flat sunlit top, striped cliffs shaded away from the sun.
  const raster mesa = polygon_mask(
      {{96, 85}, {206, 85}, {214, 92}, {232, 140}, {250, 200}, {52, 200}, {74, 140}, {90, 92}});
  paint(r, mesa, [&](int x, int y) {
    if (y < 90) return rock[static_cast<size_t>(36 + (x % 7 == 0 ? -4 : 0))];
    const float across = (static_cast<float>(x) - 52) / 198;
    const float band =
        std::sin((static_cast<float>(y) + 3 * std::sin(static_cast<float>(x) * 0.08f)) * 0.55f);
    const float v = 0.75f - across * 0.5f + band * 0.12f - static_cast<float>(y - 90) / 600;
    return raster_ramp(rock, v, x, y);
  });
  raster_rect(r, 90, 91, 124, 1, rock[10]);
  // Saguaros on the sand.
  auto saguaro = [&](float x, float base, float h) {
    raster_line(r, {x, base}, {x, base - h}, 4, cactus);
    raster_line(r, {x - 6, base - h * 0.5f}, {x - 6, base - h * 0.75f}, 3, cactus);
    raster_line(r, {x - 6, base - h * 0.5f}, {x, base - h * 0.45f}, 3, cactus);
    raster_line(r, {x + 6, base - h * 0.4f}, {x + 6, base - h * 0.62f}, 3, cactus);
    raster_line(r, {x + 6, base - h * 0.4f}, {x, base - h * 0.35f}, 3, cactus);
    raster_line(r, {x + 1, base}, {x + 1, base - h}, 1, cactus_dark);
  };
  saguaro(24, 150, 40);
  saguaro(292, 168, 46);
  saguaro(274, 110, 20);
  s.picture = std::move(r);
  return s;
}

art_scene art_forge() {
  art_scene s;
  art_palette &p = s.palette;
  const fighter_colours people = add_people(p);
  const int white = art_add_st(p, 7, 7, 7);
  const int grey = art_add_st(p, 4, 4, 5);
  const int green = art_add_st(p, 2, 5, 2);
  const int green_dark = art_add_st(p, 1, 3, 1);
  const std::vector<int> fire = {art_add_st(p, 3, 0, 0), art_add_st(p, 5, 1, 0),
                                 art_add_st(p, 7, 3, 0), art_add_st(p, 7, 6, 1),
                                 art_add_st(p, 7, 7, 5)};
  const int wall = art_add_st(p, 1, 1, 1);
  const int brick = art_add_st(p, 2, 1, 1);
  const int iron = art_add_st(p, 2, 2, 3);

  fighter_look mako = look_of(people, green, green_dark, people.hair);
  mako.band = fire[3];
  fighter_look kesh = look_of(people, white, grey, people.hair);
  kesh.band = fire[1];
  s.looks = {mako, kesh};

  raster r = raster_new(VSCRN_W, VSCRN_H, wall);
  // Brick walls, warmer near the furnace.
  for (int y = 0; y < 150; y++)
    for (int x = 0; x < VSCRN_W; x++) {
      const int row = y / 8;
      const bool mortar = y % 8 == 7 || (x + (row % 2) * 10) % 20 == 19;
      const float glow = std::max(
          0.0f, 1 - std::hypot(static_cast<float>(x) - 150, static_cast<float>(y) - 70) / 150);
      int c = mortar ? people.black : (glow + raster_dither(x, y) * 0.6f > 0.75f ? fire[0] : brick);
      if (!mortar && glow < 0.2f && raster_dither(x, y) > 0.5f + glow * 2) c = wall;
      raster_set(r, x, y, c);
    }
  // The furnace mouth behind the fighters: an arch full of fire.
  raster arch = raster_new(VSCRN_W, VSCRN_H);
  raster_rect(arch, 104, 44, 92, 46, 1);
  raster_disc(arch, {150, 46}, 46, 1);
  raster_rect(arch, 0, 86, VSCRN_W, 120, RASTER_EMPTY);
  raster ring = arch;
  raster_outline(ring, iron);
  raster_outline(ring, iron);
  raster_outline(ring, people.black);
  for (auto &v : ring.px)
    if (v == 1) v = RASTER_EMPTY;
  raster_stamp(r, ring, 0, 0);
  paint(r, arch, [&](int x, int y) {
    const float flame = std::sin(static_cast<float>(x) * 0.35f) * 6 +
                        std::sin(static_cast<float>(x) * 0.9f + 1) * 3;
    const float t = std::clamp((static_cast<float>(y) - 20 + flame) / 66, 0.0f, 1.0f);
    return raster_ramp(fire, t, x, y);
  });
  // Floor: worn stone slabs, a raised hearth stone the fight is on.
  raster_vgradient(r, 0, 150, VSCRN_W, 50, std::vector<int>{brick, wall, people.black}, 0, 1);
  raster_rect(r, 0, 86, VSCRN_W, 64, wall);
  raster_polygon(r, std::vector<raster_point>{{60, 85}, {240, 85}, {256, 94}, {44, 94}}, grey);
  raster_rect(r, 44, 94, 212, 8, iron);
  raster_rect(r, 44, 94, 212, 1, white);
  for (int x = 64; x < 240; x += 22)
    raster_line(r, {static_cast<float>(x), 85}, {static_cast<float>(x) + (x - 150) * 0.1f, 94}, 1,
                iron);
  stairs(r, 102, 44, 256, 8, 5, grey, iron, people.black);
  // Chains and an anvil at the sides.
  for (int cx : {20, 300})
    for (int y = 0; y < 70; y += 4)
      raster_rect(r, cx - (y / 4) % 2, y, 2 + (y / 4) % 2 * 2, 3, iron);
  raster_polygon(r,
                 std::vector<raster_point>{{4, 136},
                                           {40, 136},
                                           {34, 142},
                                           {24, 144},
                                           {24, 156},
                                           {32, 160},
                                           {8, 160},
                                           {16, 156},
                                           {16, 144},
                                           {8, 142}},
                 iron);
  raster_rect(r, 4, 136, 36, 1, grey);
  s.picture = std::move(r);
  return s;
}
