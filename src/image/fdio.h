// Open file descriptors: one holder that closes on every way out, and whole
// reads and writes that carry on after short and interrupted transfers.
#pragma once
#include <cstddef>
#include <sys/types.h>
#include <utility>

struct fdio_file {
  int fd = -1;
  fdio_file() = default;
  explicit fdio_file(int f) : fd(f) {}
  fdio_file(fdio_file &&other) noexcept : fd(std::exchange(other.fd, -1)) {}
  fdio_file &operator=(fdio_file &&other) noexcept {
    std::swap(fd, other.fd);
    return *this;
  }
  fdio_file(const fdio_file &) = delete;
  fdio_file &operator=(const fdio_file &) = delete;
  ~fdio_file();
  bool ok() const { return fd >= 0; }
};

// open(2) and openat(2) with O_CLOEXEC added, retried when a signal
// interrupts them; the holder is not ok() when the file cannot be opened.
fdio_file fdio_open(const char *name, int flags, mode_t mode = 0);
fdio_file fdio_openat(int dir_fd, const char *name, int flags);
// A regular file opened for reading (relative to dir_fd, or AT_FDCWD).
// Anything else is not kept open (errno EISDIR for a folder, ENXIO for a
// FIFO, device or socket): opening a FIFO could block for ever, and reading
// a device need never end.
fdio_file fdio_open_regular(int dir_fd, const char *name);

// Reads until n bytes are in, the file ends or an error (such as reading a
// folder) stops it; returns the count read.
size_t fdio_read_all(int fd, void *out, size_t n);
// Writes all n bytes; false with errno set when the file takes no more.
bool fdio_write_all(int fd, const void *data, size_t n);
