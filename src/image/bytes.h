// Bounded reading of untrusted picture bytes, and whole files in memory.
// Every read checks the end of the data; a read past it yields zeros
// instead of touching memory outside the buffer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

struct bytes_reader {
  const uint8_t *data = nullptr;
  size_t size = 0;
  size_t pos = 0;
};

inline bytes_reader bytes_reader_of(std::span<const uint8_t> s) { return {s.data(), s.size(), 0}; }

inline size_t bytes_left(const bytes_reader &r) { return r.size - r.pos; }
inline const uint8_t *bytes_here(const bytes_reader &r) { return r.data + r.pos; }

// Moves on n bytes, or to the end when fewer are left.
inline void bytes_skip(bytes_reader &r, size_t n) {
  r.pos = bytes_left(r) < n ? r.size : r.pos + n;
}

// Copies up to n bytes into out, as a short file read would; returns the
// number copied.
size_t bytes_read(bytes_reader &r, uint8_t *out, size_t n);

// Big-endian numbers at p (the caller has checked the bounds).
inline uint16_t bytes_be16_at(const uint8_t *p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }
inline uint32_t bytes_be32_at(const uint8_t *p) {
  return static_cast<uint32_t>(bytes_be16_at(p)) << 16 | bytes_be16_at(p + 2);
}

// Files larger than this are read only up to it; the bytes beyond count as
// absent. No picture within the pixel limit needs more.
constexpr size_t BYTES_FILE_LIMIT = static_cast<size_t>(64) << 20;

// A whole file in memory (at most BYTES_FILE_LIMIT bytes).
struct bytes_file {
  std::unique_ptr<uint8_t[]> data;
  size_t size = 0;
  std::span<const uint8_t> span() const { return {data.get(), size}; }
};

// Reads the rest of an open file; false when memory runs out.
bool bytes_file_read(int fd, bytes_file &out);
