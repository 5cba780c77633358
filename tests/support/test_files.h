// Test helpers without a display: temporary folders and small picture files.
#pragma once
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

// Writes a 320x200 PI1 of the given indices (taken modulo 16), every colour black; a test
// fails when that cannot be done.
void test_write_pi1(const std::string &path, const std::vector<uint8_t> &pixels);
