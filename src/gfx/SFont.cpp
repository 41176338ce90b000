// SPDX-License-Identifier: GPL-3.0-or-later
// SFont.cpp: the bitmap font; every text of the game is drawn and measured here.
#include "SFont.h"
#include "gfx.h"
#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdlib>

// Windows-1250 byte -> glyph: codes 33..126 are glyphs 0..93, then the Czech lower-case
// letters (ě š č ř ž ý á í é ď ň ó ť ú ů, glyphs 94..108) and capitals (Ě Š Č Ř Ž Ý Á Í É Ď
// Ň Ó Ť Ú Ů, glyphs 109..123) in the order they stand on the sheet; 255 for no glyph.
const Uint8 glyph_of_code[256] = {
    255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,   // 0..
    255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,   // 16..
    255,   0,   1,   2,   3,   4,   5,   6,   7,   8,   9,  10,  11,  12,  13,  14,   // 32..
     15,  16,  17,  18,  19,  20,  21,  22,  23,  24,  25,  26,  27,  28,  29,  30,   // 48..
     31,  32,  33,  34,  35,  36,  37,  38,  39,  40,  41,  42,  43,  44,  45,  46,   // 64..
     47,  48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  58,  59,  60,  61,  62,   // 80..
     63,  64,  65,  66,  67,  68,  69,  70,  71,  72,  73,  74,  75,  76,  77,  78,   // 96..
     79,  80,  81,  82,  83,  84,  85,  86,  87,  88,  89,  90,  91,  92,  93, 255,   // 112..
    255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 110, 255, 255, 121, 113, 255,   // 128..
    255, 255, 255, 255, 255, 255, 255, 255, 255, 255,  95, 255, 255, 106,  98, 255,   // 144..
    255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,   // 160..
    255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,   // 176..
    255, 115, 255, 255, 255, 255, 255, 255, 111, 117, 255, 255, 109, 116, 255, 118,   // 192..
    255, 255, 119, 120, 255, 255, 255, 255, 112, 123, 122, 255, 255, 114, 255, 255,   // 208..
    255, 100, 255, 255, 255, 255, 255, 255,  96, 102, 255, 255,  94, 101, 255, 103,   // 224..
    255, 255, 104, 105, 255, 255, 255, 255,  97, 108, 107, 255, 255,  99, 255, 255,   // 240..
};

static const int MAX_MARKERS = FONT_POSITIONS / 2;

static bool is_marker(SDL_Surface *sheet, int x, Uint32 magenta)
{
    return font_get_pixel(sheet, x, 0) == magenta;
}

// Finds the magenta marker runs of the sheet's top row; stops after MAX_MARKERS of them.
static void scan_markers(BitmapFont *font)
{
    SDL_Surface *sheet = font->sheet;
    Uint32 magenta = SDL_MapRGB(sheet->format, 255, 0, 255);
    int x = 0;
    while (x < sheet->w && font->markers < MAX_MARKERS) {
        if (is_marker(sheet, x, magenta)) {
            font->positions[2 * font->markers] = x;
            while (x < sheet->w && is_marker(sheet, x, magenta))
                x++;
            font->positions[2 * font->markers + 1] = x;
            font->markers++;
        }
        x++;
    }
}

BitmapFont *font_init(SDL_Surface *sheet)
{
    if (!sheet)
        return nullptr;
    BitmapFont *font = (BitmapFont *)calloc(1, sizeof(BitmapFont));
    font->sheet = sheet;
    if (sheet->w < 1 || sheet->h < 1)
        return font;   // no top row: a font without glyphs that draws nothing
    SDL_LockSurface(sheet);
    scan_markers(font);
    Uint32 key = font_get_pixel(sheet, 0, sheet->h - 1);
    SDL_UnlockSurface(sheet);
    SDL_SetColorKey(sheet, SDL_SRCCOLORKEY, key);
    return font;
}

void font_free(BitmapFont *font)
{
    if (!font)
        return;
    SDL_FreeSurface(font->sheet);
    free(font);
}

// The glyph of a character, or NO_GLYPH when the font has none or its sheet lacks the
// glyph's two markers.
static int drawable_glyph(const BitmapFont *font, char c)
{
    int g = glyph_of_code[(Uint8)c];
    if (g == NO_GLYPH || g + 1 >= font->markers)
        return NO_GLYPH;
    return g;
}

// How far the pen moves for a character without a glyph: from the start of marker 0 to the
// end of marker 1, or nothing when the sheet lacks them.
static int no_glyph_advance(const BitmapFont *font)
{
    if (font->markers < 2)
        return 0;
    return font->positions[3] - font->positions[0];
}

// Gap between the end of marker g and the start of marker g + 1.
static int glyph_advance(const BitmapFont *font, int g)
{
    int k = 2 * g + 1;
    return font->positions[k + 1] - font->positions[k];
}

static int char_advance(const BitmapFont *font, char c)
{
    int g = drawable_glyph(font, c);
    return g == NO_GLYPH ? no_glyph_advance(font) : glyph_advance(font, g);
}

// Blits glyph g with its body starting at pen x; the half marker before the body lands
// just left of the pen. The part left of the destination's edge is cut off here, so that
// the target stays within the 16-bit range of a blit rectangle however far left a very wide
// text starts.
static void blit_glyph(SDL_Surface *dest, const BitmapFont *font, int g, int x, int y)
{
    const int *pos = font->positions;
    int k = 2 * g + 1;
    long long source_x = (pos[k - 1] + pos[k]) / 2;
    long long width = (pos[k + 1] + pos[k + 2]) / 2 - source_x;
    long long left = (long long)(x - (pos[k] - pos[k - 1]) * 0.5);
    if (left < 0) {
        source_x -= left;
        width += left;
        left = 0;
    }
    if (width <= 0 || left > dest->w || source_x > INT16_MAX)
        return;
    Uint16 height = font_height(font);
    SDL_Rect source = {(Sint16)source_x, 1, (Uint16)std::min(width, (long long)UINT16_MAX), height};
    SDL_Rect target = {(Sint16)left, (Sint16)y, source.w, height};
    blit_noted(font->sheet, &source, dest, &target);
}

void font_write(SDL_Surface *dest, const BitmapFont *font, int x, int y, const char *text)
{
    if (!text)
        return;
    for (; *text && x <= dest->w; text++) {
        int g = drawable_glyph(font, *text);
        if (g != NO_GLYPH)
            blit_glyph(dest, font, g, x, y);
        x += char_advance(font, *text);
    }
}

int font_text_width(const BitmapFont *font, const char *text)
{
    int width = 0;
    if (!text)
        return 0;
    for (; *text; text++)
        width += char_advance(font, *text);
    return width;
}

int font_height(const BitmapFont *font)
{
    return font->sheet->h > 0 ? font->sheet->h - 1 : 0;
}

void font_write_centred(SDL_Surface *dest, const BitmapFont *font, int y, const char *text)
{
    font_write(dest, font, dest->w / 2 - font_text_width(font, text) / 2, y, text);
}

// The font's own pixel reader for the marker scan; the scan never leaves the sheet.
Uint32 font_get_pixel(SDL_Surface *surface, Sint32 x, Sint32 y)
{
    assert(x >= 0);
    assert(x < surface->w);
    assert(y >= 0 && y < surface->h);
    return read_pixel(surface, x, y);
}
