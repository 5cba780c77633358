// qira-kit new DIR NAME: a starter folder that plays at once: the title and
// selection pictures, a background, a sheet per player (the cell grid with
// one demo pair in it) and NAME.dat.
#include "qira-kit/demo_art.h"
#include "qira-kit/kit.h"
#include "qira-kit/picture.h"
#include "qira-kit/sheet.h"
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

int kit_new(std::span<char *const> args) {
  if (args.size() != 2 || !*args[1]) {
    std::fputs("usage: qira-kit new DIR NAME\n", stderr);
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path dir = args[0];
  const std::string name = args[1];
  if (name.find('/') != std::string::npos || name.find('\n') != std::string::npos) {
    std::fprintf(stderr, "qira-kit new: the name \"%s\" cannot be a file name\n", name.c_str());
    return 1;
  }
  const std::string dat = name + ".dat";
  const char *pictures[] = {"velmorea.pi1", "qiratex1.pi1", "background.pi1", "player1.pi1",
                            "player2.pi1"};
  // Nothing is overwritten: a set maker's work may already be there.
  for (const std::string &f :
       {std::string(pictures[0]), std::string(pictures[1]), std::string(pictures[2]),
        std::string(pictures[3]), std::string(pictures[4]), dat})
    if (fs::exists(dir / f)) {
      std::fprintf(stderr, "qira-kit new: %s already exists; nothing written\n",
                   (dir / f).string().c_str());
      return 1;
    }
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "qira-kit new: cannot make %s: %s\n", args[0], ec.message().c_str());
    return 1;
  }
  const art_scene title = art_title(), select = art_select(), arena = art_temple();
  const kit_picture bg = raster_picture(arena.picture, arena.palette.rgb);
  kit_picture sheets[2];
  for (int p = 0; p < 2; p++) {
    sheets[p] = sheet_template(bg, true);
    for (int k = 0; k < 2; k++) {
      const raster cell =
          art_frame_cell(arena.picture, arena.looks[static_cast<size_t>(p)], k, p == 1);
      for (int y = 0; y < cell.height; y++)
        for (int x = 0; x < cell.width; x++)
          sheets[p].pixels[static_cast<size_t>(fighter_frame_y(k) + y) * VSCRN_W +
                           fighter_frame_x(k) + x] = static_cast<uint8_t>(raster_get(cell, x, y));
    }
  }
  const kit_picture files[] = {raster_picture(title.picture, title.palette.rgb),
                               raster_picture(select.picture, select.palette.rgb), bg, sheets[0],
                               sheets[1]};
  std::string error;
  for (size_t i = 0; i < std::size(files); i++)
    if (!kit_write((dir / pictures[i]).string(), files[i], error)) {
      std::fprintf(stderr, "qira-kit new: %s: %s\n", pictures[i], error.c_str());
      return 1;
    }
  std::ofstream out(dir / dat, std::ios::binary);
  out << name << "\nbackground.pi1\nplayer1.pi1\n1\nplayer2.pi1\n1\n";
  out.close();
  if (!out) {
    std::fprintf(stderr, "qira-kit new: cannot write %s\n", (dir / dat).string().c_str());
    return 1;
  }
  std::printf("qira-kit new: %s holds the set \"%s\" (%s): paint frames into player1.pi1 and "
              "player2.pi1, raise the pair counts in %s, then run qira-kit check %s\n",
              args[0], name.c_str(), dat.c_str(), dat.c_str(), (dir / dat).string().c_str());
  return 0;
}
