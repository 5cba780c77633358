// The one drawing primitive that goes through SDL: a filled rectangle on the
// virtual screen's surface.
#pragma once

// Fills the rectangle's part inside the 320x200 screen with colour; the
// arguments are cut to SDL_Rect's 16-bit fields first. Nothing happens while
// the display is closed.
void draw_pane(int x, int y, int width, int height, int colour);
