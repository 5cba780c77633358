// qira-kit icon SIZE FILE: the game's icon as a full-colour PNG with
// smooth, transparent edges.
#include "qira-kit/demo_art.h"
#include "qira-kit/encode.h"
#include "qira-kit/kit.h"
#include <cstdio>
#include <cstdlib>

int kit_icon(std::span<char *const> args) {
  if (args.size() != 2) {
    std::fputs("usage: qira-kit icon SIZE FILE.png\n", stderr);
    return 2;
  }
  char *end = nullptr;
  const long size = std::strtol(args[0], &end, 10);
  if (*end || size < 8 || size > 1024) {
    std::fprintf(stderr, "qira-kit icon: the size must be 8 to 1024 pixels, not '%s'\n", args[0]);
    return 2;
  }
  // Drawn 4 x 4 times finer, each pixel the mean of its 16: colour over
  // the filled ones, coverage as alpha.
  constexpr int fine = 4;
  const int n = static_cast<int>(size);
  const art_scene art = art_icon(n * fine);
  std::vector<uint8_t> rgba(static_cast<size_t>(n) * static_cast<size_t>(n) * 4);
  for (int y = 0; y < n; y++)
    for (int x = 0; x < n; x++) {
      int sum[3] = {0, 0, 0}, filled = 0;
      for (int sy = 0; sy < fine; sy++)
        for (int sx = 0; sx < fine; sx++) {
          const int v = raster_get(art.picture, x * fine + sx, y * fine + sy);
          if (v == RASTER_EMPTY) continue;
          for (int c = 0; c < 3; c++) sum[c] += art.palette.rgb[static_cast<size_t>(v * 3 + c)];
          filled++;
        }
      uint8_t *px =
          &rgba[(static_cast<size_t>(y) * static_cast<size_t>(n) + static_cast<size_t>(x)) * 4];
      for (int c = 0; c < 3; c++)
        px[c] = static_cast<uint8_t>(filled ? (sum[c] + filled / 2) / filled : 0);
      px[3] = static_cast<uint8_t>((filled * 255 + fine * fine / 2) / (fine * fine));
    }
  kit_bytes png;
  std::string error;
  if (!encode_png_rgba(n, n, rgba, png, error) || !kit_write_file(args[1], png, error)) {
    std::fprintf(stderr, "qira-kit icon: %s: %s\n", args[1], error.c_str());
    return 1;
  }
  return 0;
}
