// qira-kit sheet --background BG OUT FRAME... packs frames into a sheet in
// the background's palette; --template OUT writes an empty one to paint.
#include "qira-kit/sheet.h"
#include "canvas/canvas.h"
#include "image/anypic.h"
#include "image/bytes.h"
#include "qira-kit/encode.h"
#include "qira-kit/kit.h"
#include "qira-kit/quant.h"
#include "qira-kit/raster.h"
#include "qira-kit/setview.h"
#include "shell/glob.h"
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int SHEET_ROWS = (FIGHTER_FRAMES_MAX + FIGHTER_SHEET_COLUMNS - 1) / FIGHTER_SHEET_COLUMNS;

// The defined entry nearest to the colour.
int nearest_entry(const kit_picture &pic, int count, int r, int g, int b) {
  int best = 0;
  long best_d = -1;
  for (int k = 0; k < count; k++) {
    const long d = static_cast<long>(pic.palette[3 * k] - r) * (pic.palette[3 * k] - r) +
                   static_cast<long>(pic.palette[3 * k + 1] - g) * (pic.palette[3 * k + 1] - g) +
                   static_cast<long>(pic.palette[3 * k + 2] - b) * (pic.palette[3 * k + 2] - b);
    if (best_d < 0 || d < best_d) best = k, best_d = d;
  }
  return best;
}

int palette_count(const char *path, const kit_picture &pic) {
  return anypic_format_is_st(anypic_format_of(path)) ? 16 : encode_palette_count(pic);
}

// A frame file as colours: PNG with its alpha, the rest through the game's loaders.
bool read_rgba(const char *path, kit_rgba &out, std::string &error) {
  const char *format = kit_format(path);
  if (format && !std::strcmp(format, "PNG")) {
    bytes_file file;
    if (!kit_read_bytes(path, file, error)) return false;
    kit_png_info info;
    return decode_png_rgba(file.span(), out, info, nullptr, error);
  }
  kit_picture pic;
  if (!kit_read(path, pic, error)) return false;
  out = kit_rgba_of(pic);
  return true;
}

kit_rgba rgba_crop(const kit_rgba &in, int x, int y, int w, int h) {
  w = std::min(w, in.width - x);
  h = std::min(h, in.height - y);
  kit_rgba out{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 4)};
  for (int yy = 0; yy < h; yy++)
    std::memcpy(&out.px[static_cast<size_t>(yy) * w * 4],
                &in.px[(static_cast<size_t>(y + yy) * in.width + x) * 4],
                static_cast<size_t>(w) * 4);
  return out;
}

int usage() {
  std::fputs("usage: qira-kit sheet --background BG [--cells] OUT FRAME...\n"
             "       qira-kit sheet --background BG --template OUT\n",
             stderr);
  return 2;
}

} // namespace

kit_picture sheet_template(const kit_picture &bg, bool grid) {
  kit_picture sheet{VSCRN_W, VSCRN_H,
                    std::vector<uint8_t>(static_cast<size_t>(VSCRN_W) * VSCRN_H, 0), bg.palette};
  const kit_picture cell =
      kit_crop(bg, FIGHTER_CELL_X, FIGHTER_CELL_Y, FIGHTER_CELL_W, FIGHTER_CELL_H);
  for (int k = 0; k < FIGHTER_FRAMES_MAX; k++)
    for (int y = 0; y < FIGHTER_CELL_H; y++)
      std::memcpy(
          &sheet.pixels[static_cast<size_t>(fighter_frame_y(k) + y) * VSCRN_W + fighter_frame_x(k)],
          &cell.pixels[static_cast<size_t>(y) * FIGHTER_CELL_W], FIGHTER_CELL_W);
  if (!grid) return sheet;
  raster r = raster_new(VSCRN_W, VSCRN_H);
  for (size_t i = 0; i < sheet.pixels.size(); i++) r.px[i] = sheet.pixels[i];
  const int count = encode_palette_count(bg) < 16 ? 16 : encode_palette_count(bg);
  const int light = nearest_entry(bg, count, 255, 255, 255),
            dark = nearest_entry(bg, count, 0, 0, 0);
  const int right = FIGHTER_CELL_W * FIGHTER_SHEET_COLUMNS, bottom = FIGHTER_CELL_H * SHEET_ROWS;
  raster_rect(r, right, 0, VSCRN_W - right, VSCRN_H, dark);
  raster_rect(r, 0, bottom, VSCRN_W, VSCRN_H - bottom, dark);
  const int ink[] = {light};
  for (int row = 0; row <= SHEET_ROWS; row++) {
    raster_rect(r, right, row * FIGHTER_CELL_H, VSCRN_W - right, 1, light);
    if (row == SHEET_ROWS) continue;
    const std::string first = std::to_string(row * FIGHTER_SHEET_COLUMNS);
    raster_text(r, right + 2, row * FIGHTER_CELL_H + 11, first.c_str(), ink);
  }
  for (int col = 0; col <= FIGHTER_SHEET_COLUMNS; col++)
    raster_rect(r, col * FIGHTER_CELL_W, bottom, 1, VSCRN_H - bottom, light);
  return raster_picture(r, bg.palette);
}

