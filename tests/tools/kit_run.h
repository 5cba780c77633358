// Running qira-kit as a set maker would, and reading back what it wrote.
#pragma once
#include "qira-kit/picture.h"
#include "shell/glob.h"
#include "support/test_support.h"
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

struct run_result {
  int status = -1;
  std::string output; // standard output and error
};

// Runs the qira-kit binary with args in folder `in`.
inline run_result kit(const std::string &args, const std::string &in = ".") {
  run_result r;
  FILE *p = popen(("cd '" + in + "' && '" QIRA_KIT_PATH "' " + args + " 2>&1").c_str(), "r");
  if (!p) return r;
  for (int ch; (ch = std::fgetc(p)) != EOF;) r.output += char(ch);
  const int w = pclose(p);
  r.status = WIFEXITED(w) ? WEXITSTATUS(w) : -1;
  return r;
}

inline kit_picture kit_load(const std::string &path) {
  kit_picture pic;
  std::string error;
  EXPECT_TRUE(kit_read(path, pic, error)) << path << ": " << error;
  return pic;
}

// The fighter cell at x, y in pixels `pitch` wide, taking every `scale`th pixel.
inline std::vector<uint8_t> kit_cell(const uint8_t *px, int pitch, int x, int y, int scale = 1) {
  std::vector<uint8_t> cell;
  for (int i = 0; i < FIGHTER_CELL_W * FIGHTER_CELL_H; i++)
    cell.push_back(px[size_t(y + scale * (i / FIGHTER_CELL_W)) * size_t(pitch) + size_t(x) +
                      size_t(scale * (i % FIGHTER_CELL_W))]);
  return cell;
}
