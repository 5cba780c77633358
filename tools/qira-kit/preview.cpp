// qira-kit preview SET.dat OUT.png [--scale N]: what a set will look like,
// so frames are not cut blind.
#include "qira-kit/preview.h"
#include "canvas/canvas.h"
#include "qira-kit/kit.h"
#include "qira-kit/raster.h"
#include "shell/glob.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int MARGIN = 4;
constexpr int LABEL_H = 10;  // a line of the 8x8 font and a gap
constexpr int FRAME_GAP = 2; // between the two frames of a pair
constexpr int BLOCK_W = 2 * FIGHTER_CELL_W + FRAME_GAP;
constexpr int BLOCK_H = LABEL_H + FIGHTER_CELL_H + 6;
constexpr int BLOCKS_PER_ROW = (VSCRN_W - MARGIN) / (BLOCK_W + 2 * MARGIN);
constexpr int TEXT_COLUMNS = (VSCRN_W - 2 * MARGIN) / 8;

// Palette entries for the preview's own drawing.
struct preview_inks {
  int paper, ink, mark, outline;
};

// Unused entries where there are some, given these colours; else the
// nearest entries.
preview_inks choose_inks(const kit_set_view &v, std::array<uint8_t, 768> &palette) {
  std::array<bool, 256> used{};
  for (uint8_t p : v.background.pixels) used[p] = true;
  for (const auto &frames : v.frames)
    for (const kit_picture &f : frames)
      for (uint8_t p : f.pixels) used[p] = true;
  const uint8_t want[4][3] = {{24, 24, 32}, {255, 255, 255}, {255, 0, 0}, {255, 255, 0}};
  int got[4];
  int free_entry = 255;
  for (int i = 0; i < 4; i++) {
    while (free_entry >= 0 && used[static_cast<size_t>(free_entry)]) free_entry--;
    if (free_entry >= 0) {
      std::memcpy(&palette[3 * static_cast<size_t>(free_entry)], want[i], 3);
      got[i] = free_entry--;
      continue;
    }
    long best = -1;
    for (int k = 0; k < 256; k++) {
      long d = 0;
      for (int c = 0; c < 3; c++)
        d += static_cast<long>(palette[3 * k + c] - want[i][c]) * (palette[3 * k + c] - want[i][c]);
      if (best < 0 || d < best) best = d, got[i] = k;
    }
  }
  return {got[0], got[1], got[2], got[3]};
}

// Findings as lines of at most TEXT_COLUMNS characters, broken at spaces.
std::vector<std::pair<std::string, bool>> text_lines(std::span<const check_finding> findings) {
  std::vector<std::pair<std::string, bool>> lines;
  for (const check_finding &f : findings) {
    std::string rest = (f.problem ? "problem: " : "note: ") + f.text;
    while (!rest.empty()) {
      size_t cut = rest.size();
      if (cut > static_cast<size_t>(TEXT_COLUMNS)) {
        cut = rest.rfind(' ', static_cast<size_t>(TEXT_COLUMNS));
        if (cut == std::string::npos || cut == 0) cut = static_cast<size_t>(TEXT_COLUMNS);
      }
      lines.emplace_back(rest.substr(0, cut), f.problem);
      rest.erase(0, cut);
      while (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
      if (!rest.empty()) rest.insert(0, "  ");
    }
  }
  return lines;
}

int block_index(const kit_set_view &v, int player, int pair) {
  return player == 0 ? pair : static_cast<int>(v.frames[0].size() / 2) + pair;
}

preview_xy block_at(int index) {
  return {MARGIN + (index % BLOCKS_PER_ROW) * (BLOCK_W + 2 * MARGIN),
          VSCRN_H + MARGIN + (index / BLOCKS_PER_ROW) * BLOCK_H};
}

void frame_rect(raster &r, int x, int y, int w, int h, int colour) {
  raster_rect(r, x, y, w, 1, colour);
  raster_rect(r, x, y + h - 1, w, 1, colour);
  raster_rect(r, x, y, 1, h, colour);
  raster_rect(r, x + w - 1, y, 1, h, colour);
}

} // namespace

preview_xy preview_frame_at(const kit_set_view &view, int player, int k) {
  const preview_xy b = block_at(block_index(view, player, k / 2));
  return {b.x + (k % 2) * (FIGHTER_CELL_W + FRAME_GAP), b.y + LABEL_H};
}

