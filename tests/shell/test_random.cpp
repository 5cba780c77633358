// The generator's sequence and the seeding from the system; the shade palette drawn from it.
#include "shell/random.h"
#include "shell/util.h"
#include "support/test_support.h"
#include "video/graphics.h"
#include "video/palette.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <utility>

namespace {

TEST(Random, SequenceWrapAndSeeding) {
  random_seed = 0;
  for (int want : {0, 9, 179, 15, 6, 129}) EXPECT_EQ(rand8(), want);
  random_seed = 0xFFFFFFFFu; // the state wraps modulo 2^32
  EXPECT_EQ(rand8(), 178);
  EXPECT_EQ(random_seed, 0xFFFFFFFFu - 19929u);
  auto open_files = [] {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
  };
  const auto before = open_files();
  // Twenty seeds read from the device: no repeat, the device closed each time.
  std::set<uint32_t> seeds;
  for (int i = 0; i < 20 && randomize() == 1; i++) seeds.insert(std::exchange(random_seed, 0));
  EXPECT_TRUE(seeds.size() == 20 && *seeds.rbegin() > 0xFFFFFFu); // all four bytes read
  EXPECT_EQ(open_files(), before);
}

TEST(ScreenUtil, ShadePalette) {
  ASSERT_TRUE(test_display_open(false));
  for (int i = 0; i < PALETTE_BYTES; i++) palette[i] = static_cast<uint8_t>(i * 7 + 3);
  random_seed = 0; // rand8 then gives 0, 9, 179: bases 5, 14, 16, one per component
  set_shade_palette();
  EXPECT_TRUE(palette[48] == 20 && palette[49] == 56 && palette[50] == 64);
  for (int i = 0; i < PALETTE_BYTES; i++) { // entries 16..31 alone changed, and shown at once
    const SDL_Color c = sdl_vscrn->format->palette->colors[i / 3];
    const int shown = i % 3 == 0 ? c.r : i % 3 == 1 ? c.g : c.b;
    EXPECT_TRUE(shown == palette[i] && ((i >= 48 && i < 96) || palette[i] == uint8_t(i * 7 + 3)))
        << i;
  }
  int bad = 0; // over many seeds: multiples of 4 in 20..252, rising by 12 an entry
  for (uint32_t seed = 1; seed < 400; seed++) {
    random_seed = seed * 2654435761u, set_shade_palette();
    for (int i = 48; i < 96; i++)
      bad += palette[i] % 4 || palette[i] < 20 || palette[i] > 252 ||
             (i >= 51 && palette[i] != palette[i - 3] + 12);
  }
  EXPECT_EQ(bad, 0);
  test_display_close();
}

} // namespace
