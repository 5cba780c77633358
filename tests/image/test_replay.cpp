// Every fuzzing seed and every input that once broke a loader, replayed
// through all the loaders (the sanitizers catch any stray access).
#include "image_test.h"
#include <filesystem>
#include <gtest/gtest.h>

TEST(Replay, CorpusAndRegressionFilesThroughEveryLoader) {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(__FILE__).parent_path() / "../..";
  std::vector<fs::path> files;
  for (const char *sub : {"fuzz/corpus", "fuzz/regress"})
    for (const auto &e : fs::recursive_directory_iterator(root / sub))
      if (e.is_regular_file()) files.push_back(e.path());
  ASSERT_GT(files.size(), 5u) << "no seeds under " << root;
  for (const fs::path &path : files) {
    std::ifstream in(path, std::ios::binary);
    const bytes data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // The ST loaders always write 320x200 into a given canvas; the others only where it fits.
    for (auto [name, w, h] : {std::tuple("x.pi1", 320, 200),
                              {"x.pc1", 320, 200},
                              {"x.neo", 320, 200},
                              {"x.lbm", 13, 7},
                              {"x.pcx", 13, 7}}) {
      SCOPED_TRACE(std::string(name) + " " + path.string());
      bytes pal(768), mem(size_t(w * h + 32), 0xEE);
      loaded a = load_file(name, data, nullptr, pal.data());
      EXPECT_EQ(!a.c, a.err != nullptr);
      // A given canvas with guard bytes: a file taken without one is taken with one.
      canvas given = canvas_over(mem, w, h, w);
      loaded g = load_file(name, data, &given, pal.data());
      EXPECT_TRUE(g.got == &given || (!a.c && !g.got && g.err));
      EXPECT_EQ(bytes(mem.end() - 32, mem.end()), bytes(32, 0xEE));
    }
  }
}
