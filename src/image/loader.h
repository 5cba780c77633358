// What the picture loaders share among themselves; nothing outside
// src/image/ includes this.
#pragma once
#include "canvas/canvas.h"
#include "image/anypic.h"
#include "image/bytes.h"
#include <cstddef>
#include <cstdint>
#include <span>

// Stores msg through error when error is given.
inline void anypic_fail(const char **error, const char *msg) {
  if (error) *error = msg;
}

// A new canvas of width x height for a loader; null with "Picture has no
// size", "Picture too large" or "Out of memory" when it cannot be had.
canvas *anypic_new_canvas(int width, int height, const char **error);

// The whole named file, which every xxx_load reads before its
// xxx_load_bytes decodes it; false with "Unable to open file" or "Out of
// memory" when it cannot be had.
bool anypic_read_file(const char *name, bytes_file &file, const char **error);

// For the loaders of fixed-size files: the first n bytes of file copied
// into out, zeros past the file's end (a short file decodes as colour 0).
const uint8_t *anypic_copy_first_bytes(std::span<const uint8_t> file, uint8_t *out, size_t n);
// The same bytes in place when the file has them all, else copied into spare.
inline const uint8_t *anypic_first_bytes(std::span<const uint8_t> file, uint8_t *spare, size_t n) {
  return file.size() >= n ? file.data() : anypic_copy_first_bytes(file, spare, n);
}
