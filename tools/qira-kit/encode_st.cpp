// Atari ST pictures: PI1, PC1 and NEO, 320x200 in at most 16 colours, each
// component one of the ST's eight levels. Words are big-endian.
#include "qira-kit/encode.h"
#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

const uint8_t st_levels[8] = {0, 36, 73, 109, 146, 182, 219, 255};

// The nearest of the eight levels, as 0..7.
unsigned st_level(uint8_t c) {
  unsigned best = 0;
  for (unsigned k = 1; k < 8; k++)
    if (std::abs(static_cast<int>(c) - st_levels[k]) <
        std::abs(static_cast<int>(c) - st_levels[best]))
      best = k;
  return best;
}

uint16_t st_word(const kit_picture &pic, int i) {
  return static_cast<uint16_t>(st_level(pic.palette[3 * i]) << 8 |
                               st_level(pic.palette[3 * i + 1]) << 4 |
                               st_level(pic.palette[3 * i + 2]));
}

// The picture as 16 colour registers and 64000 register numbers.
struct st_picture {
  std::array<uint16_t, 16> words{};
  std::vector<uint8_t> pixels;
};

bool st_prepare(const kit_picture &pic, const char *format, st_picture &st, std::string &error) {
  if (!encode_check(pic, error)) return false;
  if (pic.width != 320 || pic.height != 200) {
    char msg[160];
    std::snprintf(msg, sizeof msg, "%s pictures are 320x200; this one is %dx%d", format, pic.width,
                  pic.height);
    error = msg;
    return false;
  }
  std::array<bool, 256> used{};
  int highest = 0;
  for (uint8_t p : pic.pixels) {
    used[p] = true;
    if (p > highest) highest = p;
  }
  std::array<uint8_t, 256> map{};
  if (highest < 16) {
    // Indices 0..15 stay as they are, so a 16-colour picture reads back the same.
    for (int i = 0; i < 16; i++) {
      st.words[static_cast<size_t>(i)] = st_word(pic, i);
      map[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    }
  } else {
    // Registers for the distinct rounded colours, lowest index first (so
    // index 0 keeps register 0 when it is used).
    std::array<bool, 0x800> seen{}; // by colour word
    int distinct = 0;
    for (int i = 0; i < 256; i++)
      if (used[static_cast<size_t>(i)] && !seen[st_word(pic, i)]) {
        seen[st_word(pic, i)] = true;
        distinct++;
      }
    if (distinct > 16) {
      char msg[200];
      std::snprintf(msg, sizeof msg,
                    "too many colours for %s: %d distinct after rounding to the ST's 3 bits per "
                    "component (at most 16); ",
                    format, distinct);
      error = std::string(msg) + encode_way_out;
      return false;
    }
    int count = 0;
    for (int i = 0; i < 256; i++) {
      if (!used[static_cast<size_t>(i)]) continue;
      uint16_t w = st_word(pic, i);
      int k = 0;
      while (k < count && st.words[static_cast<size_t>(k)] != w) k++;
      if (k == count) st.words[static_cast<size_t>(count++)] = w;
      map[static_cast<size_t>(i)] = static_cast<uint8_t>(k);
    }
  }
  st.pixels.resize(64000);
  for (size_t i = 0; i < 64000; i++) st.pixels[i] = map[pic.pixels[i]];
  return true;
}

} // namespace

