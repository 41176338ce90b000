// message_box.cpp: framed message boxes, framed labels and panel frames.
// STUB: to be written.
#include "gfx.h"
SDL_Rect message_box_rect;
void show_message_box(const char *) {}
void draw_framed_label(const char *, int) {}
void draw_panel_frame(int, int, int, int) {}
Uint32 red_pixel() { return 0; }
