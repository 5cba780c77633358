// The generator's sequence, its two-step form and the seeding from the system.
#include "shell/random.h"
#include <gtest/gtest.h>
#include <filesystem>
#include <iterator>
#include <set>
#include <utility>

namespace {

TEST(Random, SequenceWrapTwoStepFormAndSeeding) {
  random_seed = 0;
  for (int want : {0, 9, 179, 15, 6, 129}) EXPECT_EQ(rand8(), want);
  random_seed = 0xFFFFFFFFu; // the state wraps modulo 2^32
  EXPECT_EQ(rand8(), 178);
  EXPECT_EQ(random_seed, 0xFFFFFFFFu - 19929u);
  random_seed = 0x12345678u; // rand16 is two rand8, high byte first
  const int hi = rand8(), lo = rand8();
  const uint32_t after_two = std::exchange(random_seed, 0x12345678u);
  EXPECT_EQ(std::pair(rand16(), random_seed), std::pair(hi * 256 + lo, after_two));
  auto open_files = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
  const auto before = open_files();
  std::set<uint32_t> seeds; // twenty seeds read from the device: no repeat, the device closed each time
  for (int i = 0; i < 20 && randomize() == 1; i++) seeds.insert(std::exchange(random_seed, 0));
  EXPECT_TRUE(seeds.size() == 20 && *seeds.rbegin() > 0xFFFFFFu); // all four bytes read
  EXPECT_EQ(open_files(), before);
}

} // namespace
