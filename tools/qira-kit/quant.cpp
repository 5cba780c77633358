// Nearest-colour mapping and colour reduction through libimagequant, with
// dithering off: set makers paint pixel by pixel and want no noise added.
#include "qira-kit/quant.h"
#include <cmath>
#include <libimagequant.h>
#include <memory>

namespace {

struct liq_deleter {
  void operator()(liq_attr *a) const { liq_attr_destroy(a); }
  void operator()(liq_image *i) const { liq_image_destroy(i); }
  void operator()(liq_result *r) const { liq_result_destroy(r); }
};
template <class T> using liq_ptr = std::unique_ptr<T, liq_deleter>;

bool is_transparent(const kit_rgba &in, size_t i) { return in.px[4 * i + 3] < KIT_ALPHA_OPAQUE; }

// Adds what pixel i's move to colour c costs to the stats.
void account(kit_map_stats &s, const kit_rgba &in, size_t i, const uint8_t *c) {
  const uint8_t *p = &in.px[4 * i];
  const int dr = p[0] - c[0], dg = p[1] - c[1], db = p[2] - c[2];
  if (!dr && !dg && !db) return;
  s.inexact++;
  const int d =
      static_cast<int>(std::lround(std::sqrt(static_cast<double>(dr * dr + dg * dg + db * db))));
  if (d > s.worst) {
    s.worst = d;
    s.worst_from = {p[0], p[1], p[2]};
    s.worst_to = {c[0], c[1], c[2]};
  }
}

// The picture, transparent pixels made opaque black so that only the
// opaque ones count in libimagequant's choice.
std::vector<uint8_t> opaque_copy(const kit_rgba &in, bool keep_alpha) {
  std::vector<uint8_t> px = in.px;
  for (size_t i = 0; i < px.size() / 4; i++) {
    if (keep_alpha && is_transparent(in, i)) {
      px[4 * i] = px[4 * i + 1] = px[4 * i + 2] = px[4 * i + 3] = 0;
    } else {
      px[4 * i + 3] = 255;
    }
  }
  return px;
}

// Quantizes px; the remapped indices and libimagequant's palette.
bool run_liq(const kit_rgba &in, std::vector<uint8_t> &px, int colours,
             std::span<const liq_color> fixed, std::vector<uint8_t> &indices, liq_palette &pal,
             std::string &error) {
  liq_ptr<liq_attr> attr(liq_attr_create());
  if (!attr || liq_set_max_colors(attr.get(), colours) != LIQ_OK) {
    error = "cannot set up the colour quantizer";
    return false;
  }
  liq_ptr<liq_image> img(liq_image_create_rgba(attr.get(), px.data(), in.width, in.height, 0));
  if (!img) {
    error = "cannot set up the colour quantizer for this picture";
    return false;
  }
  for (const liq_color &c : fixed) liq_image_add_fixed_color(img.get(), c);
  liq_result *raw = nullptr;
  if (liq_image_quantize(img.get(), attr.get(), &raw) != LIQ_OK) {
    error = "the colour quantizer failed";
    return false;
  }
  liq_ptr<liq_result> res(raw);
  liq_set_dithering_level(res.get(), 0.0f);
  indices.resize(static_cast<size_t>(in.width) * static_cast<size_t>(in.height));
  if (liq_write_remapped_image(res.get(), img.get(), indices.data(), indices.size()) != LIQ_OK) {
    error = "the colour quantizer failed";
    return false;
  }
  pal = *liq_get_palette(res.get());
  return true;
}

// The index among entries 0 .. count - 1 nearest to c in RGB.
int nearest(const std::array<uint8_t, 768> &palette, int count, const uint8_t *c) {
  int best = 0;
  long best_d = -1;
  for (int k = 0; k < count; k++) {
    const int dr = c[0] - palette[3 * k], dg = c[1] - palette[3 * k + 1];
    const int db = c[2] - palette[3 * k + 2];
    const long d =
        static_cast<long>(dr) * dr + static_cast<long>(dg) * dg + static_cast<long>(db) * db;
    if (best_d < 0 || d < best_d) best = k, best_d = d;
  }
  return best;
}

} // namespace

