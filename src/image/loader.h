// What the picture loaders share among themselves; nothing outside
// src/image/ includes this.
#pragma once
#include "canvas/canvas.h"
#include "image/anypic.h"
#include "image/bytes.h"
#include "image/fdio.h"
#include <cstdint>

// Stores msg through error when error is given.
inline void anypic_fail(const char **error, const char *msg) {
  if (error) *error = msg;
}

// A new canvas of width x height for a loader; null with "Picture has no
// size", "Picture too large" or "Out of memory" when it cannot be had.
canvas *anypic_new_canvas(long long width, long long height, const char **error);

// The named file opened for reading; not ok() after "Unable to open file".
fdio_file anypic_open(const char *name, const char **error);

// The whole file, for the loaders that walk it with a bytes_reader; false
// with "Unable to open file" or "Out of memory" when it cannot be had.
bool anypic_read_file(const char *name, bytes_file &file, const char **error);

// Decodes the PC1 data at the reader's position, until 32000 bytes are
// unpacked or the data ends, into 64000 pixels; data that ends early leaves
// colour 0.
void read_pc1(bytes_reader &file, uint8_t *pixels);
