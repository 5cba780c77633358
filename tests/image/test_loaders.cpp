// Loading by name: the choice of loader, the IFF PBM and PCX loaders, every refusal.
#include "image_test.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

// Each name says what it checks. want: the given canvas's memory (0xEE guards included), or a
// new canvas's pixels; pal: loaded with a palette, which then holds this.
struct load_case {
  const char *name;
  bytes file;
  int w, h, pitch; // the given canvas, if w
  bytes want;
  const char *msg = nullptr;
  bytes pal = {};
};

TEST(Loaders, EachFileAsTheGameLoadsIt) {
  constexpr uint8_t E = 0xEE;
  bytes probe(32128, 0), cmap(900, 0x5A), five(15, 1), no_pal(768, 0x3C);
  probe[34] = 0x80, probe[128] = 0x40, cmap[767] = 1; // PI1 sees pixel 0, NEO pixel 1, PC1 zeros
  const bytes p768(cmap.begin(), cmap.begin() + 768), p5 = cat({five, bytes(753, 0x3C)});
  // A BMHD and a BODY (after another chunk if given), cut short by cut bytes.
  const auto lbm = [](unsigned w, unsigned h, uint8_t packing, const bytes &body, size_t cut = 0,
                      const bytes &before = {}) {
    bytes f = form({before, chunk("BMHD", bmhd(w, h, packing)), chunk("BODY", body)});
    return bytes(f.begin(), f.end() - long(cut));
  };
  const bytes runs = {129, 5, 129, 5, 129, 5, 241, 5}, rows = {1, 1, 2, 1, 3, 4, 1, 5, 6},
              odd = chunk("CMAP", five), run6 = pcx(0, 2, 4, {0xC6, 1, 2, 3, 4, 5, 0xC7, 6}),
              pal_end = cat({pcx(0, 1, 3, {4, 0xC2, 5, 6, 7, 8}), {12}, p768});
  const load_case cases[] = {
      {"any case.LBM", lbm(3, 2, 0, {1, 2, 3, 4}), 0, 0, 0, {1, 2, 3, 4, 0, 0}},
      {"s.PI1", probe, 320, 200, 320, cat({{1}, bytes(176, 0), {8}, bytes(63822, 0)})},
      {"s.neo", probe, 320, 200, 320, cat({{0, 1}, bytes(63998, 0)})},
      {"s.pC1", probe, 320, 200, 320, bytes(64000, 0)},
      {"unknown extension.gif", pcx(0, 0, 1), 0, 0, 0, {}, "Unhandled image type"},
      {"pattern not at the end.pi1.bak", probe, 0, 0, 0, {}, "Unhandled image type"},
      {"planar.lbm", form({chunk("BMHD", bmhd(4, 4, 0))}, "ILBM"), 0, 0, 0, {}, "No ILBM PBM data"},
      {"no FORM.lbm", bytes(12, 0), 0, 0, 0, {}, "No FORM header"},
      {"no BODY.lbm", form({chunk("BMHD", bmhd(2, 2, 0))}), 0, 0, 0, {}, "body is empty"},
      {"huge.lbm", lbm(65535, 65535, 1, {0}), 0, 0, 0, {}, "Picture too large"},
      {"under 128 bytes.pcx", bytes(127, 0), 0, 0, 0, {}, "Could not read header"},
      {"Ymax below Ymin, new.pcx", pcx(5, 4, 4, {0xC4, 1}), 0, 0, 0, {}, "Picture has no size"},
      {"a row over 16M pixels.pcx", pcx(0, 4096, 4096), 0, 0, 0, {}, "Picture too large"},
      // IFF: rows where they fit, chunks and palettes.
      {"cut literal.lbm", lbm(3, 2, 1, {3, 1, 2, 3, 9, 254, 4}), 0, 0, 0, {1, 2, 3, 4, 4, 4}},
      {"6-run, 4 wide.lbm", lbm(4, 2, 1, {251, 3, 251, 4}), 4, 2, 4, {3, 3, 3, 3, 4, 4, 4, 4, E}},
      {"wider, raw: cut on the right.lbm", lbm(3, 2, 0, {1, 2, 3, 4, 5, 6}), 2, 2, 2, {1, 2, 4, 5}},
      {"wider, packed: left alone.lbm", lbm(400, 1, 1, runs), 320, 1, 320, bytes(321, E)},
      {"fewer rows, packed.lbm", lbm(2, 4, 1, rows), 2, 2, 2, {1, 2, 3, 4, E, E}},
      {"packed body ends early.lbm", lbm(2, 3, 1, rows, 5), 0, 0, 0, {1, 2, 3, 0, 0, 0}},
      {"no BODY, given canvas.lbm", form({chunk("BMHD", bmhd(2, 2, 0))}), 2, 2, 2, bytes(4, E)},
      {"odd CMAP: pad skipped.lbm", lbm(1, 1, 0, {7}, 0, odd), 0, 0, 0, {7}, nullptr, p5},
      {"odd CMAP, no palette.lbm", lbm(1, 1, 0, {7}, 0, odd), 0, 0, 0, {7}},
      {"BODY before BMHD.lbm", lbm(1, 1, 0, {7}, 0, chunk("BODY", {9})), 0, 0, 0, {7}, {}, no_pal},
      {"CMAP over 768.lbm", lbm(1, 1, 0, {7}, 0, chunk("CMAP", cmap)), 0, 0, 0, {7}, nullptr, p768},
      // PCX: runs (C5 7: five 7s, C0: none, BF: one 191), rows and the palette.
      {"runs.pcx", pcx(0, 0, 7, {0xC5, 7, 0xC0, 9, 0xBF, 0}), 0, 0, 0, {7, 7, 7, 7, 7, 191, 0}},
      {"6-run, 4 wide.pcx", run6, 4, 3, 4, {1, 1, 1, 1, 1, 1, 2, 3, 4, 5, 6, 6, E}},
      {"the last byte not reused.pcx", pcx(0, 1, 4, {3, 0xC0}), 0, 0, 0, cat({{3}, bytes(7, 0)})},
      {"Ymax below Ymin plays no rows.pcx", pcx(9, 3, 4, {0xC4, 1}), 2, 2, 2, bytes(4, E)},
      {"huge into a given canvas.pcx", pcx(0, 65534, 65535, {0xFF, 4, 0xFF, 4}), 8, 8, 8,
       cat({bytes(64, 4), {E}})},
      {"rows ignore pitch.pcx", pcx(0, 2, 4, {0xCC, 3}), 4, 2, 6, cat({bytes(10, 3), {E, E}})},
      {"palette at the end.pcx", pal_end, 0, 0, 0, {4, 5, 5, 6, 7, 8}, nullptr, p768},
  };
  for (const auto &k : cases) {
    SCOPED_TRACE(k.name);
    bytes mem(k.want.size(), E), pal(768, 0x3C);
    canvas given = canvas_over(mem, k.w, k.h, k.pitch);
    loaded r = load_file(k.name, k.file, k.w ? &given : nullptr, k.pal.empty() ? nullptr : &pal[0]);
    EXPECT_STREQ(r.err, k.msg);
    EXPECT_EQ(!r.got, k.msg != nullptr);
    EXPECT_EQ(k.w ? mem : pixels_of(r), k.want);
    EXPECT_EQ(pal, k.pal.empty() ? no_pal : k.pal);
  }
}

