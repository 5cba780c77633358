// qira-kit demo DIR: draws the bundled content: the title, the selection
// background and the fighter sets, their pictures spread over every format
// the game reads.
#include "image/anypic.h"
#include "qira-kit/demo_art.h"
#include "qira-kit/kit.h"
#include "qira-kit/picture.h"
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct demo_side {
  const char *sheet; // file name, or "-"
  int look;          // index into the scene's looks
  int pairs;
};

struct demo_set {
  const char *file;
  const char *name;
  const char *background;
  art_scene (*scene)();
  demo_side sides[2];
};

// Together the backgrounds and sheets use PI1, PC1, NEO, IFF PBM and PCX.
// Player 2's fighters face left.
const demo_set demo_sets[] = {
    {"temple.dat",
     "Temple of Velmorea",
     "temple.pi1",
     art_temple,
     {{"kesh-t.pc1", 0, 4}, {"ryna-t.neo", 1, 4}}},
    {"harbour.dat",
     "Harbour at Dusk",
     "harbour.lbm",
     art_harbour,
     {{"voss-h.pcx", 0, 3}, {"kesh-h.lbm", 1, 4}}},
    {"mesa.dat",
     "Red Mesa (one fighter)",
     "mesa.pcx",
     art_mesa,
     {{"ryna-m.lbm", 0, 4}, {"-", 0, 0}}},
    {"court.dat",
     "Moon Court",
     "court.neo",
     art_court,
     {{"mako-c.pi1", 0, 4}, {"voss-c.pc1", 1, 3}}},
    {"forge.dat",
     "The Forge",
     "forge.pc1",
     art_forge,
     {{"mako-f.neo", 0, 3}, {"kesh-f.pcx", 1, 4}}},
};

// Writes a picture and reads it back: the game must see exactly the indices
// drawn, or sheets would come out in the wrong colours.
bool save(const std::filesystem::path &dir, const std::string &name, const raster &r,
          const art_palette &pal) {
  const std::string path = (dir / name).string();
  const kit_picture pic = raster_picture(r, pal.rgb);
  std::string error;
  if (!kit_write(path, pic, error)) {
    std::fprintf(stderr, "qira-kit demo: %s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  kit_picture back;
  if (!kit_read(path, back, error)) {
    std::fprintf(stderr, "qira-kit demo: %s does not read back: %s\n", path.c_str(), error.c_str());
    return false;
  }
  bool same = back.width == pic.width && back.height == pic.height && back.pixels == pic.pixels;
  const int colours = anypic_format_is_st(anypic_format_of(name.c_str())) ? 16 : pal.count;
  for (int i = 0; same && i < colours * 3; i++)
    same = back.palette[static_cast<size_t>(i)] == pic.palette[static_cast<size_t>(i)];
  if (!same) {
    std::fprintf(stderr, "qira-kit demo: %s reads back different from what was drawn\n",
                 path.c_str());
    return false;
  }
  return true;
}

bool write_dat(const std::filesystem::path &dir, const demo_set &set) {
  const std::filesystem::path path = dir / set.file;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << set.name << '\n' << set.background << '\n';
  for (const demo_side &side : set.sides) out << side.sheet << '\n' << side.pairs << '\n';
  out.close();
  if (!out) {
    std::fprintf(stderr, "qira-kit demo: cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

} // namespace

int kit_demo(std::span<char *const> args) {
  if (args.size() != 1) {
    std::fputs("usage: qira-kit demo DIR\n", stderr);
    return 2;
  }
  const std::filesystem::path dir = args[0];
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec || !std::filesystem::is_directory(dir)) {
    std::fprintf(stderr, "qira-kit demo: cannot make %s: %s\n", args[0], ec.message().c_str());
    return 1;
  }

  int files = 0;
  const art_scene title = art_title();
  if (!save(dir, "velmorea.pi1", title.picture, title.palette)) return 1;
  const art_scene select = art_select();
  if (!save(dir, "qiratex1.pi1", select.picture, select.palette)) return 1;
  files += 2;
  for (const demo_set &set : demo_sets) {
    const art_scene scene = set.scene();
    if (!save(dir, set.background, scene.picture, scene.palette)) return 1;
    for (int side = 0; side < 2; side++) {
      const demo_side &d = set.sides[side];
      if (d.pairs <= 0) continue;
      const raster sheet =
          art_sheet(scene.picture, scene.looks[static_cast<size_t>(d.look)], d.pairs, side == 1);
      if (!save(dir, d.sheet, sheet, scene.palette)) return 1;
      files++;
    }
    if (!write_dat(dir, set)) return 1;
    files += 2;
  }
  std::printf("qira-kit demo: drew %d files into %s\n", files, args[0]);
  return 0;
}
