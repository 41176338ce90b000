// SPDX-License-Identifier: GPL-3.0-or-later
// SFont.h: the bitmap font: glyphs between magenta markers in the top row of one sheet.
#pragma once
#include <SDL.h>

// No program-wide variables: the game's one font lives in gfx.h's program state.

const int FONT_POSITIONS = 512;        // room for 256 markers, two positions each
const int FONT_GLYPHS = 124;           // printable ASCII and the 30 Czech letters
const Uint8 NO_GLYPH = 255;

struct BitmapFont {
    SDL_Surface *sheet;                // owned
    int positions[FONT_POSITIONS];     // marker m: [2m] start, [2m+1] just past its end
    int markers;                       // markers found by the scan
};

extern const Uint8 glyph_of_code[256]; // Windows-1250 byte -> glyph index, NO_GLYPH for none

BitmapFont *font_init(SDL_Surface *sheet);   // null when the sheet is null; owns the sheet
void font_free(BitmapFont *font);
void font_write(SDL_Surface *dest, const BitmapFont *font, int x, int y, const char *text);
int font_text_width(const BitmapFont *font, const char *text);
int font_height(const BitmapFont *font);
void font_write_centred(SDL_Surface *dest, const BitmapFont *font, int y, const char *text);
Uint32 font_get_pixel(SDL_Surface *surface, Sint32 x, Sint32 y);
