// Open file descriptors and whole reads and writes.
#include "image/fdio.h"
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

fdio_file::~fdio_file() {
  if (fd >= 0) ::close(fd);
}

fdio_file fdio_open(const char *name, int flags, mode_t mode) {
  int fd;
  do {
    fd = ::open(name, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fdio_file(fd);
}

fdio_file fdio_openat(int dir_fd, const char *name, int flags) {
  int fd;
  do {
    fd = ::openat(dir_fd, name, flags | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return fdio_file(fd);
}

fdio_file fdio_open_regular(int dir_fd, const char *name) {
  fdio_file f = fdio_openat(dir_fd, name, O_RDONLY | O_NONBLOCK);
  struct stat st = {};
  if (f.ok() && (fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode))) {
    const int why = S_ISDIR(st.st_mode) ? EISDIR : ENXIO;
    f = fdio_file();
    errno = why;
  }
  return f;
}

size_t fdio_read_all(int fd, void *out, size_t n) {
  auto *p = static_cast<uint8_t *>(out);
  size_t got = 0;
  while (got < n) {
    const ssize_t r = ::read(fd, p + got, n - got);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    got += static_cast<size_t>(r);
  }
  return got;
}

bool fdio_write_all(int fd, const void *data, size_t n) {
  const auto *p = static_cast<const uint8_t *>(data);
  size_t done = 0;
  while (done < n) {
    const ssize_t w = ::write(fd, p + done, n - done);
    if (w < 0 && errno == EINTR) continue;
    if (w < 0) return false;
    if (w == 0) {
      errno = ENOSPC;
      return false;
    }
    done += static_cast<size_t>(w);
  }
  return true;
}
