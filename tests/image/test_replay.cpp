// Every fuzzing seed and every input that once broke a loader, replayed
// through all the loaders (the sanitizers catch any stray access).
#include "image/anypic.h"
#include "image/ilbm.h"
#include "image/pcx.h"
#include "image/rle_dec.h"
#include "image/stpic.h"
#include "image_test.h"
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

static fs::path source_dir() {
  const char *env = std::getenv("QIRA_SOURCE_DIR");
  return env ? fs::path(env) : fs::path(__FILE__).parent_path().parent_path().parent_path();
}

static std::vector<fs::path> replay_files() {
  std::vector<fs::path> files;
  for (const char *sub : {"fuzz/corpus", "fuzz/regress"}) {
    fs::path dir = source_dir() / sub;
    if (!fs::exists(dir)) continue;
    for (const auto &e : fs::recursive_directory_iterator(dir))
      if (e.is_regular_file()) files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

static bool same_pixels(const canvas *a, const canvas *b) {
  if (!a || !b) return a == b;
  if (a->width != b->width || a->height != b->height) return false;
  for (int y = 0; y < a->height; y++)
    if (std::memcmp(a->pixels + size_t(y) * size_t(a->pitch), b->pixels + size_t(y) * size_t(b->pitch), size_t(a->width)))
      return false;
  return true;
}

// Loads one way with and without a palette, and into given canvases.
template <typename Load> static void replay_loader(const char *what, const fs::path &p, Load load) {
  SCOPED_TRACE(std::string(what) + " " + p.string());
  uint8_t pal[768];
  std::memset(pal, 0, sizeof pal);
  const char *e1 = nullptr, *e2 = nullptr;
  canvas_ptr a(load(nullptr, pal, &e1));
  canvas_ptr b(load(nullptr, nullptr, &e2));
  EXPECT_TRUE(same_pixels(a.get(), b.get())); // a palette never changes pixels
  EXPECT_EQ(!a, e1 != nullptr);
  if (a) {
    EXPECT_GT(a->width, 0);
    EXPECT_GT(a->height, 0);
    EXPECT_LE(int64_t(a->width) * a->height, ANYPIC_MAX_PIXELS);
  }
  // Given canvases: a screen-sized one, and a small one with guard bytes.
  std::vector<uint8_t> screen(64000);
  canvas big = canvas_over(screen, 320, 200, 320);
  const char *e3 = nullptr;
  canvas *g = load(&big, pal, &e3);
  EXPECT_TRUE(g == &big || (g == nullptr && e3 != nullptr));
  // A file the loader took without a canvas it also takes with one.
  if (a) {
    EXPECT_EQ(g, &big);
  }
}

TEST(Replay, CorpusAndRegressionFilesThroughEveryLoader) {
  std::vector<fs::path> files = replay_files();
  ASSERT_GT(files.size(), 5u) << "no seeds found under " << source_dir();
  for (const fs::path &p : files) {
    std::string name = p.string();
    const char *n = name.c_str();
    replay_loader("pi1", p, [&](canvas *c, uint8_t *pal, const char **e) { return pi1_load(n, c, pal, e); });
    replay_loader("pc1", p, [&](canvas *c, uint8_t *pal, const char **e) { return pc1_load(n, c, pal, e); });
    replay_loader("neo", p, [&](canvas *c, uint8_t *pal, const char **e) {
      std::vector<uint8_t> raw(32128);
      return neo_load(n, raw.data(), c, pal, e);
    });
    replay_loader("ilbm", p, [&](canvas *c, uint8_t *pal, const char **e) {
      uint8_t hd[20];
      return ilbm_load(n, hd, c, pal, e);
    });
    replay_loader("pcx", p, [&](canvas *c, uint8_t *pal, const char **e) {
      uint8_t hd[128];
      return pcx_load(n, hd, c, pal, e);
    });
    // Small given canvases for the loaders that honour the size.
    std::vector<uint8_t> small(13 * 7 + 32, 0xEE);
    canvas s = canvas_over(small, 13, 7, 13);
    ilbm_load(n, nullptr, &s, nullptr, nullptr);
    pcx_load(n, nullptr, &s, nullptr, nullptr);
    EXPECT_EQ(std::count(small.begin() + 13 * 7, small.end(), 0xEE), 32) << name;
    // And the raw bytes as PackBits data.
    std::ifstream in(p, std::ios::binary);
    bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<uint8_t> out(1000);
    const uint8_t *end = rle_dec(data.data(), data.data() + data.size(), out.data(), 1000);
    EXPECT_LE(end, data.data() + data.size());
  }
}
