// The choice of loader by name, PackBits, the IFF PBM and PCX loaders, and every loader's refusals.
#include "image/ilbm.h"
#include "image/rle_dec.h"
#include "image_test.h"
#include "support/test_support.h"
#include <gtest/gtest.h>
#include <filesystem>
#include <numeric>
#include <sys/stat.h>
#include <utility>

TEST(Anypic, TheNameChoosesTheLoaderAndFaultsTheirMessage) {
  // The probe reads differently as PI1 (pixel 0 set), NEO (pixel 1: its
  // header is 128 bytes) and PC1 (zero packets only). Refusals are named after their fault.
  bytes probe(32128, 0), pbm = form({chunk("BMHD", bmhd(3, 2, 0)), chunk("BODY", {1, 2, 3, 4, 5, 6})}), nf = form({});
  probe[34] = 0x80, probe[128] = 0x40, nf[0] = 'f';
  const struct { const char *name; bytes file; int w, h; bytes first; const char *message = nullptr; } cases[] = {
      {"a.LBM", pbm, 3, 2, {1, 2, 3, 4, 5, 6}},
      {"b.Ilbm", pbm, 3, 2, {1, 2, 3, 4, 5, 6}},
      {"p.Pcx", pcx(0, 0, 5, {0xC5, 4}), 5, 1, {4, 4, 4, 4, 4}},
      {"s.PI1", probe, 320, 200, {1, 0}},
      {"s.neo", probe, 320, 200, {0, 1}},
      {"s.pC1", probe, 320, 200, bytes(320, 0)},
      {"iff.pi1", pbm, 320, 200, {}},
      {"limit.lbm", form({chunk("BMHD", bmhd(4096, 4096, 0)), chunk("BODY", {})}), 4096, 4096, {0, 0}},
      {"limit.pcx", pcx(0, 4095, 4096), 4096, 4096, {0, 0}},
      {"Ymin 0 Ymax 199 bpl 320.pcx", pcx(0, 199, 320), 320, 200, {0, 0}},
      {"unknown extension.gif", pcx(0, 0, 1), 0, 0, {}, "Unhandled image type"},
      {"pattern not at the end.pi1.bak", bytes(32034, 0), 0, 0, {}, "Unhandled image type"},
      {"planar ILBM.lbm", form({chunk("BMHD", bmhd(4, 4, 0))}, "ILBM"), 0, 0, {}, "No ILBM PBM data"},
      {"FORM type cut short.lbm", cat({text("FORM"), be32(4), text("PBM")}), 0, 0, {}, "No ILBM PBM data"},
      {"no FORM.lbm", nf, 0, 0, {}, "No FORM header"},
      {"under 8 bytes.lbm", cat({text("FORM"), bytes(3, 0)}), 0, 0, {}, "Could not read header"},
      {"no BODY.lbm", form({chunk("BMHD", bmhd(2, 2, 0)), chunk("CMAP", bytes(6, 1))}), 0, 0, {}, "body is empty"},
      {"BODY before BMHD only.lbm", form({chunk("BODY", {9, 9, 9, 9})}), 0, 0, {}, "body is empty"},
      {"huge.lbm", form({chunk("BMHD", bmhd(65535, 65535, 1)), chunk("BODY", {0})}), 0, 0, {}, "Picture too large"},
      {"zero-wide.lbm", form({chunk("BMHD", bmhd(0, 200, 0)), chunk("BODY", {})}), 0, 0, {}, "Picture has no size"},
      {"under 128 bytes.pcx", bytes(127, 0), 0, 0, {}, "Could not read header"},
      {"Ymax below Ymin.pcx", pcx(5, 4, 4, {0xC4, 1}), 0, 0, {}, "Picture has no size"},
      {"bytes per line 0.pcx", pcx(0, 10, 0), 0, 0, {}, "Picture has no size"},
      {"huge.pcx", pcx(0, 65534, 65535), 0, 0, {}, "Picture too large"},
      {"a row over the limit.pcx", pcx(0, 4096, 4096), 0, 0, {}, "Picture too large"},
  };
  for (const auto &k : cases) {
    SCOPED_TRACE(k.name);
    loaded r = load_file(k.name, k.file);
    EXPECT_STREQ(r.err, k.message);
    EXPECT_EQ(r.c ? std::pair(r.c->width, r.c->height) : std::pair(0, 0), std::pair(k.w, k.h));
    EXPECT_TRUE(r.c ? std::equal(k.first.begin(), k.first.end(), r.c->pixels) : !r.got);
  }
  // A missing file fails every loader, leaving canvas and palette; no BODY is no failure with a canvas.
  bytes mem(64000, 0x42), pal(768, 0x11);
  canvas given = canvas_over(mem, 320, 200, 320);
  for (std::string ext : {"lbm", "neo", "pcx", "pc1", "pi1"})
    EXPECT_STREQ(load_file("no/m." + ext, {}, &given, pal.data()).err, "Unable to open file") << ext;
  // A FIFO (which would wait for a writer), a device or a folder named as a picture is no file.
  test_temp_dir odd;
  std::filesystem::create_directory(odd.file("d.pcx"));
  for (std::string ext : {"lbm", "neo", "pcx", "pc1", "pi1"})
    ASSERT_EQ(mkfifo(odd.file("f." + ext).c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/null", odd.file("n.pi1"));
  for (std::string name : {"f.lbm", "f.neo", "f.pcx", "f.pc1", "f.pi1", "d.pcx", "n.pi1"}) {
    const auto fails_to_open = [](const std::string &path) {
      const char *err = nullptr;
      return !anypic_load(path.c_str(), nullptr, nullptr, &err) && err && std::string(err) == "Unable to open file";
    };
    EXPECT_TRUE(test_returns_true(fails_to_open, odd.file(name))) << name;
  }
  EXPECT_EQ(load_file("n.lbm", form({chunk("BMHD", bmhd(2, 2, 0))}), &given).got, &given);
  EXPECT_EQ(mem, bytes(64000, 0x42));
  EXPECT_EQ(pal, bytes(768, 0x11));
}

TEST(RleDec, PacketsBoundedByTheRoomAndTheInput) {
  const struct { const char *what; bytes in; int count; bytes out; size_t consumed; } cases[] = {
      {"literal then run", {2, 'a', 'b', 'c', 254, 'x', 0x99}, 6, text("abcxxx"), 6},
      {"128 is a run of 129", {128, 'v'}, 129, bytes(129, 'v'), 2},
      {"255 is a run of 2", {255, 'k', 0, 'm'}, 3, text("kkm"), 4},
      {"a run past the room is cut but consumed", {128, 'v', 0, 'z'}, 1, text("v"), 2},
      {"a literal past the room is cut but consumed", {4, 1, 2, 3, 4, 5, 0, 9}, 3, {1, 2, 3}, 6},
      {"count 0", {0, 'q'}, 0, {}, 0},
      {"negative count", {0, 'q'}, -3, {}, 0},
      {"a literal cut by the input end", {9, 'a', 'b'}, 16, text("ab"), 3},
      {"a run without its value", {3, 'a', 'b', 'c', 'd', 200}, 16, text("abcd"), 6},
  };
  for (const auto &k : cases) {
    SCOPED_TRACE(k.what);
    bytes out(140, 0xEE);
    int produced = -1;
    const uint8_t *next = rle_dec(k.in.data(), k.in.data() + k.in.size(), out.data(), k.count, &produced);
    EXPECT_EQ(size_t(next - k.in.data()), k.consumed);
    EXPECT_EQ(bytes(out.begin(), out.begin() + produced), k.out);
    EXPECT_EQ(out[k.out.size()], 0xEE);
  }
}

TEST(Loaders, PixelsAndPaletteAsTheFileHasThem) {
  // IFF compression 0 and 2 are both raw: bytes >= 128 are pixels, not packets.
  bytes pix(320 * 200), cmap(900), rows = {4, 0xC2, 5, 6, 7, 8};
  bytes h = chunk("BMHD", bmhd(2, 1, 0)), body = chunk("BODY", {7, 8});
  for (size_t i = 0; i < pix.size(); i++) pix[i] = uint8_t(i % 320 * 7 + i / 320 * 3);
  std::iota(cmap.begin(), cmap.end(), uint8_t(5));
  bytes p768(cmap.begin(), cmap.begin() + 768), untouched(768, 0x3C);
  auto lbm = [&](int c) { return form({chunk("BMHD", bmhd(320, 200, c)), chunk("CMAP", p768), chunk("BODY", pix)}); };
  const struct { const char *what; bytes file, pixels, pal; } cases[] = {
      {"raw BODY and CMAP", lbm(0), pix, p768},
      {"compression 2 is raw", lbm(2), pix, p768},
      {"16 colours", form({h, chunk("CMAP", bytes(48, 1)), body}), {7, 8}, cat({bytes(48, 1), bytes(720, 0x3C)})},
      {"odd-length unknown chunk and its pad", form({h, chunk("ANNO", {1, 2, 3, 4, 5}), body}), {7, 8}, untouched},
      {"BODY before BMHD", form({chunk("BODY", {9, 9, 9}), h, body}), {7, 8}, untouched},
      {"BMHD longer than 20", form({chunk("BMHD", bmhd(2, 1, 0, 5)), body}), {7, 8}, untouched},
      {"CMAP over 768", form({chunk("CMAP", cmap), h, body}), {7, 8}, p768},
      {"PCX palette at the end", cat({pcx(0, 1, 3, rows), {12}, p768}), {4, 5, 5, 6, 7, 8}, p768},
      {"PCX without palette", pcx(0, 1, 3, rows), {4, 5, 5, 6, 7, 8}, untouched},
  };
  for (const auto &k : cases) {
    SCOPED_TRACE(k.what);
    bytes pal(768, 0x3C);
    EXPECT_EQ(pixels_of(load_file(k.file[0] == 'F' ? "t.lbm" : "t.pcx", k.file, nullptr, pal.data())), k.pixels);
    EXPECT_EQ(pal, k.pal);
  }
  bytes got(20); // the BMHD buffer receives the header's first 20 bytes
  canvas_free(ilbm_load_bytes(form({chunk("BMHD", bmhd(2, 1, 0, 5)), body}), got.data(), nullptr, nullptr, nullptr));
  EXPECT_EQ(got, bmhd(2, 1, 0));
}

TEST(Loaders, RowsGoOnlyWhereTheyFit) {
  // w 0: a new canvas's pixels; else a given canvas over want.size() bytes of 0xEE, guards included.
  constexpr uint8_t E = 0xEE;
  auto lbm = [](unsigned w, unsigned h, uint8_t comp, const bytes &b, size_t cut = 0) {
    bytes f = form({chunk("BMHD", bmhd(w, h, comp)), chunk("BODY", b)});
    return bytes(f.begin(), f.end() - long(cut));
  };
  const struct { const char *fault; bytes file; int w, h, pitch; bytes want; } cases[] = {
      {"packed rows go on where the last stopped", lbm(3, 2, 1, {0, 1, 255, 2, 254, 3}), 0, 0, 0, {1, 2, 2, 3, 3, 3}},
      {"a 6-run in a 4-wide row", lbm(4, 2, 1, {251, 3, 251, 4}), 6, 2, 6, {3, 3, 3, 3, E, E, 4, 4, 4, 4, E, E}},
      {"narrower, raw", lbm(3, 2, 0, {1, 2, 3, 4, 5, 6}), 4, 2, 5, {1, 2, 3, E, E, 4, 5, 6, E, E}},
      {"narrower, packed", lbm(3, 2, 1, {2, 1, 2, 3, 2, 4, 5, 6}), 4, 2, 5, {1, 2, 3, E, E, 4, 5, 6, E, E}},
      {"wider, raw: cut on the right", lbm(3, 2, 0, {1, 2, 3, 4, 5, 6}), 2, 2, 2, {1, 2, 4, 5}},
      {"wider, packed: left alone", lbm(400, 1, 1, {129, 5, 129, 5, 129, 5, 241, 5}), 320, 1, 320, bytes(321, E)},
      {"fewer rows, raw", lbm(2, 4, 0, {1, 2, 3, 4, 5, 6, 7, 8}), 2, 2, 2, {1, 2, 3, 4, E, E}},
      {"fewer rows, packed", lbm(2, 4, 1, {1, 1, 2, 1, 3, 4, 1, 5, 6, 1, 7, 8}), 2, 2, 2, {1, 2, 3, 4, E, E}},
      {"packed body ends early", lbm(2, 3, 1, {1, 1, 2, 1, 3, 4}, 1), 2, 3, 2, {1, 2, 3, E, E, E, E}},
      {"packed body ends early, new", lbm(2, 3, 1, {1, 1, 2, 1, 3, 4}, 1), 0, 0, 0, {1, 2, 3, 0, 0, 0}},
      {"raw body ends early, new", lbm(2, 2, 0, {1, 2, 3, 4}, 1), 0, 0, 0, {1, 2, 3, 0}},
      {"PCX C5 7: five 7s, C0 v: none, BF: 191", pcx(0, 0, 7, {0xC5, 7, 0xC0, 9, 0xBF, 0}), 0, 0, 0,
       {7, 7, 7, 7, 7, 191, 0}},
      {"PCX Ymin 10, Ymax 12: three rows", pcx(10, 12, 2, {1, 2, 3, 4, 5, 6}), 0, 0, 0, {1, 2, 3, 4, 5, 6}},
      {"PCX 6-run in a 4-wide row", pcx(0, 2, 4, {0xC6, 1, 2, 3, 4, 5, 0xC7, 6}), 4, 3, 4,
       {1, 1, 1, 1, 1, 1, 2, 3, 4, 5, 6, 6, E}},
      {"PCX end-of-file stop, last byte not reused", pcx(0, 1, 4, {3, 0xC0}), 0, 0, 0, {3, 0, 0, 0, 0, 0, 0, 0}},
      {"PCX Ymax below Ymin, given canvas", pcx(9, 3, 4, {0xC4, 1}), 2, 2, 2, {E, E, E, E}},
      {"PCX huge header, given canvas", pcx(0, 65534, 65535, {0xFF, 4, 0xFF, 4}), 8, 8, 8, cat({bytes(64, 4), {E}})},
      {"PCX rows ignore pitch, within the block", pcx(0, 2, 4, {0xCC, 3}), 4, 2, 6, cat({bytes(10, 3), {E, E}})},
  };
  for (const auto &k : cases) {
    SCOPED_TRACE(k.fault);
    bytes mem(k.want.size(), E);
    canvas given = canvas_over(mem, k.w, k.h, k.pitch);
    loaded r = load_file(k.file[0] == 'F' ? "t.lbm" : "t.pcx", k.file, k.w ? &given : nullptr);
    EXPECT_EQ(r.err, nullptr);
    EXPECT_EQ(k.w ? mem : pixels_of(r), k.want);
  }
}
