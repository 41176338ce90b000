// SPDX-License-Identifier: GPL-3.0-or-later
// SFont.h: the bitmap font: glyphs between magenta markers in the top row of one sheet.
#pragma once
#include <SDL.h>
#include <array>

// No program-wide variables: the game's one font lives in gfx.h's program state.

const int FONT_POSITIONS = 512;        // room for 256 markers, two positions each

// The glyph set, in the order the glyphs stand on the sheet: printable ASCII, then the Czech
// lower-case letters and the capitals, each as its Windows-1250 byte (the game's texts) and its
// Unicode code point (the font tool's renderer).
const Uint8 FIRST_ASCII_GLYPH = 33;    // '!': glyph 0
const Uint8 LAST_ASCII_GLYPH = 126;    // '~'
const int ASCII_GLYPHS = LAST_ASCII_GLYPH - FIRST_ASCII_GLYPH + 1;
struct LetterGlyph {
    Uint8 code;                        // Windows-1250
    Uint16 unicode;
};
const LetterGlyph LETTER_GLYPHS[] = {
    {0xEC, 0x11B}, {0x9A, 0x161}, {0xE8, 0x10D}, {0xF8, 0x159}, {0x9E, 0x17E},   // ě š č ř ž
    {0xFD, 0x0FD}, {0xE1, 0x0E1}, {0xED, 0x0ED}, {0xE9, 0x0E9}, {0xEF, 0x10F},   // ý á í é ď
    {0xF2, 0x148}, {0xF3, 0x0F3}, {0x9D, 0x165}, {0xFA, 0x0FA}, {0xF9, 0x16F},   // ň ó ť ú ů
    {0xCC, 0x11A}, {0x8A, 0x160}, {0xC8, 0x10C}, {0xD8, 0x158}, {0x8E, 0x17D},   // Ě Š Č Ř Ž
    {0xDD, 0x0DD}, {0xC1, 0x0C1}, {0xCD, 0x0CD}, {0xC9, 0x0C9}, {0xCF, 0x10E},   // Ý Á Í É Ď
    {0xD2, 0x147}, {0xD3, 0x0D3}, {0x8D, 0x164}, {0xDA, 0x0DA}, {0xD9, 0x16E}};  // Ň Ó Ť Ú Ů
const int FONT_GLYPHS = ASCII_GLYPHS + int(sizeof LETTER_GLYPHS / sizeof LETTER_GLYPHS[0]);
const Uint8 NO_GLYPH = 255;
Uint8 glyph_code(int glyph);           // the Windows-1250 byte glyph 0 to FONT_GLYPHS - 1 draws
Uint16 glyph_unicode(int glyph);       // its Unicode code point

struct BitmapFont {
    SDL_Surface *sheet;                // owned
    int positions[FONT_POSITIONS];     // marker m: [2m] start, [2m+1] just past its end
    int markers;                       // markers found by the scan
};

extern const std::array<Uint8, 256> glyph_of_code;   // Windows-1250 byte -> glyph, NO_GLYPH for none

BitmapFont *font_init(SDL_Surface *sheet);   // null when the sheet is null; owns the sheet
void font_free(BitmapFont *font);
void font_write(SDL_Surface *dest, const BitmapFont *font, int x, int y, const char *text);
int font_text_width(const BitmapFont *font, const char *text);
int font_height(const BitmapFont *font);
void font_write_centred(SDL_Surface *dest, const BitmapFont *font, int y, const char *text);
Uint32 font_get_pixel(SDL_Surface *surface, Sint32 x, Sint32 y);
