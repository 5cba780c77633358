// Chooses the loader by the file name's pattern, and the loaders' canvas.
#include "image/anypic.h"
#include "image/ilbm.h"
#include "image/pcx.h"
#include "image/stpic.h"
#include <fnmatch.h>

static bool anypic_match(const char *pattern, const char *name) {
  return fnmatch(pattern, name, FNM_CASEFOLD) == 0;
}

canvas *anypic_load(const char *name, canvas *c, uint8_t *palette, const char **error) {
  // First match wins; the contents are never looked at.
  if (anypic_match("*.ilbm", name)) return ilbm_load(name, nullptr, c, palette, error);
  if (anypic_match("*.lbm", name)) return ilbm_load(name, nullptr, c, palette, error);
  if (anypic_match("*.neo", name)) return neo_load(name, nullptr, c, palette, error);
  if (anypic_match("*.pcx", name)) return pcx_load(name, nullptr, c, palette, error);
  if (anypic_match("*.pc1", name)) return pc1_load(name, c, palette, error);
  if (anypic_match("*.pi1", name)) return pi1_load(name, c, palette, error);
  anypic_fail(error, anypic_msg_unhandled);
  return nullptr;
}

canvas *anypic_new_canvas(long long width, long long height, const char **error) {
  if (width <= 0 || height <= 0) {
    anypic_fail(error, anypic_msg_no_size);
    return nullptr;
  }
  if (width > ANYPIC_MAX_PIXELS || height > ANYPIC_MAX_PIXELS || width * height > ANYPIC_MAX_PIXELS) {
    anypic_fail(error, anypic_msg_too_large);
    return nullptr;
  }
  canvas *c = canvas_new(int(width), int(height));
  if (!c) anypic_fail(error, anypic_msg_no_memory);
  return c;
}

bool anypic_read_file(const char *name, bytes_file &file, const char **error) {
  bytes_fd f(name);
  if (!f.ok()) {
    anypic_fail(error, anypic_msg_open);
    return false;
  }
  if (!bytes_fd_read_all(f, file)) {
    anypic_fail(error, anypic_msg_no_memory);
    return false;
  }
  return true;
}
