// qira-kit convert IN OUT, and qira-kit info PICTURE.
#include "qira-kit/kit.h"
#include "qira-kit/picture.h"
#include <array>
#include <cstdio>

int kit_convert(std::span<char *const> args) {
  if (args.size() != 2) {
    std::fputs("usage: qira-kit convert IN OUT\n", stderr);
    return 2;
  }
  kit_picture pic;
  std::string error;
  if (!kit_read(args[0], pic, error)) {
    std::fprintf(stderr, "qira-kit convert: %s: %s\n", args[0], error.c_str());
    return 1;
  }
  if (!kit_write(args[1], pic, error)) {
    std::fprintf(stderr, "qira-kit convert: %s: %s\n", args[1], error.c_str());
    return 1;
  }
  return 0;
}

int kit_info(std::span<char *const> args) {
  if (args.size() != 1) {
    std::fputs("usage: qira-kit info PICTURE\n", stderr);
    return 2;
  }
  kit_picture pic;
  std::string error;
  if (!kit_read(args[0], pic, error)) {
    std::fprintf(stderr, "qira-kit info: %s: %s\n", args[0], error.c_str());
    return 1;
  }
  std::array<bool, 256> used{};
  int colours = 0;
  for (uint8_t p : pic.pixels)
    if (!used[p]) {
      used[p] = true;
      colours++;
    }
  std::printf("%s: %s, %dx%d, %d colour%s used\n", args[0], kit_format(args[0]), pic.width, pic.height, colours,
              colours == 1 ? "" : "s");
  return 0;
}
