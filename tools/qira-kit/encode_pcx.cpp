// ZSoft PCX version 5: one 8-bit plane, run-length rows, then the marker 12
// and 256 colours. Header numbers are little-endian. Bytes per line is the
// width itself (the game takes it as the width), even when odd.
#include "qira-kit/encode.h"

bool encode_pcx(const kit_picture &pic, kit_bytes &out, std::string &error) {
  if (!encode_check(pic, error)) return false;
  if (pic.width > 65535 || pic.height > 65536) {
    error = "PCX pictures are at most 65535 pixels wide and 65536 high";
    return false;
  }
  unsigned w = static_cast<unsigned>(pic.width), h = static_cast<unsigned>(pic.height);
  out.assign({10, 5, 1, 8});
  encode_le16(out, 0);     // Xmin
  encode_le16(out, 0);     // Ymin
  encode_le16(out, w - 1); // Xmax
  encode_le16(out, h - 1); // Ymax
  encode_le16(out, 72);    // dots per inch
  encode_le16(out, 72);
  out.insert(out.end(), pic.palette.begin(), pic.palette.begin() + 48); // 16-colour table
  out.push_back(0);                                                     // reserved
  out.push_back(1);                                                     // one plane
  encode_le16(out, w);                                                  // bytes per line
  encode_le16(out, 1);                                                  // colour palette
  out.resize(128, 0);

  for (unsigned y = 0; y < h; y++) {
    const uint8_t *row = &pic.pixels[static_cast<size_t>(y) * w];
    for (unsigned x = 0; x < w;) {
      unsigned run = 1;
      while (x + run < w && run < 63 && row[x + run] == row[x]) run++;
      // A single byte below 0xC0 stands for itself; anything else is a run.
      if (run > 1 || row[x] >= 0xC0) out.push_back(static_cast<uint8_t>(0xC0 | run));
      out.push_back(row[x]);
      x += run;
    }
  }
  out.push_back(12);
  out.insert(out.end(), pic.palette.begin(), pic.palette.end());
  return true;
}
