// drawing.cpp: maze cells, whole mazes and the cells under a rectangle.
// STUB: to be written.
#include "gfx.h"
void draw_cell(Uint8, Uint8) {}
void draw_maze(const LevelMap &) {}
void redraw_cells_in_rect(SDL_Rect) {}
