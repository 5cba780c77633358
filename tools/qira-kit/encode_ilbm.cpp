// IFF PBM: FORM of BMHD, CMAP and a ByteRun1 BODY, one byte per pixel,
// rows of exactly width bytes. Numbers are big-endian.
#include "qira-kit/encode.h"

namespace {

void ilbm_chunk(kit_bytes &out, const char *id, const kit_bytes &data) {
  out.insert(out.end(), id, id + 4);
  encode_be32(out, static_cast<uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  if (data.size() & 1) out.push_back(0);
}

} // namespace

bool encode_ilbm(const kit_picture &pic, kit_bytes &out, std::string &error) {
  if (!encode_check(pic, error)) return false;
  if (pic.width > 65535 || pic.height > 65535) {
    error = "IFF pictures are at most 65535 pixels wide and high";
    return false;
  }
  unsigned w = static_cast<unsigned>(pic.width), h = static_cast<unsigned>(pic.height);
  kit_bytes bmhd;
  encode_be16(bmhd, w);
  encode_be16(bmhd, h);
  encode_be16(bmhd, 0); // x
  encode_be16(bmhd, 0); // y
  bmhd.push_back(8);    // planes
  bmhd.push_back(0);    // no mask
  bmhd.push_back(1);    // ByteRun1
  bmhd.push_back(0);    // pad
  encode_be16(bmhd, 0); // transparent colour
  bmhd.push_back(1);    // aspect 1:1
  bmhd.push_back(1);
  encode_be16(bmhd, w); // page size
  encode_be16(bmhd, h);

  const int colours = encode_palette_count(pic);
  kit_bytes cmap(pic.palette.begin(), pic.palette.begin() + 3 * colours);

  kit_bytes body;
  for (unsigned y = 0; y < h; y++)
    encode_packbits(&pic.pixels[static_cast<size_t>(y) * w], w, body);

  kit_bytes chunks = {'P', 'B', 'M', ' '};
  ilbm_chunk(chunks, "BMHD", bmhd);
  ilbm_chunk(chunks, "CMAP", cmap);
  ilbm_chunk(chunks, "BODY", body);
  out.assign({'F', 'O', 'R', 'M'});
  encode_be32(out, static_cast<uint32_t>(chunks.size()));
  out.insert(out.end(), chunks.begin(), chunks.end());
  return true;
}
