// Bounded reading of untrusted picture bytes, and the file holder the
// loaders read through. Every read checks the end of the data; a read past
// it yields zeros and sets the sticky ran_out flag instead of touching
// memory outside the buffer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

struct bytes_reader {
  const uint8_t *data = nullptr;
  size_t size = 0;
  size_t pos = 0;
  bool ran_out = false;
};

inline bytes_reader bytes_reader_of(std::span<const uint8_t> s) { return {s.data(), s.size(), 0, false}; }

inline size_t bytes_left(const bytes_reader &r) { return r.size - r.pos; }
inline const uint8_t *bytes_here(const bytes_reader &r) { return r.data + r.pos; }

inline uint8_t bytes_read_u8(bytes_reader &r) {
  if (r.pos >= r.size) {
    r.ran_out = true;
    return 0;
  }
  return r.data[r.pos++];
}

// Multi-byte reads take all their bytes or none (a short tail is consumed
// and the result is 0), so a truncated field never yields half a number.
inline bool bytes_take(bytes_reader &r, size_t n) {
  if (bytes_left(r) < n) {
    r.pos = r.size;
    r.ran_out = true;
    return false;
  }
  r.pos += n;
  return true;
}

inline uint16_t bytes_read_be16(bytes_reader &r) {
  if (!bytes_take(r, 2)) return 0;
  const uint8_t *p = r.data + r.pos - 2;
  return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

inline uint16_t bytes_read_le16(bytes_reader &r) {
  if (!bytes_take(r, 2)) return 0;
  const uint8_t *p = r.data + r.pos - 2;
  return static_cast<uint16_t>(p[1] << 8 | p[0]);
}

inline uint32_t bytes_read_be32(bytes_reader &r) {
  if (!bytes_take(r, 4)) return 0;
  const uint8_t *p = r.data + r.pos - 4;
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// Moves on n bytes, or to the end when fewer are left.
inline void bytes_skip(bytes_reader &r, size_t n) {
  if (bytes_left(r) < n) {
    r.pos = r.size;
    r.ran_out = true;
  } else {
    r.pos += n;
  }
}

// Copies up to n bytes into out, as a short file read would; returns the
// number copied (fewer than n sets ran_out).
size_t bytes_read(bytes_reader &r, uint8_t *out, size_t n);

// Big-endian 16-bit number at p (the caller has checked the bounds).
inline uint16_t bytes_be16_at(const uint8_t *p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

// An open regular file, closed when the holder goes. Anything else (a FIFO, a
// device, a folder) is not opened, so reading never blocks.
struct bytes_fd {
  int fd = -1;
  explicit bytes_fd(const char *name);
  ~bytes_fd();
  bytes_fd(const bytes_fd &) = delete;
  bytes_fd &operator=(const bytes_fd &) = delete;
  bool ok() const { return fd >= 0; }
};

// Reads from the file's current position until n bytes are in or the file
// ends (retrying short and interrupted reads); returns the count read.
size_t bytes_fd_read(const bytes_fd &f, uint8_t *out, size_t n);

// Files larger than this are read only up to it; the bytes beyond count as
// absent. No picture within the pixel limit needs more.
constexpr size_t BYTES_FILE_LIMIT = size_t(64) << 20;

// A whole file in memory (at most BYTES_FILE_LIMIT bytes).
struct bytes_file {
  std::unique_ptr<uint8_t[]> data;
  size_t size = 0;
  std::span<const uint8_t> span() const { return {data.get(), size}; }
};

// Reads the rest of an open file; false when memory runs out.
bool bytes_fd_read_all(const bytes_fd &f, bytes_file &out);
