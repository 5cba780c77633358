// Chooses the loader by the file name's pattern, and the loaders' canvas.
#include "image/anypic.h"
#include "image/fdio.h"
#include "image/ilbm.h"
#include "image/loader.h"
#include "image/pcx.h"
#include "image/stpic.h"
#include <cstring>
#include <fcntl.h>
#include <fnmatch.h>

namespace {

struct anypic_pattern {
  const char *pattern;
  anypic_format format;
};

// In the order they are tried; the first match wins.
constexpr anypic_pattern anypic_patterns[] = {
    {"*.ilbm", ANYPIC_ILBM}, {"*.lbm", ANYPIC_ILBM}, {"*.neo", ANYPIC_NEO},
    {"*.pcx", ANYPIC_PCX},   {"*.pc1", ANYPIC_PC1},  {"*.pi1", ANYPIC_PI1},
};

} // namespace

anypic_format anypic_format_of(const char *name) {
  for (const anypic_pattern &p : anypic_patterns)
    if (fnmatch(p.pattern, name, FNM_CASEFOLD) == 0) return p.format;
  return ANYPIC_NONE;
}

const char *anypic_format_name(anypic_format format) {
  switch (format) {
  case ANYPIC_ILBM: return "IFF PBM";
  case ANYPIC_NEO: return "NEO";
  case ANYPIC_PCX: return "PCX";
  case ANYPIC_PC1: return "PC1";
  case ANYPIC_PI1: return "PI1";
  case ANYPIC_NONE: break;
  }
  return nullptr;
}

canvas *anypic_load(const char *name, canvas *c, uint8_t *palette, const char **error) {
  switch (anypic_format_of(name)) {
  case ANYPIC_ILBM: return ilbm_load(name, nullptr, c, palette, error);
  case ANYPIC_NEO: return neo_load(name, nullptr, c, palette, error);
  case ANYPIC_PCX: return pcx_load(name, nullptr, c, palette, error);
  case ANYPIC_PC1: return pc1_load(name, c, palette, error);
  case ANYPIC_PI1: return pi1_load(name, c, palette, error);
  case ANYPIC_NONE: break;
  }
  anypic_fail(error, anypic_msg_unhandled);
  return nullptr;
}

canvas *anypic_new_canvas(int width, int height, const char **error) {
  if (width <= 0 || height <= 0) {
    anypic_fail(error, anypic_msg_no_size);
    return nullptr;
  }
  // Two ints multiply without overflow in a long long.
  if (static_cast<long long>(width) * height > ANYPIC_MAX_PIXELS) {
    anypic_fail(error, anypic_msg_too_large);
    return nullptr;
  }
  canvas *c = canvas_new(width, height);
  if (!c) anypic_fail(error, anypic_msg_no_memory);
  return c;
}

bool anypic_read_file(const char *name, bytes_file &file, const char **error) {
  fdio_file f = fdio_open_regular(AT_FDCWD, name);
  if (!f.ok()) {
    anypic_fail(error, anypic_msg_open);
    return false;
  }
  if (!bytes_file_read(f.fd, file)) {
    anypic_fail(error, anypic_msg_no_memory);
    return false;
  }
  return true;
}

const uint8_t *anypic_copy_first_bytes(std::span<const uint8_t> file, uint8_t *out, size_t n) {
  const size_t have = file.size() < n ? file.size() : n;
  if (have) std::memcpy(out, file.data(), have); // an empty span may have no data pointer
  std::memset(out + have, 0, n - have);
  return out;
}