TEST(Loaders, FifoDeviceFolderOrMissingFileFailsWithoutBlocking) {
  // A FIFO named as a picture hung the game: open waited for a writer.
  test_temp_dir odd;
  std::filesystem::create_directory(odd.file("d.pcx"));
  std::filesystem::create_symlink("/dev/null", odd.file("n.pi1"));
  for (std::string name : {"f.lbm", "f.neo", "f.pcx", "f.pc1", "f.pi1"})
    ASSERT_EQ(mkfifo(odd.file(name).c_str(), 0600), 0);
  for (std::string name :
       {"d.pcx", "n.pi1", "gone.neo", "f.lbm", "f.neo", "f.pcx", "f.pc1", "f.pi1"}) {
    const auto fails_and_leaves_all = [](const std::string &path) {
      bytes pal(768, 0x11), mem(64000, 0x42);
      canvas given = canvas_over(mem, 320, 200, 320);
      const char *err = nullptr;
      return !anypic_load(path.c_str(), &given, &pal[0], &err) && err &&
             std::string(err) == "Unable to open file" && pal == bytes(768, 0x11) &&
             mem == bytes(64000, 0x42);
    };
    EXPECT_TRUE(test_returns_true(fails_and_leaves_all, odd.file(name))) << name;
  }
}
