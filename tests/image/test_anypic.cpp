// Choosing the loader by name.
#include "image/anypic.h"
#include "image_test.h"
#include <gtest/gtest.h>

// One file that each ST loader reads differently: PI1 sees a set bit at
// pixel 0, NEO one at pixel 1, PC1 only runs of zeros.
static bytes st_probe() {
  bytes b(32128, 0);
  b[34] = 0x80;
  b[128] = 0x40;
  return b;
}

static bytes pbm_3x2() {
  bytes b;
  put_text(b, "FORM");
  put_be32(b, 4 + 28 + 14);
  put_text(b, "PBM BMHD");
  put_be32(b, 20);
  put_be16(b, 3);
  put_be16(b, 2);
  put_fill(b, 16, 0);
  put_text(b, "BODY");
  put_be32(b, 6);
  put_bytes(b, {1, 2, 3, 4, 5, 6});
  return b;
}

static bytes pcx_5x1() {
  bytes b(128, 0);
  b[66] = 5; // bytes per line 5, Ymin = Ymax = 0
  put_bytes(b, {0xC5, 4});
  return b;
}

struct dispatched {
  canvas_ptr c;
  const char *err = nullptr;
};

static dispatched load(const std::string &name) {
  dispatched d;
  d.c.reset(anypic_load(name.c_str(), nullptr, nullptr, &d.err));
  return d;
}

TEST(Anypic, IffNamesInAnyCase) {
  temp_dir dir;
  for (const char *name : {"a.LBM", "b.Ilbm", "c.lbm", "d.ILBM"}) {
    dispatched d = load(put_file(dir, name, pbm_3x2()));
    ASSERT_TRUE(d.c) << name;
    EXPECT_EQ(d.c->width, 3) << name;
    EXPECT_EQ(d.c->height, 2) << name;
  }
}

TEST(Anypic, PcxAndTheStFormats) {
  temp_dir dir;
  dispatched d = load(put_file(dir, "p.Pcx", pcx_5x1()));
  ASSERT_TRUE(d.c);
  EXPECT_EQ(d.c->width, 5);
  EXPECT_EQ(pixel(d.c.get(), 4, 0), 4);

  d = load(put_file(dir, "s.PI1", st_probe()));
  ASSERT_TRUE(d.c);
  EXPECT_EQ(pixel(d.c.get(), 0, 0), 1);
  d = load(put_file(dir, "s.neo", st_probe()));
  ASSERT_TRUE(d.c);
  EXPECT_EQ(pixel(d.c.get(), 0, 0), 0);
  EXPECT_EQ(pixel(d.c.get(), 1, 0), 1);
  d = load(put_file(dir, "s.pC1", st_probe()));
  ASSERT_TRUE(d.c);
  EXPECT_EQ(std::count(d.c->pixels, d.c->pixels + 64000, 0), 64000);
}

TEST(Anypic, TheNameDecidesNotTheContents) {
  // An IFF file named .pi1 is read as PI1: 320x200.
  temp_dir dir;
  dispatched d = load(put_file(dir, "iff.pi1", pbm_3x2()));
  ASSERT_TRUE(d.c);
  EXPECT_EQ(d.c->width, 320);
  EXPECT_EQ(d.c->height, 200);
}

TEST(Anypic, UnknownNamesAreUnhandled) {
  temp_dir dir;
  for (const char *name : {"x.gif", "x.pi1.bak", "pi1", "x.pi"}) {
    dispatched d = load(put_file(dir, name, st_probe()));
    EXPECT_EQ(d.c, nullptr) << name;
    EXPECT_STREQ(d.err, "Unhandled image type") << name;
  }
  EXPECT_EQ(anypic_load("x.gif", nullptr, nullptr, nullptr), nullptr);
  // The loader's own failure comes back unchanged.
  EXPECT_STREQ(load(dir.file("missing.lbm")).err, "Unable to open file");
}
