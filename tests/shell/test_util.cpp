// The line reader; the screen clear and shade palette on the dummy display.
#include "shell/util.h"
#include "shell/random.h"
#include "support/test_support.h"
#include "video/graphics.h"
#include "video/palette.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

TEST(Fdreadline, LineEndsSmallBuffersAndEndOfFile) {
  // Each read's (result, buffer), the buffer starting as "keep me"; then what is left in the file.
  const struct { std::string bytes; int size; std::vector<std::pair<int, std::string>> reads;
                 std::string unread; } cases[] = {
      {"ab\r\n\ncd", 64, {{2, "ab"}, {2, "cd"}, {-1, "cd"}}, ""}, // the end keeps the buffer
      {"abcdef\n", 4, {{3, "abc"}}, "def\n"}, // nothing is read past a full buffer
      {"first\nsecond\n", 64, {{5, "first"}}, "second\n"}, // nor past the line end
      {"xyz\n", 1, {{0, ""}}, "xyz\n"}, {"\n\r\n\n", 64, {{-1, "keep me"}}, ""},
  };
  for (auto &t : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &t - cases);
    int fd[2];
    ASSERT_TRUE(pipe(fd) == 0 && write(fd[1], t.bytes.data(), t.bytes.size()) == ssize_t(t.bytes.size()));
    close(fd[1]);
    char buf[64] = "keep me", rest[64];
    for (auto &[result, text] : t.reads) {
      EXPECT_EQ(fdreadline(fd[0], buf, t.size), result);
      EXPECT_STREQ(buf, text.c_str());
    }
    EXPECT_EQ(std::string(rest, std::max<ssize_t>(read(fd[0], rest, sizeof rest), 0)), t.unread);
    close(fd[0]);
  }
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
