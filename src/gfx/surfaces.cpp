// surfaces.cpp: bitmap loading, pixel access and sprite transforms.
// STUB: to be written.
#include "gfx.h"
SDL_Surface *load_bitmap(const char *, const char *) { return nullptr; }
SDL_Surface *load_keyed_bitmap(const char *, const char *) { return nullptr; }
Uint32 get_pixel(SDL_Surface *, int, int) { return 0; }
void put_pixel(SDL_Surface *, int, int, Uint32) {}
SDL_Surface *turn_frames(SDL_Surface *) { return nullptr; }
SDL_Surface *mirror_frames(SDL_Surface *) { return nullptr; }
