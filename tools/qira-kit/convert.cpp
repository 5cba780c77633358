// qira-kit convert IN OUT, and qira-kit info PICTURE. Convert never changes
// a colour without saying so: merges by the ST's rounding, mapping and
// reduction are reported, and --exact refuses them.
#include "image/anypic.h"
#include "image/bytes.h"
#include "qira-kit/encode.h"
#include "qira-kit/kit.h"
#include "qira-kit/picture.h"
#include "qira-kit/quant.h"
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_set>
#include <utility>

namespace {

const char convert_usage[] =
    "usage: qira-kit convert IN OUT [--exact] [--colours N | --palette FROM]\n";

bool is_png(const char *path) {
  const char *f = kit_format(path);
  return f && !std::strcmp(f, "PNG");
}

// A picture read for converting: as indices where the file has them, and
// as colours. A game format's colours are made from its indices only when
// asked for (source_colours), since a plain conversion never needs them.
struct source_picture {
  kit_rgba rgba;
  kit_picture indexed;
  bool has_indexed = false;
  long transparent = 0;
};

const kit_rgba &source_colours(source_picture &src) {
  if (src.has_indexed && src.rgba.px.empty()) src.rgba = kit_rgba_of(src.indexed);
  return src.rgba;
}

bool read_source(const char *path, source_picture &src, std::string &error) {
  if (!is_png(path)) {
    if (!kit_read(path, src.indexed, error)) return false;
    src.has_indexed = true;
    return true;
  }
  bytes_file file;
  kit_png_info info;
  if (!kit_read_bytes(path, file, error)) return false;
  if (!decode_png_rgba(file.span(), src.rgba, info, &src.indexed, error)) return false;
  src.has_indexed = info.paletted;
  for (size_t i = 0; i < src.rgba.px.size() / 4; i++)
    src.transparent += src.rgba.px[4 * i + 3] < KIT_ALPHA_OPAQUE;
  return true;
}

// The colours as they are, transparent pixels as colour 0; takes the
// indices from src.
bool index_exact(source_picture &src, kit_picture &out, std::string &error) {
  if (src.has_indexed) {
    out = std::move(src.indexed);
    src.has_indexed = false;
    // Only a PNG has transparent pixels, and it has its colours already.
    for (size_t i = 0; src.transparent && i < out.pixels.size(); i++)
      if (src.rgba.px[4 * i + 3] < KIT_ALPHA_OPAQUE) out.pixels[i] = 0;
    return true;
  }
  const size_t n = src.rgba.px.size() / 4;
  // Opaque colours by first appearance, after a black colour 0 when some
  // pixels are transparent.
  std::vector<uint8_t> rgb;
  rgb.reserve(3 * (n + 1));
  if (src.transparent) rgb.insert(rgb.end(), {0, 0, 0});
  for (size_t i = 0; i < n; i++) {
    const uint8_t *p = &src.rgba.px[4 * i];
    if (p[3] < KIT_ALPHA_OPAQUE) continue;
    rgb.insert(rgb.end(), p, p + 3);
  }
  kit_picture list;
  const int count = static_cast<int>(rgb.size() / 3);
  if (!encode_index_colours(rgb, count, 1, list, error)) return false;
  out = {src.rgba.width, src.rgba.height, std::vector<uint8_t>(n, 0), list.palette};
  size_t k = src.transparent ? 1 : 0;
  for (size_t i = 0; i < n; i++)
    if (src.rgba.px[4 * i + 3] >= KIT_ALPHA_OPAQUE) out.pixels[i] = list.pixels[k++];
  return true;
}

void say_stats(const char *out, const kit_map_stats &s) {
  if (!s.inexact) return;
  std::printf("qira-kit convert: %s: %ld pixel%s changed colour; the worst, #%02x%02x%02x to "
              "#%02x%02x%02x, by %d\n",
              out, s.inexact, s.inexact == 1 ? "" : "s", s.worst_from[0], s.worst_from[1],
              s.worst_from[2], s.worst_to[0], s.worst_to[1], s.worst_to[2], s.worst);
}

} // namespace

