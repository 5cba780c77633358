// The PackBits (ByteRun1) decoder shared by the PC1 and IFF loaders.
#pragma once
#include <cstdint>

// Decodes packets from [source, source_end) into destination until count
// bytes are produced or the input ends. Header b 0..127: the next b + 1 bytes
// are copied; 128..255: the next byte is written 257 - b times (128 is a run
// of 129). At most count bytes are written: the output of a last packet that
// would overshoot is cut, though the packet is consumed whole. A packet
// that the input cuts short gives the bytes present. Returns the position
// after the last packet read (source itself when count < 1); the number of
// bytes written goes to *produced when it is given.
const uint8_t *rle_dec(const uint8_t *source, const uint8_t *source_end, uint8_t *destination,
                       int count, int *produced = nullptr);