kit_picture preview_draw(const kit_set_view &v, std::span<const check_finding> findings,
                         int scale) {
  std::array<uint8_t, 768> palette = v.background.palette;
  const preview_inks inks = choose_inks(v, palette);
  const int blocks = static_cast<int>(v.frames[0].size() / 2 + v.frames[1].size() / 2);
  const auto lines = text_lines(findings);
  const int rows = (blocks + BLOCKS_PER_ROW - 1) / BLOCKS_PER_ROW;
  const int height =
      VSCRN_H + MARGIN + rows * BLOCK_H + static_cast<int>(lines.size()) * LABEL_H + MARGIN;
  raster r = raster_new(VSCRN_W, height, inks.paper);
  for (int y = 0; y < VSCRN_H; y++)
    for (int x = 0; x < VSCRN_W; x++)
      raster_set(r, x, y, v.background.pixels[static_cast<size_t>(y) * VSCRN_W + x]);
  // Outlined just outside, so the cell itself shows as it is.
  frame_rect(r, FIGHTER_CELL_X - 1, FIGHTER_CELL_Y - 1, FIGHTER_CELL_W + 2, FIGHTER_CELL_H + 2,
             inks.outline);
  const int ink[] = {inks.ink}, mark[] = {inks.mark};
  for (int p = 0; p < 2; p++)
    for (size_t k = 0; k < v.frames[static_cast<size_t>(p)].size(); k++) {
      const kit_picture &f = v.frames[static_cast<size_t>(p)][k];
      const preview_xy at = preview_frame_at(v, p, static_cast<int>(k));
      for (int y = 0; y < f.height; y++)
        for (int x = 0; x < f.width; x++)
          raster_set(r, at.x + x, at.y + y, f.pixels[static_cast<size_t>(y) * f.width + x]);
      if (k % 2) continue;
      char label[32];
      std::snprintf(label, sizeof label, "P%d pair %zu", p + 1, k / 2);
      raster_text(r, at.x, at.y - LABEL_H, label, ink);
    }
  for (const check_finding &f : findings) {
    if (f.player < 0 || f.player > 1 || f.pair < 0) continue;
    if (static_cast<size_t>(2 * f.pair) >= v.frames[static_cast<size_t>(f.player)].size()) continue;
    const preview_xy b = block_at(block_index(v, f.player, f.pair));
    frame_rect(r, b.x - 2, b.y - 2, BLOCK_W + 4, BLOCK_H - 2, f.problem ? inks.mark : inks.outline);
  }
  int y = VSCRN_H + MARGIN + rows * BLOCK_H;
  for (const auto &[text, problem] : lines) {
    raster_text(r, MARGIN, y, text.c_str(),
                problem ? std::span<const int>(mark) : std::span<const int>(ink));
    y += LABEL_H;
  }
  kit_picture one = raster_picture(r, palette);
  if (scale <= 1) return one;
  kit_picture out{one.width * scale, one.height * scale, {}, one.palette};
  out.pixels.resize(static_cast<size_t>(out.width) * out.height);
  for (int yy = 0; yy < out.height; yy++)
    for (int xx = 0; xx < out.width; xx++)
      out.pixels[static_cast<size_t>(yy) * out.width + xx] =
          one.pixels[static_cast<size_t>(yy / scale) * one.width + xx / scale];
  return out;
}

int kit_preview(std::span<char *const> args) {
  std::vector<const char *> files;
  int scale = 1;
  for (size_t i = 0; i < args.size(); i++) {
    if (!std::strcmp(args[i], "--scale") && i + 1 < args.size()) {
      char *end = nullptr;
      scale = static_cast<int>(std::strtol(args[++i], &end, 10));
      if (*end || scale < 1 || scale > 4) {
        std::fputs("qira-kit preview: --scale takes 1, 2, 3 or 4\n", stderr);
        return 2;
      }
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2) {
    std::fputs("usage: qira-kit preview SET.dat OUT.png [--scale N]\n", stderr);
    return 2;
  }
  kit_set_view view;
  if (!kit_set_load_for("preview", files[0], view)) return 1;
  std::string error;
  const std::vector<check_finding> findings = check_set_findings(files[0]);
  if (!kit_write(files[1], preview_draw(view, findings, scale), error)) {
    std::fprintf(stderr, "qira-kit preview: %s: %s\n", files[1], error.c_str());
    return 1;
  }
  return 0;
}