int kit_sheet(std::span<char *const> args) {
  const char *bg_path = nullptr, *template_out = nullptr;
  bool cells = false;
  std::vector<const char *> files;
  for (size_t i = 0; i < args.size(); i++) {
    if (!std::strcmp(args[i], "--background") && i + 1 < args.size())
      bg_path = args[++i];
    else if (!std::strcmp(args[i], "--template") && i + 1 < args.size())
      template_out = args[++i];
    else if (!std::strcmp(args[i], "--cells"))
      cells = true;
    else if (args[i][0] == '-' && args[i][1])
      return usage();
    else
      files.push_back(args[i]);
  }
  if (!bg_path || (template_out ? !files.empty() : files.size() < 2)) return usage();
  kit_picture bg;
  std::string error;
  if (!kit_read(bg_path, bg, error)) {
    std::fprintf(stderr, "qira-kit sheet: %s: %s\n", bg_path, error.c_str());
    return 1;
  }
  const char *out = template_out ? template_out : files[0];
  kit_picture sheet = sheet_template(bg, template_out != nullptr);
  long inexact = 0;
  kit_map_stats worst;
  // Every frame is read and checked before anything is written.
  std::vector<kit_rgba> frames;
  for (size_t f = 1; f < files.size(); f++) {
    kit_rgba pic;
    if (!read_rgba(files[f], pic, error)) {
      std::fprintf(stderr, "qira-kit sheet: %s: %s\n", files[f], error.c_str());
      return 1;
    }
    if (!cells && (pic.width > FIGHTER_CELL_W || pic.height > FIGHTER_CELL_H)) {
      std::fprintf(stderr,
                   "qira-kit sheet: %s is %dx%d; a frame is at most %dx%d (use --cells to cut "
                   "a strip of frames); nothing written\n",
                   files[f], pic.width, pic.height, FIGHTER_CELL_W, FIGHTER_CELL_H);
      return 1;
    }
    for (int y = 0; y < pic.height; y += FIGHTER_CELL_H)
      for (int x = 0; x < pic.width; x += FIGHTER_CELL_W)
        frames.push_back(rgba_crop(pic, x, y, FIGHTER_CELL_W, FIGHTER_CELL_H));
  }
  if (frames.size() > static_cast<size_t>(FIGHTER_FRAMES_MAX)) {
    std::fprintf(stderr,
                 "qira-kit sheet: %zu frames; a sheet holds at most %d (%d pairs); "
                 "nothing written\n",
                 frames.size(), FIGHTER_FRAMES_MAX, FIGHTER_PAIRS_MAX);
    return 1;
  }
  const int count = palette_count(bg_path, bg);
  for (size_t k = 0; k < frames.size(); k++) {
    std::vector<uint8_t> idx;
    kit_map_stats stats;
    if (!kit_map_palette(frames[k], bg.palette, count, 0, idx, stats, error)) {
      std::fprintf(stderr, "qira-kit sheet: %s\n", error.c_str());
      return 1;
    }
    inexact += stats.inexact;
    if (stats.worst > worst.worst) worst = stats;
    // Transparent pixels keep the background's cell beneath them.
    const kit_rgba &f = frames[k];
    for (int y = 0; y < f.height; y++)
      for (int x = 0; x < f.width; x++)
        if (f.px[(static_cast<size_t>(y) * f.width + x) * 4 + 3] >= KIT_ALPHA_OPAQUE)
          sheet.pixels[static_cast<size_t>(fighter_frame_y(static_cast<int>(k)) + y) * VSCRN_W +
                       fighter_frame_x(static_cast<int>(k)) + x] =
              idx[static_cast<size_t>(y) * f.width + x];
  }
  if (!kit_write(out, sheet, error)) {
    std::fprintf(stderr, "qira-kit sheet: %s: %s\n", out, error.c_str());
    return 1;
  }
  if (template_out) {
    std::printf("qira-kit sheet: %s: an empty sheet in %s's palette; paint frames into the "
                "%dx%d cells\n",
                out, bg_path, FIGHTER_CELL_W, FIGHTER_CELL_H);
    return 0;
  }
  std::printf("qira-kit sheet: %s: %zu frame%s (%zu pair%s)", out, frames.size(),
              frames.size() == 1 ? "" : "s", frames.size() / 2, frames.size() / 2 == 1 ? "" : "s");
  if (inexact)
    std::printf("; %ld pixel%s not in %s's palette took the nearest colour, the worst "
                "#%02x%02x%02x as #%02x%02x%02x (distance %d)",
                inexact, inexact == 1 ? "" : "s", bg_path, worst.worst_from[0], worst.worst_from[1],
                worst.worst_from[2], worst.worst_to[0], worst.worst_to[1], worst.worst_to[2],
                worst.worst);
  else
    std::printf("; every pixel exactly in %s's palette", bg_path);
  std::printf("\n");
  return 0;
}
