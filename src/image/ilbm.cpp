// IFF PBM: "FORM", length, "PBM ", then chunks (4-byte id, big-endian
// 32-bit length, data, a pad byte after odd lengths). BMHD gives the size
// and compression, CMAP the colours, BODY the rows of one byte per pixel.
#include "image/ilbm.h"
#include "image/bytes.h"
#include "image/loader.h"
#include "image/rle_dec.h"
#include <cstring>

namespace {

bool ilbm_is(const uint8_t *id, const char *name) { return std::memcmp(id, name, 4) == 0; }

// ByteRun1 rows into c. Nothing is decoded into a canvas narrower than the
// picture; rows stop at the canvas's height and where the data ends.
void ilbm_body_packed(const uint8_t *data, size_t n, unsigned w, unsigned h, canvas *c,
                      bool fresh) {
  if (static_cast<unsigned>(c->width) < w) return;
  unsigned rows = h < static_cast<unsigned>(c->height) ? h : static_cast<unsigned>(c->height);
  const uint8_t *src = data, *end = data + n;
  unsigned y = 0;
  int produced = static_cast<int>(w);
  for (; y < rows && src < end; y++)
    src = rle_dec(src, end, c->pixels + static_cast<size_t>(y) * static_cast<size_t>(c->pitch),
                  static_cast<int>(w), &produced);
  if (fresh && (y < rows || produced < static_cast<int>(w))) {
    // A new canvas (pitch w) keeps colour 0 where the data ran out.
    size_t done = y == 0 ? 0 : static_cast<size_t>(y - 1) * w + static_cast<size_t>(produced);
    std::memset(c->pixels + done, 0, static_cast<size_t>(w) * h - done);
  }
}

// Uncompressed rows of w bytes, straight from the file: h rows are taken
// whatever the chunk length says; a wider picture is cut on the right.
void ilbm_body_raw(bytes_reader &r, unsigned w, unsigned h, canvas *c, bool fresh) {
  size_t start = r.pos;
  unsigned rows = h < static_cast<unsigned>(c->height) ? h : static_cast<unsigned>(c->height);
  size_t cw = w < static_cast<unsigned>(c->width) ? w : static_cast<unsigned>(c->width);
  size_t avail = r.size - start;
  if (w == static_cast<unsigned>(c->width) && w == static_cast<unsigned>(c->pitch)) {
    // Rows lie back to back in both: one copy.
    size_t want = static_cast<size_t>(w) * rows;
    size_t n = want < avail ? want : avail;
    std::memcpy(c->pixels, r.data + start, n);
    if (fresh) std::memset(c->pixels + n, 0, static_cast<size_t>(w) * h - n);
  } else {
    for (unsigned y = 0; y < rows; y++) {
      size_t off = static_cast<size_t>(y) * w;
      size_t n = off >= avail ? 0 : (avail - off < cw ? avail - off : cw);
      std::memcpy(c->pixels + static_cast<size_t>(y) * static_cast<size_t>(c->pitch),
                  r.data + start + off, n);
    }
  }
  bytes_skip(r, static_cast<size_t>(w) * h);
}

} // namespace

canvas *ilbm_load_bytes(std::span<const uint8_t> file, uint8_t *bmhd, canvas *c, uint8_t *palette,
                        const char **error) {
  bytes_reader r = bytes_reader_of(file);
  if (bytes_left(r) < 8) {
    bytes_skip(r, 8);
    anypic_fail(error, anypic_msg_header);
    return nullptr;
  }
  if (!ilbm_is(bytes_here(r), "FORM")) {
    anypic_fail(error, anypic_msg_no_form);
    return nullptr;
  }
  bytes_skip(r, 8); // the FORM length is not needed
  if (bytes_left(r) < 4 || !ilbm_is(bytes_here(r), "PBM ")) {
    anypic_fail(error, anypic_msg_no_pbm);
    return nullptr;
  }
  bytes_skip(r, 4);

  uint8_t own_bmhd[20] = {};
  uint8_t *hd = bmhd ? bmhd : own_bmhd;
  bool have_bmhd = false;
  // The walk ends when no whole chunk header is left.
  while (bytes_left(r) >= 8) {
    const uint8_t *id = bytes_here(r);
    size_t len = bytes_be32_at(id + 4);
    bytes_skip(r, 8);
    if (ilbm_is(id, "BMHD")) {
      // 20 bytes are the header; a longer chunk's rest is passed over.
      bytes_read(r, hd, 20);
      have_bmhd = true;
      if (len > 20) bytes_skip(r, len - 20 + (len & 1));
    } else if (ilbm_is(id, "CMAP")) {
      // Straight into the palette, 768 bytes at most. An odd count of
      // colours gives an odd length: its pad byte must be passed too, or the
      // walk loses step and never finds the BODY.
      size_t n = palette ? bytes_read(r, palette, len < 768 ? len : 768) : 0;
      bytes_skip(r, len - n + (len & 1));
    } else if (ilbm_is(id, "BODY") && have_bmhd) {
      unsigned w = bytes_be16_at(hd), h = bytes_be16_at(hd + 2);
      bool fresh = false;
      if (!c) {
        c = anypic_new_canvas(static_cast<int>(w), static_cast<int>(h), error);
        if (!c) return nullptr;
        fresh = true;
      }
      if (hd[10] == 1) {
        // Packed: the chunk's bytes (those the file has), then its pad.
        size_t n = len < bytes_left(r) ? len : bytes_left(r);
        ilbm_body_packed(bytes_here(r), n, w, h, c, fresh);
        bytes_skip(r, len + (len & 1));
      } else {
        ilbm_body_raw(r, w, h, c, fresh);
      }
    } else {
      // Unknown chunks, and a BODY with no BMHD before it, are passed over.
      bytes_skip(r, len + (len & 1));
    }
  }
  if (!c) anypic_fail(error, anypic_msg_no_body);
  return c;
}

canvas *ilbm_load(const char *name, uint8_t *bmhd, canvas *c, uint8_t *palette,
                  const char **error) {
  bytes_file file;
  if (!anypic_read_file(name, file, error)) return nullptr;
  return ilbm_load_bytes(file.span(), bmhd, c, palette, error);
}
