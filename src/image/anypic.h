// Picture loading by file name. Every loader: name, [raw buffer,] canvas or
// null, 768-byte palette or null, error text pointer or null; the canvas or null.
#pragma once
#include "canvas/canvas.h"
#include <cstdint>

canvas *anypic_load(const char *name, canvas *c, uint8_t *palette, const char **error);

// The formats the game reads, chosen by the name's pattern in any case
// (never by the contents).
enum anypic_format { ANYPIC_NONE, ANYPIC_ILBM, ANYPIC_NEO, ANYPIC_PCX, ANYPIC_PC1, ANYPIC_PI1 };
anypic_format anypic_format_of(const char *name);
// "IFF PBM", "NEO", "PCX", "PC1", "PI1"; null for ANYPIC_NONE.
const char *anypic_format_name(anypic_format format);
// The Atari ST formats: 320x200 in 16 colours of 3 bits per component.
constexpr bool anypic_format_is_st(anypic_format format) {
  return format == ANYPIC_NEO || format == ANYPIC_PC1 || format == ANYPIC_PI1;
}

// The loaders' message texts: constants, compared by content or address.
inline constexpr char anypic_msg_open[] = "Unable to open file";
inline constexpr char anypic_msg_header[] = "Could not read header";
inline constexpr char anypic_msg_no_form[] = "No FORM header";
inline constexpr char anypic_msg_no_pbm[] = "No ILBM PBM data";
inline constexpr char anypic_msg_no_body[] = "body is empty";
inline constexpr char anypic_msg_unhandled[] = "Unhandled image type";
inline constexpr char anypic_msg_no_size[] = "Picture has no size";
inline constexpr char anypic_msg_too_large[] = "Picture too large";
inline constexpr char anypic_msg_no_memory[] = "Out of memory";

// The largest picture a loader creates a canvas for, in pixels.
constexpr long long ANYPIC_MAX_PIXELS = 16LL << 20;
