// play_overlay.cpp: the actors and the status panel drawn over the maze every frame.
// STUB: to be written.
#include "gfx.h"
SDL_Rect rect_scratch;
void draw_play_overlay() {}
