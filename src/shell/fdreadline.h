// The line reader of the fighter-set files.
#pragma once
#include <cstdint>

// Reads the next non-blank line of fd into buffer (size bytes with the
// terminator; longer lines come in pieces). LF, CR and CR LF end a line.
// Returns the length stored, or -1 at the end of the file with nothing read.
int32_t fdreadline(int32_t fd, char *buffer, int32_t size);
