// libFuzzer target: pictures loaded by file name through anypic_load, so
// the name matching, the file reading and each loader's file path are
// fuzzed too. The first two bytes choose how; the rest is the file.
//   byte 0, bits 0-2: the name's extension (the last two match no format)
//           bit 3: the extension in capitals
//           bit 4: a given canvas (else the loader makes one)
//           bit 5: a palette buffer
//           bits 6-7: a regular file, a pipe, a folder, a missing file
//   byte 1: the given canvas's shape
#include "fuzz_common.h"
#include "image/anypic.h"
#include "image/bytes.h"
#include "image/fdio.h"
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char *fuzz_extensions[] = {"ilbm", "lbm", "neo", "pcx", "pc1", "pi1", "gif", ""};
constexpr struct {
  int width, height, pitch;
} fuzz_shapes[] = {{320, 200, 320}, {7, 3, 7}, {5, 4, 9}, {640, 400, 640}};

// A private folder holding one file at a time, removed at exit.
std::string fuzz_dir, fuzz_last;
void fuzz_remove_last() {
  if (!fuzz_last.empty() && unlink(fuzz_last.c_str())) rmdir(fuzz_last.c_str());
}
void fuzz_remove_dir() {
  fuzz_remove_last();
  rmdir(fuzz_dir.c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 2) return 0;
  const uint8_t how = data[0];
  std::string ext = fuzz_extensions[how & 7];
  if (how & 8)
    for (char &ch : ext) ch = char(std::toupper(static_cast<unsigned char>(ch)));
  // The ST formats fill 64000 bytes of a given canvas row after row, so
  // they get one of at least that many (the game gives them the screen).
  const anypic_format format = anypic_format_of(("f." + ext).c_str());
  if (!anypic_format_name(format) != (format == ANYPIC_NONE)) std::abort();
  const bool st = anypic_format_is_st(format);
  const auto &shape = fuzz_shapes[st ? (data[1] & 1) * 3 : data[1] % std::size(fuzz_shapes)];
  if (fuzz_dir.empty()) {
    char tmpl[] = "/tmp/fuzz_anypic.XXXXXX";
    if (!mkdtemp(tmpl)) std::abort();
    fuzz_dir = tmpl;
    std::atexit(fuzz_remove_dir);
  }
  fuzz_remove_last();
  const std::string name = fuzz_dir + "/f." + ext;
  fuzz_last = name;
  int pipe_read = -1;
  switch (how >> 6) {
  case 0: {
    fdio_file f = fdio_open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (!f.ok() || !fdio_write_all(f.fd, data + 2, size - 2)) std::abort();
    break;
  }
  case 1: {
    // A pipe, reached by name through a link to /proc/self/fd.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK)) std::abort();
    // An input over the pipe's 64 KiB fills it: the writer stops short, and
    // the reader's buffer must grow.
    fdio_write_all(fds[1], data + 2, size - 2);
    close(fds[1]);
    // Opening an anonymous pipe by its /proc name does not wait for a writer.
    pipe_read = fds[0];
    if (symlink(("/proc/self/fd/" + std::to_string(pipe_read)).c_str(), name.c_str())) std::abort();
    break;
  }
  case 2:
    if (mkdir(name.c_str(), 0700)) std::abort();
    break;
  default: break; // no such file
  }
  fuzz_canvas given(shape.width, shape.height, shape.pitch);
  uint8_t palette[768];
  const char *error = nullptr;
  canvas *c = (how & 16) ? &given.c : nullptr;
  canvas *got = anypic_load(name.c_str(), c, (how & 32) ? palette : nullptr, &error);
  // Either a canvas (the given one when there was one) or a reason.
  if (got ? (c && got != c) || error : !error) std::abort();
  if (got && got != c) canvas_free(got);
  if (pipe_read >= 0) {
    // No loader reads a pipe, but qira-kit reads its standard input so:
    // whatever the pipe took must come out whole.
    bytes_file file;
    if (!bytes_file_read(pipe_read, file) || file.size > size - 2 ||
        std::memcmp(file.data.get(), data + 2, file.size))
      std::abort();
    close(pipe_read);
  }
  return 0;
}
