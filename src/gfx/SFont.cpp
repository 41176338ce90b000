// SFont.cpp: the bitmap font.
// STUB: to be written.
#include "SFont.h"
const Uint8 glyph_of_code[256] = {};
BitmapFont *font_init(SDL_Surface *) { return nullptr; }
void font_free(BitmapFont *) {}
void font_write(SDL_Surface *, const BitmapFont *, int, int, const char *) {}
int font_text_width(const BitmapFont *, const char *) { return 0; }
int font_height(const BitmapFont *) { return 0; }
void font_write_centred(SDL_Surface *, const BitmapFont *, int, const char *) {}
Uint32 font_get_pixel(SDL_Surface *, Sint32, Sint32) { return 0; }
