#include "support/test_files.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

test_temp_dir::test_temp_dir()
    : path((std::filesystem::temp_directory_path() / "qira-test-XXXXXX").string()) {
  if (!mkdtemp(path.data())) ADD_FAILURE() << "mkdtemp failed for " << path, path.clear();
}

test_temp_dir::~test_temp_dir() {
  std::error_code ec;
  if (!path.empty()) std::filesystem::remove_all(path, ec);
}

// Resolution and 16 colour words, all 0, then per 16 pixels one word per plane.
void test_write_pi1(const std::string &path, const std::vector<uint8_t> &pixels) {
  std::vector<char> b(34, 0);
  for (size_t g = 0; g + 16 <= pixels.size() && g < 64000; g += 16)
    for (int plane = 0; plane < 4; plane++) {
      unsigned w = 0;
      for (int x = 0; x < 16; x++) w |= unsigned((pixels[g + x] >> plane) & 1) << (15 - x);
      b.push_back(static_cast<char>(w >> 8)), b.push_back(static_cast<char>(w));
    }
  std::ofstream out(path, std::ios::binary);
  out.write(b.data(), std::streamsize(b.size()));
  if (b.size() != 32034 || !out) ADD_FAILURE() << "cannot write the test picture " << path;
}

bool test_returns_true(bool (*f)(const std::string &), const std::string &arg) {
  const pid_t child = fork();
  if (child == 0) {
    alarm(5); // a guard against a hang, not a measure of speed
    _exit(f(arg) ? 0 : 1);
  }
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && status == 0; // exit status 0
}
