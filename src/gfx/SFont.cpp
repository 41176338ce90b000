// SPDX-License-Identifier: GPL-3.0-or-later
// SFont.cpp: the bitmap font; every text of the game is drawn and measured here.
#include "SFont.h"
#include "gfx.h"
#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdlib>

Uint8 glyph_code(int glyph)
{
    return glyph < ASCII_GLYPHS ? Uint8(FIRST_ASCII_GLYPH + glyph) : LETTER_GLYPHS[glyph - ASCII_GLYPHS].code;
}

Uint16 glyph_unicode(int glyph)
{
    return glyph < ASCII_GLYPHS ? Uint16(FIRST_ASCII_GLYPH + glyph) : LETTER_GLYPHS[glyph - ASCII_GLYPHS].unicode;
}

// The inverse of the glyph set: each byte's glyph, NO_GLYPH for a byte the font lacks.
static constexpr std::array<Uint8, 256> glyphs_by_code()
{
    std::array<Uint8, 256> glyphs{};
    for (Uint8 &glyph : glyphs)
        glyph = NO_GLYPH;
    for (int g = 0; g < ASCII_GLYPHS; g++)
        glyphs[FIRST_ASCII_GLYPH + g] = Uint8(g);
    for (int i = 0; i < FONT_GLYPHS - ASCII_GLYPHS; i++)
        glyphs[LETTER_GLYPHS[i].code] = Uint8(ASCII_GLYPHS + i);
    return glyphs;
}

const std::array<Uint8, 256> glyph_of_code = glyphs_by_code();

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
