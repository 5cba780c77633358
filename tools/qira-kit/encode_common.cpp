// Helpers shared by the encoders: colour indexing, PackBits, palette size.
#include "qira-kit/encode.h"
#include <unordered_map>
#include <unordered_set>

bool encode_index_colours(std::span<const uint8_t> rgb, int width, int height, kit_picture &pic,
                          std::string &error) {
  size_t n = static_cast<size_t>(width) * static_cast<size_t>(height);
  pic.width = width;
  pic.height = height;
  pic.pixels.assign(n, 0);
  pic.palette.fill(0);
  std::unordered_map<uint32_t, uint8_t> index;
  uint32_t last = 0xFFFFFFFF;
  uint8_t last_index = 0;
  for (size_t i = 0; i < n; i++) {
    uint32_t c = static_cast<uint32_t>(rgb[3 * i]) << 16 |
                 static_cast<uint32_t>(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
    if (c != last) {
      auto it = index.find(c);
      if (it == index.end()) {
        if (index.size() == 256) {
          std::unordered_set<uint32_t> all;
          for (size_t j = 0; j < n; j++)
            all.insert(static_cast<uint32_t>(rgb[3 * j]) << 16 |
                       static_cast<uint32_t>(rgb[3 * j + 1]) << 8 | rgb[3 * j + 2]);
          error = "too many colours: " + std::to_string(all.size()) +
                  " distinct colours, and an indexed picture holds at most 256; " + encode_way_out;
          return false;
        }
        uint8_t k = static_cast<uint8_t>(index.size());
        pic.palette[3 * k] = rgb[3 * i];
        pic.palette[3 * k + 1] = rgb[3 * i + 1];
        pic.palette[3 * k + 2] = rgb[3 * i + 2];
        it = index.emplace(c, k).first;
      }
      last = c;
      last_index = it->second;
    }
    pic.pixels[i] = last_index;
  }
  return true;
}

void encode_packbits(const uint8_t *src, size_t n, kit_bytes &out) {
  size_t i = 0;
  while (i < n) {
    size_t run = 1;
    while (i + run < n && run < 128 && src[i + run] == src[i]) run++;
    if (run >= 2) {
      out.push_back(static_cast<uint8_t>(257 - run));
      out.push_back(src[i]);
      i += run;
      continue;
    }
    // A literal up to the next pair of equal bytes.
    size_t j = i + 1;
    while (j < n && j - i < 128 && !(j + 1 < n && src[j] == src[j + 1])) j++;
    out.push_back(static_cast<uint8_t>(j - i - 1));
    out.insert(out.end(), src + i, src + j);
    i = j;
  }
}

int encode_palette_count(const kit_picture &pic) {
  int count = 0;
  for (uint8_t p : pic.pixels)
    if (p + 1 > count) count = p + 1;
  for (int i = 255; i >= count; i--)
    if (pic.palette[3 * i] || pic.palette[3 * i + 1] || pic.palette[3 * i + 2]) {
      count = i + 1;
      break;
    }
  return count ? count : 1;
}

bool encode_check(const kit_picture &pic, std::string &error) {
  if (pic.width <= 0 || pic.height <= 0 ||
      pic.pixels.size() != static_cast<size_t>(pic.width) * static_cast<size_t>(pic.height)) {
    error = "the picture has no size or its pixels do not match its size";
    return false;
  }
  return true;
}
