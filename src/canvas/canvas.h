// The one picture type: a rectangle of palette indices.
#pragma once
#include <cstdint>

// The virtual screen's size; its rows are exactly VSCRN_W bytes apart.
constexpr int VSCRN_W = 320;
constexpr int VSCRN_H = 200;

struct canvas {
  canvas *parent; // null when the canvas owns its pixel block
  int32_t pitch;
  int32_t width;
  int32_t height;
  uint8_t *pixels;
};

// The virtual screen: VSCRN_W x VSCRN_H palette indices, rows exactly
// VSCRN_W bytes apart. The display owns the bytes and sets vscrn to them when
// it opens (null while it is closed); the draw_..., grab_... and text
// operations write through vscrn, the presenters read the same bytes as
// VSCRN. The design names both; neither is a macro.
extern uint8_t *vscrn;
// Describes the virtual screen for the canvas_... operations; its pixels are
// pointed at vscrn once the display is open.
extern canvas vscrn_canvas;

// The canvas_... operations name their canvas and clip against it. The game's
// screens use only the screen operations below and canvas_free; the rest
// complete the interface for tools and later screens.
// Returns null when the size is not positive or memory runs out.
canvas *canvas_new(int width, int height);
void canvas_init_sub_canvas(canvas *c, canvas *parent, int x, int y, int width, int height);
canvas *canvas_new_sub_canvas(canvas *parent, int x, int y, int width, int height);
void canvas_free(canvas *c);
void canvas_draw_canvas(canvas *target, int x, int y, const canvas *source);
// A new canvas holding a copy of width x height of source from (x, y); the
// caller keeps the rectangle inside source.
canvas *canvas_grab_canvas(const canvas *source, int x, int y, int width, int height);
void canvas_flood(canvas *c, int colour);
void canvas_draw_pane(canvas *c, int x, int y, int width, int height, int colour);
void canvas_draw_rect(canvas *c, int x, int y, int width, int height, int colour);
void canvas_draw_sprite(canvas *c, int x, int y, const void *sprite);

// These work on the virtual screen (vscrn): names without a canvas to draw
// on, or to grab from, mean the screen.
void draw_canvas(int x, int y, const canvas *c);
void draw_canvas_transparent(int x, int y, const canvas *c);
// Copies the screen's rectangle at (x, y) into the existing canvas c, clipped
// to the screen (the screen is the source despite the canvas_ prefix).
void canvas_grab(canvas *c, int x, int y, int width, int height);
// A new canvas holding the screen's width x height from (x, y), unclipped.
canvas *grab_canvas(int x, int y, int width, int height);
