// The line reader of the fighter-set files.
#include "shell/fdreadline.h"
#include <cerrno>
#include <unistd.h>

int32_t fdreadline(int32_t fd, char *buffer, int32_t size) {
  if (size <= 1) {
    if (size == 1) buffer[0] = '\0';
    return 0;
  }
  int32_t stored = 0;
  for (;;) {
    // One byte per read, so nothing past the line end is taken from the file.
    char ch;
    ssize_t got;
    do {
      got = read(fd, &ch, 1);
    } while (got < 0 && errno == EINTR);
    if (got != 1) {
      if (stored == 0) return -1; // the buffer stays as it was
      break;
    }
    if (ch == '\n' || ch == '\r') {
      if (stored == 0) continue; // blank line, or the LF of CR LF
      break;
    }
    buffer[stored++] = ch;
    if (stored == size - 1) break;
  }
  buffer[stored] = '\0';
  return stored;
}
