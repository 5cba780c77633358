#include "support/test_files.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace {

using bytes = std::vector<uint8_t>;

void put_be16(bytes &b, unsigned v) { b.insert(b.end(), {uint8_t(v >> 8), uint8_t(v)}); }

// Resolution word, 16 colour words, then per 16 pixels one word per plane.
bytes pi1(const test_picture &pic) {
  bytes b;
  put_be16(b, 0);
  for (int i = 0; i < 16; i++) {
    const uint8_t *rgb = &pic.palette[3 * i];
    put_be16(b, unsigned(rgb[0] >> 5) << 8 | unsigned(rgb[1] >> 5) << 4 | unsigned(rgb[2] >> 5));
  }
  for (size_t g = 0; g < 64000; g += 16)
    for (int plane = 0; plane < 4; plane++) {
      unsigned w = 0;
      for (int x = 0; x < 16; x++) w |= unsigned((pic.pixels[g + x] >> plane) & 1) << (15 - x);
      put_be16(b, w);
    }
  return b;
}

bytes pcx(const test_picture &pic) {
  bytes b(128, 0);
  b[0] = 10, b[1] = 5, b[2] = 1, b[3] = 8, b[65] = 1;
  for (auto [at, v] : {std::pair(8, pic.width - 1), {10, pic.height - 1}, {66, pic.width}})
    b[at] = uint8_t(v), b[at + 1] = uint8_t(v >> 8);
  for (uint8_t p : pic.pixels) b.insert(b.end(), {0xC1, p});
  b.push_back(12);
  b.insert(b.end(), pic.palette.begin(), pic.palette.end());
  return b;
}

} // namespace

test_temp_dir::test_temp_dir()
    : path((std::filesystem::temp_directory_path() / "qira-test-XXXXXX").string()) {
  if (!mkdtemp(path.data())) ADD_FAILURE() << "mkdtemp failed for " << path, path.clear();
}

test_temp_dir::~test_temp_dir() {
  std::error_code ec;
  if (!path.empty()) std::filesystem::remove_all(path, ec);
}

void test_write_picture(const std::string &path, const test_picture &pic) {
  const bool whole = pic.pixels.size() == size_t(pic.width) * size_t(pic.height);
  bytes b;
  if (whole && path.ends_with(".pcx")) b = pcx(pic);
  if (whole && pic.width == 320 && pic.height == 200 && path.ends_with(".pi1")) b = pi1(pic);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char *>(b.data()), std::streamsize(b.size()));
  if (b.empty() || !out) ADD_FAILURE() << "cannot write the test picture " << path;
}

bool test_returns_true(bool (*f)(const std::string &), const std::string &arg) {
  const pid_t child = fork();
  if (child == 0) {
    alarm(5); // a guard against a hang, not a measure of speed
    _exit(f(arg) ? 0 : 1);
  }
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}
