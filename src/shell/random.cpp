// The game's linear congruential generator, seeded from the system.
#include "shell/random.h"
#include <fcntl.h>
#include <unistd.h>

uint32_t random_seed = 0;

namespace {

uint32_t random_step() {
  random_seed = random_seed * 20077u + 147u; // modulo 2^32 by unsigned wrap
  return random_seed;
}

// Closes the descriptor whichever way the caller leaves.
struct fd_closer {
  int fd;
  ~fd_closer() { close(fd); }
};

} // namespace

int randomize() {
  int fd = open("/dev/random", O_RDONLY);
  if (fd < 0) return 0;
  fd_closer guard{fd};
  // The seed takes the bytes as they come, in memory order; a short read
  // keeps what it got.
  ssize_t got = read(fd, &random_seed, sizeof random_seed);
  (void)got;
  return 1;
}

// The low byte of the state is a poor source (period 256); bits 8..15 are used.
int rand8() { return static_cast<int>((random_step() >> 8) & 0xFF); }

int rand16() {
  uint32_t s1 = random_step();
  uint32_t s2 = random_step();
  return static_cast<int>((s1 & 0xFF00) + ((s2 >> 8) & 0xFF));
}
