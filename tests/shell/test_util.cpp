// The line reader; the screen clear and shade palette on the dummy display.
#include "shell/util.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// A pipe holding the given bytes, its writing end closed so that reads meet
// end of file after them.
struct byte_pipe {
  int fd[2] = {-1, -1};
  explicit byte_pipe(const std::string &bytes) {
    if (pipe(fd) != 0) return;
    if (write(fd[1], bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) ADD_FAILURE();
    close(fd[1]);
    fd[1] = -1;
  }
  ~byte_pipe() {
    if (fd[0] >= 0) close(fd[0]);
  }
  int in() const { return fd[0]; }
  // What is still unread.
  std::string rest() const {
    std::string out;
    char c;
    while (read(fd[0], &c, 1) == 1) out += c;
    return out;
  }
};

TEST(Fdreadline, SkipsBlankLinesAndAnyLineEnding) {
  byte_pipe p(std::string("ab\r\n\ncd"));
  char buf[256];
  EXPECT_EQ(fdreadline(p.in(), buf, sizeof buf), 2);
  EXPECT_STREQ(buf, "ab");
  EXPECT_EQ(fdreadline(p.in(), buf, sizeof buf), 2);
  EXPECT_STREQ(buf, "cd");
  EXPECT_EQ(fdreadline(p.in(), buf, sizeof buf), -1);

  byte_pipe cr(std::string("\r\rone\rtwo \t\r\n\r\nthree\n"));
  EXPECT_EQ(fdreadline(cr.in(), buf, sizeof buf), 3);
  EXPECT_STREQ(buf, "one");
  EXPECT_EQ(fdreadline(cr.in(), buf, sizeof buf), 5); // blanks and tabs are kept
  EXPECT_STREQ(buf, "two \t");
  EXPECT_EQ(fdreadline(cr.in(), buf, sizeof buf), 5);
  EXPECT_STREQ(buf, "three");
  EXPECT_EQ(fdreadline(cr.in(), buf, sizeof buf), -1);
}

TEST(Fdreadline, LongLinesAreCutAndTheRestReadNext) {
  byte_pipe p("abcdef\n");
  char buf[4];
  EXPECT_EQ(fdreadline(p.in(), buf, 4), 3);
  EXPECT_STREQ(buf, "abc");
  EXPECT_EQ(fdreadline(p.in(), buf, 4), 3);
  EXPECT_STREQ(buf, "def");
  EXPECT_EQ(fdreadline(p.in(), buf, 4), -1);
}

TEST(Fdreadline, ReadsNothingPastTheLineEnd) {
  byte_pipe p("first\nsecond\n");
  char buf[64];
  EXPECT_EQ(fdreadline(p.in(), buf, sizeof buf), 5);
  EXPECT_EQ(p.rest(), "second\n");

  // A full buffer ends the line without taking the byte after it.
  byte_pipe q("abcdef\n");
  EXPECT_EQ(fdreadline(q.in(), buf, 4), 3);
  EXPECT_EQ(q.rest(), "def\n");
}

TEST(Fdreadline, TinyBuffersReadNothing) {
  byte_pipe p("xyz\n");
  char buf[2] = {'Q', 'Q'};
  EXPECT_EQ(fdreadline(p.in(), buf, 1), 0);
  EXPECT_EQ(buf[0], '\0');
  EXPECT_EQ(buf[1], 'Q');
  buf[0] = 'Q';
  EXPECT_EQ(fdreadline(p.in(), buf, 0), 0);
  EXPECT_EQ(fdreadline(p.in(), buf, -7), 0);
  EXPECT_EQ(buf[0], 'Q'); // no room at all: nothing stored
  EXPECT_EQ(p.rest(), "xyz\n");
}

TEST(Fdreadline, EndOfFileWithNothingStoredLeavesTheBuffer) {
  char buf[8];
  std::memcpy(buf, "keep me", 8);
  byte_pipe empty("");
  EXPECT_EQ(fdreadline(empty.in(), buf, sizeof buf), -1);
  EXPECT_STREQ(buf, "keep me");
  byte_pipe blank("\n\r\n\n");
  EXPECT_EQ(fdreadline(blank.in(), buf, sizeof buf), -1);
  EXPECT_STREQ(buf, "keep me");
  // A bad descriptor reads like end of file.
  EXPECT_EQ(fdreadline(-1, buf, sizeof buf), -1);
  EXPECT_STREQ(buf, "keep me");

  // A last line without its line end is still a line.
  byte_pipe unterminated("tail");
  EXPECT_EQ(fdreadline(unterminated.in(), buf, sizeof buf), 4);
  EXPECT_STREQ(buf, "tail");
}

} // namespace

