// Bounded byte reading and whole files in memory for the picture loaders.
#include "image/bytes.h"
#include "image/fdio.h"
#include <cstring>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

size_t bytes_read(bytes_reader &r, uint8_t *out, size_t n) {
  size_t have = bytes_left(r);
  if (have < n) n = have;
  if (n) std::memcpy(out, r.data + r.pos, n);
  r.pos += n;
  return n;
}

namespace {
uint8_t *bytes_alloc(size_t n) { return new (std::nothrow) uint8_t[n]; }
} // namespace

bool bytes_file_read(int fd, bytes_file &out) {
  out.data.reset();
  out.size = 0;
  struct stat st;
  size_t want = 0;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    off_t here = lseek(fd, 0, SEEK_CUR);
    if (here >= 0 && here < st.st_size) want = static_cast<size_t>(st.st_size - here);
    if (want > BYTES_FILE_LIMIT) want = BYTES_FILE_LIMIT;
  }
  if (want > 0) {
    // A regular file: one allocation, normally one read.
    out.data.reset(bytes_alloc(want));
    if (!out.data) return false;
    out.size = fdio_read_all(fd, out.data.get(), want);
    return true;
  }
  // Anything else (a pipe, a device, a file of unknown size): grow as it comes.
  size_t room = 64 * 1024;
  for (;;) {
    std::unique_ptr<uint8_t[]> bigger(bytes_alloc(room));
    if (!bigger) return false;
    if (out.size) std::memcpy(bigger.get(), out.data.get(), out.size);
    out.data = std::move(bigger);
    size_t got = fdio_read_all(fd, out.data.get() + out.size, room - out.size);
    out.size += got;
    if (out.size < room || room >= BYTES_FILE_LIMIT) return true;
    room = room * 2 > BYTES_FILE_LIMIT ? BYTES_FILE_LIMIT : room * 2;
  }
}
