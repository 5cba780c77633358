// The generator's sequence, its two-step form and the seeding from the system.
#include "shell/random.h"
#include <gtest/gtest.h>
#include <dirent.h>
#include <set>
#include <vector>

namespace {

TEST(Random, Rand8SequenceFromZero) {
  random_seed = 0;
  std::vector<int> got;
  for (int i = 0; i < 6; i++) got.push_back(rand8());
  EXPECT_EQ(got, (std::vector<int>{0, 9, 179, 15, 6, 129}));
}

TEST(Random, Rand16IsTwoRand8HighThenLow) {
  random_seed = 0;
  EXPECT_EQ(rand16(), 9);
  EXPECT_EQ(random_seed, 147u * 20077u + 147u);

  for (uint32_t start : {0u, 1u, 0x12345678u, 0xFFFFFFFFu, 0x80000000u}) {
    random_seed = start;
    int hi = rand8();
    int lo = rand8();
    uint32_t after_two = random_seed;
    random_seed = start;
    EXPECT_EQ(rand16(), hi * 256 + lo) << start;
    EXPECT_EQ(random_seed, after_two) << start;
  }
}

TEST(Random, StateWrapsModulo2To32) {
  random_seed = 0xFFFFFFFFu;
  EXPECT_EQ(rand8(), 178);
  EXPECT_EQ(random_seed, 0xFFFFFFFFu - 19929u); // 2^32 - 19930
}

int open_descriptors() {
  int n = 0;
  if (DIR *d = opendir("/proc/self/fd")) {
    while (readdir(d)) n++;
    closedir(d);
  }
  return n;
}

TEST(Random, RandomizeReadsASeedAndClosesTheDevice) {
  int before = open_descriptors();
  std::set<uint32_t> seeds;
  for (int i = 0; i < 20; i++) {
    random_seed = 0;
    ASSERT_EQ(randomize(), 1);
    seeds.insert(random_seed);
  }
  EXPECT_EQ(open_descriptors(), before);
  // Twenty reads of 32 random bits: a repeat among them would be a broken read.
  EXPECT_EQ(seeds.size(), 20u);
}

} // namespace
