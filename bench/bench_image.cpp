// Picture loading: each format's 320x200 picture loaded from a file in the
// page cache, beside a plain read of the same file into memory (the floor
// any loader stands on), and the two ST plane conversions alone.
#include "image/atari.h"
#include "image/ilbm.h"
#include "image/pcx.h"
#include "image/stpic.h"
#include "qira-kit/picture.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A screen-like picture: banded sky, a dithered ground, discs and a busy
// patch; 16 colours so that every format can hold it.
kit_picture bench_picture() {
  static const uint8_t level[8] = {0, 36, 73, 109, 146, 182, 219, 255};
  kit_picture p;
  p.width = 320;
  p.height = 200;
  for (int i = 0; i < 16; i++) {
    p.palette[size_t(3 * i)] = level[i & 7];
    p.palette[size_t(3 * i + 1)] = level[(i * 5) & 7];
    p.palette[size_t(3 * i + 2)] = level[7 - (i >> 1)];
  }
  p.pixels.resize(64000);
  uint32_t seed = 1;
  for (int y = 0; y < 200; y++)
    for (int x = 0; x < 320; x++) {
      int c = y < 120 ? 1 + y / 20 : ((x + y) & 1) ? 8 : 9;
      int dx = x - 100, dy = y - 70, ex = x - 240, ey = y - 130;
      if (dx * dx + dy * dy < 40 * 40) c = 12;
      if (ex * ex + ey * ey < 30 * 30) c = 13 + (x / 4 + y / 4) % 2;
      if (x >= 20 && x < 60 && y >= 150 && y < 190) {
        seed = seed * 1103515245u + 12345u;
        c = int(seed >> 28);
      }
      p.pixels[size_t(y) * 320 + size_t(x)] = uint8_t(c);
    }
  return p;
}

// The files, written once into a folder that lives for the run.
const std::string &bench_file(const char *ext) {
  static std::string dir = [] {
    std::string t = (std::filesystem::temp_directory_path() / "qira-bench-XXXXXX").string();
    if (!mkdtemp(t.data())) std::abort();
    std::atexit([] { std::filesystem::remove_all(dir); });
    return t;
  }();
  static std::vector<std::pair<std::string, std::string>> made;
  for (auto &m : made)
    if (m.first == ext) return m.second;
  std::string path = dir + "/bench" + ext, error;
  if (!kit_write(path, bench_picture(), error)) {
    std::fprintf(stderr, "bench: cannot write %s: %s\n", path.c_str(), error.c_str());
    std::abort();
  }
  made.emplace_back(ext, path);
  return made.back().second;
}

// The floor: open, size, read the whole file into memory, close.
void read_whole(const std::string &path, std::vector<uint8_t> &buf) {
  int fd = open(path.c_str(), O_RDONLY);
  struct stat st;
  fstat(fd, &st);
  buf.resize(size_t(st.st_size));
  ssize_t got = read(fd, buf.data(), buf.size());
  benchmark::DoNotOptimize(got);
  close(fd);
}

void BM_read_file(benchmark::State &state, const char *ext) {
  const std::string &path = bench_file(ext);
  std::vector<uint8_t> buf;
  for (auto _ : state) {
    read_whole(path, buf);
    benchmark::DoNotOptimize(buf.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(buf.size()));
}

template <typename Load> void bench_load(benchmark::State &state, const char *ext, Load load) {
  const std::string &path = bench_file(ext);
  uint8_t palette[768];
  for (auto _ : state) {
    canvas *c = load(path.c_str(), palette);
    if (!c) {
      state.SkipWithError("load failed");
      break;
    }
    benchmark::DoNotOptimize(c->pixels);
    canvas_free(c);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * 64000);
}

void BM_load_pi1(benchmark::State &s) {
  bench_load(s, ".pi1", [](const char *n, uint8_t *p) { return pi1_load(n, nullptr, p, nullptr); });
}
void BM_load_pc1(benchmark::State &s) {
  bench_load(s, ".pc1", [](const char *n, uint8_t *p) { return pc1_load(n, nullptr, p, nullptr); });
}
void BM_load_neo(benchmark::State &s) {
  bench_load(s, ".neo",
             [](const char *n, uint8_t *p) { return neo_load(n, nullptr, nullptr, p, nullptr); });
}
void BM_load_ilbm(benchmark::State &s) {
  bench_load(s, ".lbm",
             [](const char *n, uint8_t *p) { return ilbm_load(n, nullptr, nullptr, p, nullptr); });
}
void BM_load_pcx(benchmark::State &s) {
  bench_load(s, ".pcx",
             [](const char *n, uint8_t *p) { return pcx_load(n, nullptr, nullptr, p, nullptr); });
}

BENCHMARK_CAPTURE(BM_read_file, pi1, ".pi1");
BENCHMARK(BM_load_pi1);
BENCHMARK_CAPTURE(BM_read_file, pc1, ".pc1");
BENCHMARK(BM_load_pc1);
BENCHMARK_CAPTURE(BM_read_file, neo, ".neo");
BENCHMARK(BM_load_neo);
BENCHMARK_CAPTURE(BM_read_file, ilbm, ".lbm");
BENCHMARK(BM_load_ilbm);
BENCHMARK_CAPTURE(BM_read_file, pcx, ".pcx");
BENCHMARK(BM_load_pcx);

// The conversions alone, on the picture's own planes.
void BM_st_interleaved_to_pixels(benchmark::State &state) {
  std::vector<uint8_t> file, out(64000);
  read_whole(bench_file(".pi1"), file);
  for (auto _ : state) {
    atari2vga_picture16(file.data() + 34, out.data());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * 64000);
}
BENCHMARK(BM_st_interleaved_to_pixels);

void BM_st_line_by_line_to_pixels(benchmark::State &state) {
  std::vector<uint8_t> planes(32000), out(64000);
  for (size_t i = 0; i < planes.size(); i++) planes[i] = uint8_t(i * 37 + i / 160);
  for (auto _ : state) {
    atari_pixels_atari2vga_x(planes.data(), out.data(), 64000);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * 64000);
}
BENCHMARK(BM_st_line_by_line_to_pixels);

} // namespace
