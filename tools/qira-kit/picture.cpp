// Reading and writing pictures for qira-kit: the game's own loaders for
// the game's formats, PNG and PPM besides; writing through a temporary
// file so that a refused or failed write leaves nothing behind.
#include "qira-kit/picture.h"
#include "image/anypic.h"
#include "image/bytes.h"
#include "image/fdio.h"
#include "qira-kit/encode.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

struct kit_format_entry {
  const char *name;
  bool (*encode)(const kit_picture &, kit_bytes &, std::string &);
};

namespace {

// The game's formats, by the game's own choice of format for a name.
kit_format_entry kit_game_format(anypic_format format) {
  switch (format) {
  case ANYPIC_ILBM: return {anypic_format_name(format), encode_ilbm};
  case ANYPIC_NEO: return {anypic_format_name(format), encode_neo};
  case ANYPIC_PCX: return {anypic_format_name(format), encode_pcx};
  case ANYPIC_PC1: return {anypic_format_name(format), encode_pc1};
  case ANYPIC_PI1: return {anypic_format_name(format), encode_pi1};
  case ANYPIC_NONE: break;
  }
  return {nullptr, nullptr};
}

// The game's formats first, then qira-kit's own; a null name for none.
kit_format_entry kit_find(const std::string &path) {
  const kit_format_entry game = kit_game_format(anypic_format_of(path.c_str()));
  if (game.name) return game;
  if (fnmatch("*.png", path.c_str(), FNM_CASEFOLD) == 0) return {"PNG", encode_png};
  if (fnmatch("*.ppm", path.c_str(), FNM_CASEFOLD) == 0) return {"PPM", encode_ppm};
  return {nullptr, nullptr};
}

} // namespace

const char *kit_format(const std::string &path) { return kit_find(path).name; }

namespace {

std::string kit_errno_text(const char *what, const std::string &path) {
  return std::string(what) + " " + path + ": " + std::strerror(errno);
}

} // namespace

bool kit_read_bytes(const std::string &path, bytes_file &file, std::string &error) {
  const fdio_file f = fdio_open_regular(AT_FDCWD, path.c_str());
  if (!f.ok()) {
    error = kit_errno_text("cannot open", path);
    return false;
  }
  if (!bytes_file_read(f.fd, file)) {
    error = "out of memory";
    return false;
  }
  return true;
}

bool kit_read(const std::string &path, kit_picture &out, std::string &error) {
  const char *format = kit_format(path);
  if (format && (!std::strcmp(format, "PNG") || !std::strcmp(format, "PPM"))) {
    bytes_file file;
    if (!kit_read_bytes(path, file, error)) return false;
    return !std::strcmp(format, "PNG") ? decode_png(file.span(), out, error)
                                       : decode_ppm(file.span(), out, error);
  }
  // Everything else exactly as the game loads it.
  std::array<uint8_t, 768> palette{};
  const char *message = nullptr;
  canvas *c = anypic_load(path.c_str(), nullptr, palette.data(), &message);
  if (!c) {
    error = message ? message : "cannot load";
    return false;
  }
  out.width = c->width;
  out.height = c->height;
  out.pixels.resize(static_cast<size_t>(c->width) * static_cast<size_t>(c->height));
  for (int y = 0; y < c->height; y++)
    std::memcpy(&out.pixels[static_cast<size_t>(y) * static_cast<size_t>(c->width)],
                c->pixels + static_cast<size_t>(y) * static_cast<size_t>(c->pitch),
                static_cast<size_t>(c->width));
  out.palette = palette;
  canvas_free(c);
  return true;
}

bool kit_write(const std::string &path, const kit_picture &pic, std::string &error) {
  const kit_format_entry f = kit_find(path);
  if (!f.name) {
    error =
        "unknown picture format for " + path + " (use .pi1 .pc1 .neo .lbm .ilbm .pcx .png .ppm)";
    return false;
  }
  kit_bytes data;
  return f.encode(pic, data, error) && kit_write_file(path, data, error);
}

bool kit_write_file(const std::string &path, const std::vector<uint8_t> &data, std::string &error) {
  // A temporary file beside the target, renamed over it once complete.
  std::string temp = path + ".XXXXXX";
  int fd = mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    error = kit_errno_text("cannot create a file beside", path);
    return false;
  }
  mode_t mask = umask(0);
  umask(mask);
  bool ok = fchmod(fd, 0666 & ~mask) == 0 && fdio_write_all(fd, data.data(), data.size());
  if (!ok) error = kit_errno_text("cannot write", temp);
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = kit_errno_text("cannot write", temp);
  }
  if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    error = kit_errno_text("cannot rename to", path);
  }
  if (!ok) ::unlink(temp.c_str());
  return ok;
}
