// Test helpers without a display: temporary folders and small picture files.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A fresh folder under the temporary directory, removed with its contents.
struct test_temp_dir {
  std::string path;
  test_temp_dir();
  ~test_temp_dir();
  test_temp_dir(const test_temp_dir &) = delete;
  test_temp_dir &operator=(const test_temp_dir &) = delete;
  std::string file(const std::string &name) const { return path + "/" + name; }
};

// Runs f in a child process: whether it returned true within a few seconds, so that a call
// that would block for ever fails the test instead of hanging it.
bool test_returns_true(bool (*f)(const std::string &), const std::string &arg);

// Palette indices row after row, and 256 red, green, blue entries.
struct test_picture {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;
  std::array<uint8_t, 768> palette{};
};

// Writes the plainest file of the format the path's extension gives: .pi1 (320x200, indices
// taken modulo 16, colours cut to the ST's 3 bits) or .pcx (a run of one for every pixel). A test
// fails when that cannot be done.
void test_write_picture(const std::string &path, const test_picture &pic);
