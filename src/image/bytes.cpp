// Bounded byte reading and whole-file reads for the picture loaders.
#include "image/bytes.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

size_t bytes_read(bytes_reader &r, uint8_t *out, size_t n) {
  size_t have = bytes_left(r);
  if (have < n) {
    r.ran_out = true;
    n = have;
  }
  if (n) std::memcpy(out, r.data + r.pos, n);
  r.pos += n;
  return n;
}

bytes_fd::bytes_fd(const char *name) {
  // Opening a FIFO or a device may block for ever: open without waiting and
  // keep only a regular file.
  do {
    fd = ::open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  struct stat st = {};
  if (fd >= 0 && (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
    const int why = S_ISDIR(st.st_mode) ? EISDIR : ENXIO;
    ::close(fd);
    fd = -1;
    errno = why;
  }
}

bytes_fd::~bytes_fd() {
  if (fd >= 0) ::close(fd);
}

size_t bytes_fd_read(const bytes_fd &f, uint8_t *out, size_t n) {
  size_t got = 0;
  while (got < n) {
    ssize_t r = ::read(f.fd, out + got, n - got);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break; // end of file, or an error such as reading a folder
    got += size_t(r);
  }
  return got;
}

static uint8_t *bytes_alloc(size_t n) { return new (std::nothrow) uint8_t[n ? n : 1]; }

bool bytes_fd_read_all(const bytes_fd &f, bytes_file &out) {
  out.data.reset();
  out.size = 0;
  struct stat st;
  size_t want = 0;
  if (fstat(f.fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    off_t here = lseek(f.fd, 0, SEEK_CUR);
    if (here >= 0 && here < st.st_size) want = size_t(st.st_size - here);
    if (want > BYTES_FILE_LIMIT) want = BYTES_FILE_LIMIT;
  }
  if (want > 0) {
    // A regular file: one allocation, normally one read.
    out.data.reset(bytes_alloc(want));
    if (!out.data) return false;
    out.size = bytes_fd_read(f, out.data.get(), want);
    return true;
  }
  // Anything else (a pipe, a device, a file of unknown size): grow as it comes.
  size_t room = 64 * 1024;
  for (;;) {
    std::unique_ptr<uint8_t[]> bigger(bytes_alloc(room));
    if (!bigger) return false;
    if (out.size) std::memcpy(bigger.get(), out.data.get(), out.size);
    out.data = std::move(bigger);
    size_t got = bytes_fd_read(f, out.data.get() + out.size, room - out.size);
    out.size += got;
    if (out.size < room || room >= BYTES_FILE_LIMIT) return true;
    room = room * 2 > BYTES_FILE_LIMIT ? BYTES_FILE_LIMIT : room * 2;
  }
}
