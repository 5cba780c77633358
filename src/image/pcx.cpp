// ZSoft PCX: a 128-byte header (numbers little-endian), run-length coded
// rows, and 768 bytes of red, green, blue at the very end of the file.
#include "image/pcx.h"
#include "image/bytes.h"
#include "image/loader.h"
#include <cstring>

namespace {

// Each row takes bytes until it has bpl pixels; a run may carry over into
// the next row's place. Pixels go to out (moved on) but never past out_end;
// decoding stops where the data ends, which is returned.
const uint8_t *pcx_decode_rows(const uint8_t *p, const uint8_t *end, int rows, int bpl,
                               uint8_t *&out, uint8_t *out_end) {
  for (int row = 0; row < rows; row++) {
    int count = 0;
    while (count < bpl) {
      if (p == end) return p;
      unsigned b = *p++;
      if ((b & 0xC0) == 0xC0) {
        if (p == end) return p;
        unsigned n = b & 0x3F;
        size_t put =
            n < static_cast<size_t>(out_end - out) ? n : static_cast<size_t>(out_end - out);
        std::memset(out, *p++, put);
        out += put;
        count += static_cast<int>(n);
      } else {
        if (out < out_end) *out++ = static_cast<uint8_t>(b);
        count++;
      }
    }
  }
  return p;
}

} // namespace

canvas *pcx_load_bytes(std::span<const uint8_t> file, uint8_t *header, canvas *c, uint8_t *palette,
                       const char **error) {
  uint8_t own_header[128];
  uint8_t *hd = header ? header : own_header;
  bytes_reader r = bytes_reader_of(file);
  if (bytes_read(r, hd, 128) < 128) {
    anypic_fail(error, anypic_msg_header);
    return nullptr;
  }
  // Ymin at 6, Ymax at 10, bytes per line at 66; the width is bytes per line.
  int ymin = hd[6] | hd[7] << 8;
  int ymax = hd[10] | hd[11] << 8;
  int bpl = hd[66] | hd[67] << 8;
  int rows = ymax - ymin + 1;

  bool fresh = false;
  if (!c) {
    if (!(c = anypic_new_canvas(bpl, rows, error))) return nullptr;
    fresh = true;
  }
  // Rows go one after another from pixels, pitch aside, and never past the
  // canvas's last pixel.
  size_t room = c->width > 0 && c->height > 0
                    ? static_cast<size_t>(c->height - 1) * static_cast<size_t>(c->pitch) +
                          static_cast<size_t>(c->width)
                    : 0;
  uint8_t *out = c->pixels;
  uint8_t *out_end = out + room;

  const uint8_t *end = r.data + r.size;
  const uint8_t *p = pcx_decode_rows(bytes_here(r), end, rows, bpl, out, out_end);
  if (fresh) std::memset(out, 0, static_cast<size_t>(out_end - out));

  if (palette) {
    // The last 768 bytes; a file too short for that reads on from where the
    // rows stopped, as a failed seek would leave it (fewer than 768 bytes).
    if (file.size() >= 768)
      std::memcpy(palette, file.data() + file.size() - 768, 768);
    else
      std::memcpy(palette, p, static_cast<size_t>(end - p));
  }
  return c;
}

canvas *pcx_load(const char *name, uint8_t *header, canvas *c, uint8_t *palette,
                 const char **error) {
  bytes_file file;
  if (!anypic_read_file(name, file, error)) return nullptr;
  return pcx_load_bytes(file.span(), header, c, palette, error);
}
