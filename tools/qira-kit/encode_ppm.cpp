// Binary PPM (P6): a text header, then red, green, blue per pixel.
#include "image/anypic.h"
#include "qira-kit/encode.h"
#include <algorithm>
#include <cstdio>
#include <cstring>

bool encode_ppm(const kit_picture &pic, kit_bytes &out, std::string &error) {
  if (!encode_check(pic, error)) return false;
  char head[64];
  int n = std::snprintf(head, sizeof head, "P6\n%d %d\n255\n", pic.width, pic.height);
  // Sized once, then each pixel's colour straight from the palette.
  out.resize(static_cast<size_t>(n) + pic.pixels.size() * 3);
  uint8_t *o = std::copy(head, head + n, out.data());
  for (uint8_t p : pic.pixels) {
    const uint8_t *c = &pic.palette[3 * static_cast<size_t>(p)];
    o[0] = c[0], o[1] = c[1], o[2] = c[2];
    o += 3;
  }
  return true;
}

namespace {

// The next header number, skipping white space and # comments.
bool ppm_number(std::span<const uint8_t> f, size_t &pos, long &value) {
  for (;;) {
    while (pos < f.size() && std::strchr(" \t\r\n", f[pos])) pos++;
    if (pos < f.size() && f[pos] == '#') {
      while (pos < f.size() && f[pos] != '\n') pos++;
      continue;
    }
    break;
  }
  if (pos >= f.size() || f[pos] < '0' || f[pos] > '9') return false;
  value = 0;
  while (pos < f.size() && f[pos] >= '0' && f[pos] <= '9') {
    value = value * 10 + (f[pos++] - '0');
    if (value > 1000000) return false;
  }
  return true;
}

} // namespace

bool decode_ppm(std::span<const uint8_t> f, kit_picture &pic, std::string &error) {
  if (f.size() < 2 || f[0] != 'P' || f[1] != '6') {
    error = "not a binary PPM (P6) file";
    return false;
  }
  size_t pos = 2;
  long w = 0, h = 0, maxval = 0;
  if (!ppm_number(f, pos, w) || !ppm_number(f, pos, h) || !ppm_number(f, pos, maxval) ||
      pos >= f.size()) {
    error = "damaged PPM header";
    return false;
  }
  pos++; // the single white-space byte before the samples
  if (w <= 0 || h <= 0 || maxval <= 0 || maxval > 65535) {
    error = "PPM header has no size or a bad maximum value";
    return false;
  }
  if (w * h > ANYPIC_MAX_PIXELS) {
    error = "picture too large";
    return false;
  }
  size_t bytes = maxval > 255 ? 2 : 1;
  size_t n = static_cast<size_t>(w) * static_cast<size_t>(h);
  if (f.size() - pos < n * 3 * bytes) {
    error = "PPM file ends before its last pixel";
    return false;
  }
  std::vector<uint8_t> rgb(n * 3);
  for (size_t i = 0; i < n * 3; i++) {
    // Samples are big-endian when two bytes wide; scaled to 0..255.
    long v = bytes == 2 ? (f[pos + 2 * i] << 8 | f[pos + 2 * i + 1]) : f[pos + i];
    rgb[i] = static_cast<uint8_t>(maxval == 255 ? v : (v * 255 + maxval / 2) / maxval);
  }
  return encode_index_colours(rgb, static_cast<int>(w), static_cast<int>(h), pic, error);
}
