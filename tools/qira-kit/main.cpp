// qira-kit: converts pictures, checks fighter sets and draws the demo content.
#include "qira-kit/kit.h"
#include <cstdio>
#include <cstring>

namespace {

const char usage[] =
    "usage: qira-kit COMMAND ...\n"
    "  convert IN OUT [--exact] [--colours N | --palette FROM]\n"
    "                   convert a picture; formats by extension:\n"
    "                   .pi1 .pc1 .neo .lbm .ilbm .pcx .png .ppm\n"
    "  info PICTURE     show a picture's format, size and colours\n"
    "  check [DIR | FILE.dat]\n"
    "                   check the fighter sets (*.dat) of DIR (default .), or one set\n"
    "  preview SET.dat OUT.png [--scale N]\n"
    "                   the background and every frame pair as the fight shows them\n"
    "  animate SET.dat OUT.gif [--player 1|2] [--pair J]\n"
    "                   the attacks as a looping GIF at the game's timing\n"
    "  sheet --background BG [--cells] OUT FRAME...\n"
    "                   pack frames (each up to 60x30) into a sheet in BG's palette\n"
    "  sheet --background BG --template OUT\n"
    "                   an empty sheet with the cell grid, to paint in\n"
    "  new DIR NAME     a starter folder with a set that plays at once\n"
    "  demo DIR         draw the demo title, backgrounds and fighter sets into DIR\n"
    "  icon SIZE FILE   draw the game's icon, SIZE x SIZE pixels, as PNG\n"
    "  --help           show this text\n"
    "  --version        show the version\n"
    "Exit status: 0 success, 1 failure, 2 bad usage. The manual: man qira-kit\n";

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fputs(usage, stderr);
    return 2;
  }
  const char *cmd = argv[1];
  std::span<char *const> rest(argv + 2, argc - 2);
  if (!std::strcmp(cmd, "--help") || !std::strcmp(cmd, "-h") || !std::strcmp(cmd, "help")) {
    std::fputs(usage, stdout);
    return 0;
  }
  if (!std::strcmp(cmd, "--version")) {
    std::printf("qira-kit %s\n", QIRA_VERSION);
    return 0;
  }
  if (!std::strcmp(cmd, "convert")) return kit_convert(rest);
  if (!std::strcmp(cmd, "info")) return kit_info(rest);
  if (!std::strcmp(cmd, "check")) return kit_check(rest);
  if (!std::strcmp(cmd, "demo")) return kit_demo(rest);
  if (!std::strcmp(cmd, "icon")) return kit_icon(rest);
  if (!std::strcmp(cmd, "preview")) return kit_preview(rest);
  if (!std::strcmp(cmd, "animate")) return kit_animate(rest);
  if (!std::strcmp(cmd, "sheet")) return kit_sheet(rest);
  if (!std::strcmp(cmd, "new")) return kit_new(rest);
  std::fprintf(stderr, "qira-kit: unknown command '%s'\n", cmd);
  std::fputs(usage, stderr);
  return 2;
}
