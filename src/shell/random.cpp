// The game's linear congruential generator, seeded from the system.
#include "shell/random.h"
#include "image/fdio.h"
#include <fcntl.h>

uint32_t random_seed = 0;

namespace {

uint32_t random_step() {
  random_seed = random_seed * 20077u + 147u; // modulo 2^32 by unsigned wrap
  return random_seed;
}

} // namespace

int randomize() {
  const fdio_file f = fdio_open("/dev/random", O_RDONLY);
  if (!f.ok()) return 0;
  // The seed takes the bytes as they come, in memory order; a short read
  // keeps what it got.
  fdio_read_all(f.fd, &random_seed, sizeof random_seed);
  return 1;
}

// The low byte of the state is a poor source (period 256); bits 8..15 are used.
int rand8() { return static_cast<int>((random_step() >> 8) & 0xFF); }

int rand16() {
  uint32_t s1 = random_step();
  uint32_t s2 = random_step();
  return static_cast<int>((s1 & 0xFF00) + ((s2 >> 8) & 0xFF));
}
