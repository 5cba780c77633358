// qira-kit animate SET.dat OUT.gif [--player 1|2] [--pair J], written
// through giflib.
#include "qira-kit/animate.h"
#include "canvas/canvas.h"
#include "qira-kit/kit.h"
#include "shell/glob.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gif_lib.h>

namespace {

// How long the step drawn on tick `from` stays up until tick `to`.
int centiseconds(int from, int to) { return (to - from) * GAME_TICK_MS / 10; }

kit_picture with_cell(const kit_picture &screen, const kit_picture &cell) {
  kit_picture out = screen;
  for (int y = 0; y < cell.height; y++)
    std::memcpy(&out.pixels[static_cast<size_t>(FIGHTER_CELL_Y + y) * out.width + FIGHTER_CELL_X],
                &cell.pixels[static_cast<size_t>(y) * cell.width], static_cast<size_t>(cell.width));
  return out;
}

// giflib's output callback: appends to the byte vector in UserData.
int gif_append(GifFileType *gif, const GifByteType *data, int n) {
  auto *out = static_cast<std::vector<uint8_t> *>(gif->UserData);
  out->insert(out->end(), data, data + n);
  return n;
}

// The whole GIF in memory, so that it is written like every other picture:
// through a temporary file renamed over the target.
bool encode_gif(const std::vector<animate_frame> &frames, std::vector<uint8_t> &out,
                std::string &error) {
  int err = 0;
  GifFileType *gif = EGifOpen(&out, gif_append, &err);
  if (!gif) {
    error = GifErrorString(err);
    return false;
  }
  // The delays and the loop are extensions, which need GIF89a.
  EGifSetGifVersion(gif, true);
  const kit_picture &first = frames.front().screen;
  GifColorType colours[256];
  for (int i = 0; i < 256; i++)
    colours[i] = {first.palette[3 * static_cast<size_t>(i)],
                  first.palette[3 * static_cast<size_t>(i) + 1],
                  first.palette[3 * static_cast<size_t>(i) + 2]};
  ColorMapObject *map = GifMakeMapObject(256, colours);
  bool ok = map && EGifPutScreenDesc(gif, first.width, first.height, 8, 0, map) == GIF_OK;
  // Loop for ever.
  const unsigned char loop[] = {1, 0, 0};
  ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
       EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK &&
       EGifPutExtensionBlock(gif, 3, loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
  for (const animate_frame &f : frames) {
    if (!ok) break;
    GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, f.delay_cs, NO_TRANSPARENT_COLOR};
    GifByteType ext[4];
    const size_t n = EGifGCBToExtension(&gcb, ext);
    ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext) == GIF_OK &&
         EGifPutImageDesc(gif, 0, 0, f.screen.width, f.screen.height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < f.screen.height; y++)
      ok = EGifPutLine(gif,
                       const_cast<GifPixelType *>(
                           &f.screen.pixels[static_cast<size_t>(y) * f.screen.width]),
                       f.screen.width) == GIF_OK;
  }
  if (!ok) error = GifErrorString(gif->Error);
  GifFreeMapObject(map);
  if (EGifCloseFile(gif, &err) != GIF_OK && ok) {
    error = GifErrorString(err);
    ok = false;
  }
  return ok;
}

} // namespace

std::vector<animate_frame> animate_frames(const kit_set_view &view, int player, int pair) {
  std::vector<animate_frame> out;
  // Steps 0 .. FIGHTER_ATTACK_FRAMES - 1 show frames 2j, 2j + 1, 2j; the
  // last step puts the background back until the held button repeats.
  const kit_picture cell =
      kit_crop(view.background, FIGHTER_CELL_X, FIGHTER_CELL_Y, FIGHTER_CELL_W, FIGHTER_CELL_H);
  for (int p = 0; p < 2; p++) {
    if (player >= 0 && p != player) continue;
    const auto &frames = view.frames[static_cast<size_t>(p)];
    for (int j = 0; 2 * j < static_cast<int>(frames.size()); j++) {
      if (pair >= 0 && j != pair) continue;
      for (int s = 0; s <= FIGHTER_ATTACK_FRAMES; s++) {
        const kit_picture &c =
            s == FIGHTER_ATTACK_FRAMES ? cell : frames[static_cast<size_t>(2 * j + s % 2)];
        const int until =
            s == FIGHTER_ATTACK_FRAMES ? FIGHTER_ATTACK_REPEAT_TICK : fighter_attack_tick(s + 1);
        out.push_back({with_cell(view.background, c), centiseconds(fighter_attack_tick(s), until)});
      }
    }
  }
  return out;
}

int kit_animate(std::span<char *const> args) {
  std::vector<const char *> files;
  int player = -1, pair = -1;
  for (size_t i = 0; i < args.size(); i++) {
    const bool is_player = !std::strcmp(args[i], "--player"),
               is_pair = !std::strcmp(args[i], "--pair");
    if ((is_player || is_pair) && i + 1 < args.size()) {
      char *end = nullptr;
      const long v = std::strtol(args[++i], &end, 10);
      if (*end || (is_player && v != 1 && v != 2) ||
          (is_pair && (v < 0 || v >= FIGHTER_PAIRS_MAX))) {
        std::fprintf(stderr, "qira-kit animate: %s takes %s\n", args[i - 1],
                     is_player ? "1 or 2" : "a pair number from 0 to 14");
        return 2;
      }
      (is_player ? player : pair) = static_cast<int>(is_player ? v - 1 : v);
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2) {
    std::fputs("usage: qira-kit animate SET.dat OUT.gif [--player 1|2] [--pair J]\n", stderr);
    return 2;
  }
  kit_set_view view;
  if (!kit_set_load_for("animate", files[0], view)) return 1;
  const std::vector<animate_frame> frames = animate_frames(view, player, pair);
  if (frames.empty()) {
    std::fprintf(stderr, "qira-kit animate: %s: no attack to show (%s)\n", files[0],
                 pair >= 0 ? "no such pair for the player" : "no fighter has frames");
    return 1;
  }
  std::vector<uint8_t> gif;
  std::string error;
  if (!encode_gif(frames, gif, error) || !kit_write_file(files[1], gif, error)) {
    std::fprintf(stderr, "qira-kit animate: %s: %s\n", files[1], error.c_str());
    return 1;
  }
  return 0;
}