kit_rgba kit_rgba_of(const kit_picture &pic) {
  kit_rgba out{pic.width, pic.height, std::vector<uint8_t>(pic.pixels.size() * 4)};
  for (size_t i = 0; i < pic.pixels.size(); i++) {
    const uint8_t *c = &pic.palette[3 * static_cast<size_t>(pic.pixels[i])];
    out.px[4 * i] = c[0], out.px[4 * i + 1] = c[1], out.px[4 * i + 2] = c[2];
    out.px[4 * i + 3] = 255;
  }
  return out;
}

bool kit_map_palette(const kit_rgba &in, const std::array<uint8_t, 768> &palette, int count,
                     int transparent, std::vector<uint8_t> &out, kit_map_stats &stats,
                     std::string &error) {
  stats = {};
  // The distinct colours, each by its lowest index.
  std::vector<liq_color> fixed;
  std::vector<int> index_of;
  for (int k = 0; k < count; k++) {
    const liq_color c{palette[3 * k], palette[3 * k + 1], palette[3 * k + 2], 255};
    bool seen = false;
    for (const liq_color &f : fixed) seen |= f.r == c.r && f.g == c.g && f.b == c.b;
    if (seen) continue;
    fixed.push_back(c);
    index_of.push_back(k);
  }
  const size_t n = static_cast<size_t>(in.width) * static_cast<size_t>(in.height);
  std::vector<uint8_t> liq_index(n, 0);
  liq_palette pal{};
  if (fixed.size() >= 2) {
    std::vector<uint8_t> px = opaque_copy(in, false);
    if (!run_liq(in, px, static_cast<int>(fixed.size()), fixed, liq_index, pal, error))
      return false;
  }
  // libimagequant's palette back to ours; it keeps fixed colours as given.
  std::array<int, 256> to_ours{};
  for (unsigned e = 0; e < pal.count; e++) {
    const uint8_t c[3] = {pal.entries[e].r, pal.entries[e].g, pal.entries[e].b};
    to_ours[e] = nearest(palette, count, c);
  }
  if (fixed.size() < 2) to_ours[0] = index_of.empty() ? 0 : index_of[0];
  out.assign(n, 0);
  for (size_t i = 0; i < n; i++) {
    if (is_transparent(in, i)) {
      out[i] = static_cast<uint8_t>(transparent);
      stats.transparent++;
      continue;
    }
    out[i] = static_cast<uint8_t>(to_ours[liq_index[i]]);
    account(stats, in, i, &palette[3 * static_cast<size_t>(out[i])]);
  }
  return true;
}

bool kit_reduce(const kit_rgba &in, int colours, kit_picture &out, kit_map_stats &stats,
                std::string &error) {
  stats = {};
  if (colours < 2 || colours > 256) {
    error = "the number of colours must be 2 to 256";
    return false;
  }
  std::vector<uint8_t> px = opaque_copy(in, true);
  std::vector<uint8_t> liq_index;
  liq_palette pal{};
  if (!run_liq(in, px, colours, {}, liq_index, pal, error)) return false;
  const size_t n = static_cast<size_t>(in.width) * static_cast<size_t>(in.height);
  bool any_transparent = false;
  for (size_t i = 0; i < n && !any_transparent; i++) any_transparent = is_transparent(in, i);
  // Colour 0 stays black for the transparent pixels; the opaque entries follow.
  out = {in.width, in.height, std::vector<uint8_t>(n, 0), {}};
  std::array<int, 256> to_ours{};
  int used = any_transparent ? 1 : 0;
  for (unsigned e = 0; e < pal.count; e++) {
    if (pal.entries[e].a < KIT_ALPHA_OPAQUE) continue;
    out.palette[3 * static_cast<size_t>(used)] = pal.entries[e].r;
    out.palette[3 * static_cast<size_t>(used) + 1] = pal.entries[e].g;
    out.palette[3 * static_cast<size_t>(used) + 2] = pal.entries[e].b;
    to_ours[e] = used++;
  }
  for (unsigned e = 0; e < pal.count; e++)
    if (pal.entries[e].a < KIT_ALPHA_OPAQUE) {
      const uint8_t c[3] = {pal.entries[e].r, pal.entries[e].g, pal.entries[e].b};
      to_ours[e] = nearest(out.palette, used, c);
    }
  for (size_t i = 0; i < n; i++) {
    if (is_transparent(in, i)) {
      stats.transparent++;
      continue;
    }
    out.pixels[i] = static_cast<uint8_t>(to_ours[liq_index[i]]);
    account(stats, in, i, &out.palette[3 * static_cast<size_t>(out.pixels[i])]);
  }
  return true;
}
