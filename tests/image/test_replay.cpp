// Every fuzzing seed and every input that once broke a loader, replayed
// through all the loaders (the sanitizers catch any stray access).
#include "image/ilbm.h"
#include "image/pcx.h"
#include "image/rle_dec.h"
#include "image/stpic.h"
#include "image_test.h"
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using memory_loader = canvas *(std::span<const uint8_t>, canvas *, uint8_t *, const char **);

// By name, the in-memory loader, and the size of canvas to give (the ST loaders always write 320x200).
static uint8_t replay_raw[NEO_READ_BYTES], replay_header[128];
static const struct { const char *name; memory_loader *from_memory; int w, h; } replay_loaders[] = {
    {"x.pi1", pi1_load_bytes, 320, 200},
    {"x.pc1", pc1_load_bytes, 320, 200},
    {"x.neo", [](auto f, auto c, auto p, auto e) { return neo_load_bytes(f, replay_raw, c, p, e); }, 320, 200},
    {"x.lbm", [](auto f, auto c, auto p, auto e) { return ilbm_load_bytes(f, replay_header, c, p, e); }, 13, 7},
    {"x.pcx", [](auto f, auto c, auto p, auto e) { return pcx_load_bytes(f, replay_header, c, p, e); }, 13, 7},
};

TEST(Replay, CorpusAndRegressionFilesThroughEveryLoader) {
  const fs::path root = fs::path(__FILE__).parent_path() / "../..";
  std::vector<fs::path> files;
  for (const char *sub : {"fuzz/corpus", "fuzz/regress"})
    for (const auto &e : fs::recursive_directory_iterator(root / sub))
      if (e.is_regular_file()) files.push_back(e.path());
  ASSERT_GT(files.size(), 5u) << "no seeds under " << root;
  for (const fs::path &path : files) {
    std::ifstream in(path, std::ios::binary);
    const bytes data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (const auto &l : replay_loaders) {
      SCOPED_TRACE(std::string(l.name) + " " + path.string());
      // From the file with a palette and from memory without: the same outcome.
      bytes pal(768), mem(size_t(l.w * l.h + 32), 0xEE);
      loaded a = load_file(l.name, data, nullptr, pal.data()), b;
      b.c.reset(l.from_memory(data, nullptr, nullptr, &b.err));
      EXPECT_STREQ(a.err, b.err);
      EXPECT_EQ(!a.c, a.err != nullptr);
      EXPECT_EQ(pixels_of(a), pixels_of(b));
      // A given canvas with guard bytes: a file taken without one is taken with one.
      canvas given = canvas_over(mem, l.w, l.h, l.w);
      loaded g = load_file(l.name, data, &given, pal.data());
      EXPECT_TRUE(g.got == &given || (!a.c && !g.got && g.err));
      EXPECT_EQ(bytes(mem.end() - 32, mem.end()), bytes(32, 0xEE));
    }
    bytes out(1001, 0xEE); // and the file as PackBits data
    EXPECT_LE(rle_dec(data.data(), data.data() + data.size(), out.data(), 1000), data.data() + data.size());
    EXPECT_EQ(out[1000], 0xEE);
  }
}
