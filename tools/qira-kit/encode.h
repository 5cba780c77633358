// qira-kit's picture encoders and the decoders for the formats the game
// does not read (PNG, PPM). Encoders refuse, with the reason, a picture
// the format cannot hold.
#pragma once
#include "qira-kit/picture.h"
#include "qira-kit/quant.h"
#include <cstdint>
#include <span>
#include <string>
#include <vector>

using kit_bytes = std::vector<uint8_t>;

bool encode_pi1(const kit_picture &pic, kit_bytes &out, std::string &error);
bool encode_pc1(const kit_picture &pic, kit_bytes &out, std::string &error);
bool encode_neo(const kit_picture &pic, kit_bytes &out, std::string &error);
bool encode_ilbm(const kit_picture &pic, kit_bytes &out, std::string &error);
bool encode_pcx(const kit_picture &pic, kit_bytes &out, std::string &error);
bool encode_ppm(const kit_picture &pic, kit_bytes &out, std::string &error);
bool encode_png(const kit_picture &pic, kit_bytes &out, std::string &error);
// Full colour with alpha: width * height red, green, blue, alpha quads.
bool encode_png_rgba(int width, int height, std::span<const uint8_t> rgba, kit_bytes &out,
                     std::string &error);

bool decode_ppm(std::span<const uint8_t> file, kit_picture &pic, std::string &error);
bool decode_png(std::span<const uint8_t> file, kit_picture &pic, std::string &error);

struct kit_png_info {
  const char *colour_type = ""; // "truecolour with alpha", "paletted", ...
  int bit_depth = 0;
  bool paletted = false;
};
// Any PNG as red, green, blue, alpha; a paletted one also as its indices
// and palette in *indexed when given.
bool decode_png_rgba(std::span<const uint8_t> file, kit_rgba &rgba, kit_png_info &info,
                     kit_picture *indexed, std::string &error);

// Colours the ST's 3 bits per component would merge: for each ST colour
// that two or more different colours in use round to, one line naming them.
std::vector<std::string> encode_st_merges(const kit_picture &pic);

// What a "too many colours" refusal suggests.
inline constexpr char encode_way_out[] =
    "reduce them with --colours N or map them onto a background's palette with --palette BG";

// Truecolour rows (width * height red, green, blue triples) to indices and
// a palette of the distinct colours in order of first appearance; refuses
// more than 256.
bool encode_index_colours(std::span<const uint8_t> rgb, int width, int height, kit_picture &pic,
                          std::string &error);

// PackBits / ByteRun1 packets for n bytes (runs of 2..128, literals of up
// to 128), appended to out.
void encode_packbits(const uint8_t *src, size_t n, kit_bytes &out);

// Palette entries worth writing: through the last used index and the last
// entry that is not black (so that reading back gives the same palette).
int encode_palette_count(const kit_picture &pic);

// Big- and little-endian numbers appended to out.
inline void encode_be16(kit_bytes &out, unsigned v) {
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}
inline void encode_le16(kit_bytes &out, unsigned v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void encode_be32(kit_bytes &out, uint32_t v) {
  encode_be16(out, v >> 16);
  encode_be16(out, v & 0xFFFF);
}

// False, with the reason, unless the picture has a positive size and
// exactly width * height pixels.
bool encode_check(const kit_picture &pic, std::string &error);