std::vector<std::string> encode_st_merges(const kit_picture &pic) {
  std::array<bool, 256> used{};
  for (uint8_t p : pic.pixels) used[p] = true;
  // The distinct colours in use, grouped by the ST colour they become.
  std::array<std::vector<uint32_t>, 0x800> by_word;
  for (int i = 0; i < 256; i++) {
    if (!used[static_cast<size_t>(i)]) continue;
    const uint32_t rgb = static_cast<uint32_t>(pic.palette[3 * i]) << 16 |
                         static_cast<uint32_t>(pic.palette[3 * i + 1]) << 8 |
                         pic.palette[3 * i + 2];
    auto &group = by_word[st_word(pic, i)];
    bool seen = false;
    for (uint32_t c : group) seen |= c == rgb;
    if (!seen) group.push_back(rgb);
  }
  std::vector<std::string> lines;
  for (size_t w = 0; w < by_word.size(); w++) {
    if (by_word[w].size() < 2) continue;
    std::string line;
    for (uint32_t c : by_word[w]) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "#%06x", static_cast<unsigned>(c));
      line += (line.empty() ? "" : by_word[w].size() > 2 ? ", " : " and ") + std::string(hex);
    }
    char st[48];
    std::snprintf(st, sizeof st, " %s become ST colour $%03x",
                  by_word[w].size() == 2 ? "both" : "all", static_cast<unsigned>(w));
    lines.push_back(line + st);
  }
  return lines;
}

namespace {

// Plane p's word for the 16 pixels at px (bit 15 the leftmost).
uint16_t st_plane_word(const uint8_t *px, int p) {
  unsigned w = 0;
  for (int b = 0; b < 16; b++) w |= static_cast<unsigned>((px[b] >> p) & 1) << (15 - b);
  return static_cast<uint16_t>(w);
}

void st_header(kit_bytes &out, unsigned resolution, const st_picture &st) {
  encode_be16(out, resolution);
  for (uint16_t w : st.words) encode_be16(out, w);
}

// Interleaved: per 16 pixels, planes 0..3 one word each.
void st_interleaved(kit_bytes &out, const st_picture &st) {
  for (size_t g = 0; g < 64000; g += 16)
    for (int p = 0; p < 4; p++) encode_be16(out, st_plane_word(&st.pixels[g], p));
}

} // namespace

bool encode_pi1(const kit_picture &pic, kit_bytes &out, std::string &error) {
  st_picture st;
  if (!st_prepare(pic, "PI1", st, error)) return false;
  out.clear();
  st_header(out, 0, st);
  st_interleaved(out, st);
  return true;
}

bool encode_neo(const kit_picture &pic, kit_bytes &out, std::string &error) {
  st_picture st;
  if (!st_prepare(pic, "NEO", st, error)) return false;
  out.clear();
  encode_be16(out, 0); // flags
  encode_be16(out, 0); // low resolution
  for (uint16_t w : st.words) encode_be16(out, w);
  const char name[] = "        .   "; // 12 bytes, no file name
  out.insert(out.end(), name, name + 12);
  encode_be16(out, 0);   // colour animation limits
  encode_be16(out, 0);   // animation speed and direction
  encode_be16(out, 0);   // animation steps
  encode_be16(out, 0);   // x offset
  encode_be16(out, 0);   // y offset
  encode_be16(out, 320); // width
  encode_be16(out, 200); // height
  out.resize(128, 0);
  st_interleaved(out, st);
  return true;
}

bool encode_pc1(const kit_picture &pic, kit_bytes &out, std::string &error) {
  st_picture st;
  if (!st_prepare(pic, "PC1", st, error)) return false;
  out.clear();
  st_header(out, 0x8000, st); // compressed, low resolution
  // Each line's planes one after another, each plane's 40 bytes packed alone.
  for (int y = 0; y < 200; y++)
    for (int p = 0; p < 4; p++) {
      uint8_t plane[40];
      for (int g = 0; g < 20; g++) {
        uint16_t w = st_plane_word(
            &st.pixels[static_cast<size_t>(y) * 320 + static_cast<size_t>(g) * 16], p);
        plane[2 * g] = static_cast<uint8_t>(w >> 8);
        plane[2 * g + 1] = static_cast<uint8_t>(w);
      }
      encode_packbits(plane, 40, out);
    }
  out.resize(out.size() + 32, 0); // colour-cycling tables: none
  return true;
}