// ---- On the display (SDL's dummy driver) ----

#include "shell/random.h"
#include "support/test_support.h"
#include "video/graphics.h"
#include "video/palette.h"
#include <set>

namespace {

class ScreenUtil : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(test_display_open(false)); }
  void TearDown() override { test_display_close(); }
};

TEST_F(ScreenUtil, ClrZeroesTheScreenAndPresentsIt) {
  std::memset(vscrn, 7, 64000);
  graphics_update();
  const int scale = 1 << graphics_scale_shifts;
  auto shown = [&](int x, int y) { return RSCRN[y * sdl_rscrn->pitch + x]; };
  ASSERT_EQ(shown(0, 0), 7);

  clr();
  for (int i = 0; i < 64000; i++) ASSERT_EQ(vscrn[i], 0) << i;
  int nonzero = 0;
  for (int y = 0; y < 200 * scale; y++)
    for (int x = 0; x < 320 * scale; x++) nonzero += shown(x, y) != 0;
  EXPECT_EQ(nonzero, 0);
}

TEST_F(ScreenUtil, ShadePaletteFillsEntries16To31WithRampsAndMakesThemCurrent) {
  for (int i = 0; i < PALETTE_BYTES; i++) palette[i] = static_cast<uint8_t>(i * 7 + 3);
  uint8_t before[PALETTE_BYTES];
  std::memcpy(before, palette, sizeof before);

  random_seed = 0;
  rand8(), rand8(), rand8();
  const uint32_t after_three = random_seed;
  random_seed = 0; // rand8 then gives 0, 9, 179: bases 5, 14, 16
  set_shade_palette();
  EXPECT_EQ(random_seed, after_three); // one draw per component
  EXPECT_EQ(palette[16 * 3 + 0], 20);
  EXPECT_EQ(palette[16 * 3 + 1], 56);
  EXPECT_EQ(palette[16 * 3 + 2], 64);
  for (int i = 0; i < PALETTE_BYTES; i++)
    if (i < 16 * 3 || i >= 32 * 3) {
      ASSERT_EQ(palette[i], before[i]) << "byte " << i;
    }

  // The same colours went to SDL, on the virtual screen's surface too.
  for (int e = 16; e < 32; e++) {
    SDL_Color c = sdl_vscrn->format->palette->colors[e];
    EXPECT_EQ(c.r, palette[e * 3]) << e;
    EXPECT_EQ(c.g, palette[e * 3 + 1]) << e;
    EXPECT_EQ(c.b, palette[e * 3 + 2]) << e;
  }

  // Over many seeds: each component a multiple of 4 in 20..252, rising by 12
  // an entry, its start covering all of 20..72.
  std::set<int> starts;
  for (uint32_t seed = 1; seed < 400; seed++) {
    random_seed = seed * 2654435761u;
    set_shade_palette();
    for (int comp = 0; comp < 3; comp++) {
      starts.insert(palette[16 * 3 + comp]);
      for (int e = 16; e < 32; e++) {
        int v = palette[e * 3 + comp];
        ASSERT_EQ(v % 4, 0);
        ASSERT_GE(v, 20);
        ASSERT_LE(v, 252);
        if (e > 16) {
          ASSERT_EQ(v - palette[(e - 1) * 3 + comp], 12);
        }
      }
    }
  }
  EXPECT_EQ(starts.size(), 14u);
  EXPECT_EQ(*starts.begin(), 20);
  EXPECT_EQ(*starts.rbegin(), 72);
}

} // namespace