int kit_convert(std::span<char *const> args) {
  std::vector<const char *> files;
  bool exact = false;
  int colours = 0;
  const char *from = nullptr;
  for (size_t i = 0; i < args.size(); i++) {
    const char *a = args[i];
    if (!std::strcmp(a, "--exact")) {
      exact = true;
    } else if (!std::strcmp(a, "--colours") && i + 1 < args.size()) {
      char *end = nullptr;
      const long v = std::strtol(args[++i], &end, 10);
      if (*end || v < 2 || v > 256) {
        std::fputs("qira-kit convert: --colours takes a number from 2 to 256\n", stderr);
        return 2;
      }
      colours = static_cast<int>(v);
    } else if (!std::strcmp(a, "--palette") && i + 1 < args.size()) {
      from = args[++i];
    } else if (a[0] == '-' && a[1]) {
      std::fputs(convert_usage, stderr);
      return 2;
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2 || (colours && from)) {
    std::fputs(convert_usage, stderr);
    return 2;
  }
  const char *in = files[0], *out = files[1];
  source_picture src;
  kit_picture pic;
  kit_map_stats stats;
  std::string error;
  if (!read_source(in, src, error)) {
    std::fprintf(stderr, "qira-kit convert: %s: %s\n", in, error.c_str());
    return 1;
  }
  bool ok = true;
  if (from) {
    kit_picture bg;
    if (!kit_read(from, bg, error)) {
      std::fprintf(stderr, "qira-kit convert: %s: %s\n", from, error.c_str());
      return 1;
    }
    const int count = anypic_format_is_st(anypic_format_of(from)) ? 16 : encode_palette_count(bg);
    const kit_rgba &rgba = source_colours(src);
    pic = {rgba.width, rgba.height, {}, bg.palette};
    ok = kit_map_palette(rgba, bg.palette, count, 0, pic.pixels, stats, error);
  } else if (colours) {
    ok = kit_reduce(source_colours(src), colours, pic, stats, error);
  } else {
    ok = index_exact(src, pic, error);
  }
  if (!ok) {
    std::fprintf(stderr, "qira-kit convert: %s: %s\n", in, error.c_str());
    return 1;
  }
  std::vector<std::string> merges;
  if (anypic_format_is_st(anypic_format_of(out))) merges = encode_st_merges(pic);
  if (exact && (stats.inexact || !merges.empty())) {
    std::fprintf(stderr, "qira-kit convert: %s: refused (--exact): ", out);
    if (stats.inexact)
      std::fprintf(stderr, "%ld pixel%s would change colour\n", stats.inexact,
                   stats.inexact == 1 ? "" : "s");
    else
      std::fprintf(stderr, "the ST's 3 bits per component would merge colours:\n");
    for (const std::string &m : merges) std::fprintf(stderr, "  %s\n", m.c_str());
    return 1;
  }
  if (!kit_write(out, pic, error)) {
    std::fprintf(stderr, "qira-kit convert: %s: %s\n", out, error.c_str());
    return 1;
  }
  say_stats(out, stats);
  if (!merges.empty()) {
    std::printf("qira-kit convert: %s: the ST's 3 bits per component merged colours "
                "(--exact refuses this):\n",
                out);
    for (const std::string &m : merges) std::printf("  %s\n", m.c_str());
  }
  if (src.transparent)
    std::printf("qira-kit convert: %s: %ld transparent pixel%s became colour 0; the fight draws "
                "colour 0 like any other colour\n",
                out, src.transparent, src.transparent == 1 ? "" : "s");
  return 0;
}

int kit_info(std::span<char *const> args) {
  if (args.size() != 1) {
    std::fputs("usage: qira-kit info PICTURE\n", stderr);
    return 2;
  }
  const char *path = args[0];
  std::string error;
  source_picture src;
  if (!read_source(path, src, error)) {
    std::fprintf(stderr, "qira-kit info: %s: %s\n", path, error.c_str());
    return 1;
  }
  std::string kind = kit_format(path) ? kit_format(path) : "?";
  if (is_png(path)) {
    bytes_file file;
    kit_png_info info;
    kit_rgba unused;
    if (kit_read_bytes(path, file, error) &&
        decode_png_rgba(file.span(), unused, info, nullptr, error))
      kind += std::string(" ") + info.colour_type + ", " + std::to_string(info.bit_depth) +
              " bits per sample";
  }
  // Colours used: distinct indices where there are indices, else distinct
  // opaque colours.
  const kit_rgba &rgba = source_colours(src);
  std::unordered_set<uint32_t> seen;
  for (size_t i = 0; i < rgba.px.size() / 4; i++) {
    const uint8_t *p = &rgba.px[4 * i];
    if (p[3] < KIT_ALPHA_OPAQUE) continue;
    seen.insert(src.has_indexed
                    ? src.indexed.pixels[i]
                    : static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2]);
  }
  const size_t colours = seen.size();
  std::printf("%s: %s, %dx%d, %zu colour%s used", path, kind.c_str(), rgba.width, rgba.height,
              colours, colours == 1 ? "" : "s");
  if (src.transparent)
    std::printf(", %ld transparent pixel%s", src.transparent, src.transparent == 1 ? "" : "s");
  std::printf("\n");
  return 0;
}
