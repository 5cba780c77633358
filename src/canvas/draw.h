// One-colour primitives on the virtual screen. The filled rectangle,
// draw_pane, fills the display's surface and so lives in video/draw_pane.h.
#pragma once

// The screens use draw_rect only; the others complete the set.
void draw_hline_clip(int x, int y, int length, int colour);
void draw_vline(int x, int y, int length, int colour);
void draw_line(int x0, int y0, int x1, int y1, int colour);
void draw_rect(int x, int y, int width, int height, int colour);
void draw_circle(int cx, int cy, int radius, int colour);
void draw_disc(int cx, int cy, int radius, int colour);
