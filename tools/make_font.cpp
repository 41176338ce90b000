// SPDX-License-Identifier: GPL-3.0-or-later
// make_font.cpp: renders the game's font sheet data/font.bmp from a TrueType font; run by hand
// when the font is to be remade: make_font <output.bmp> [<font.ttf>].
//
// The default font is DejaVu Sans Bold from Debian's fonts-dejavu-core
// (/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf). Its licence is the Bitstream Vera
// licence (DejaVu changes are public domain): a free, permissive font licence that allows
// the glyphs to be reproduced, modified and distributed, also as part of a larger package.
// The sheet made from it carries these glyph shapes.
//
// Sheet layout (what the game's font scanner expects): row 0 holds one magenta marker pixel
// before every glyph and one after the last, FONT_GLYPHS + 1 markers in all; glyph g lies
// between marker g and marker g + 1; rows 1 to height - 1 hold the glyphs; the colour of
// the bottom-left pixel is the transparent colour.
#include <SDL.h>
#include "SFont.h"
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char *const DEFAULT_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const int SHEET_HEIGHT = 24;                 // row 0 markers + 23 glyph rows
const int GLYPH_ROWS = SHEET_HEIGHT - 1;
const int OUTLINE = 1;                       // dark border around every glyph body
const int GLYPH_GAP = 0;                     // extra empty columns: the outlines already part glyphs
const int INK_THRESHOLD = 110;               // anti-aliasing coverage that counts as ink
const int LARGEST_PIXEL_SIZE = 30;

const Uint8 KEY_R = 0, KEY_G = 0, KEY_B = 255;        // transparent: pure blue
const Uint8 MARK_R = 255, MARK_G = 0, MARK_B = 255;   // marker: pure magenta
const Uint8 OUTLINE_R = 24, OUTLINE_G = 16, OUTLINE_B = 8;
const Uint8 TOP_R = 255, TOP_G = 255, TOP_B = 255;    // glyph body: white at the top ...
const Uint8 FOOT_R = 255, FOOT_G = 214, FOOT_B = 80;  // ... warm yellow at the foot

// The game's glyph set as Unicode code points, in the order of the sheet.
std::vector<FT_ULong> character_order()
{
    std::vector<FT_ULong> order;
    for (int g = 0; g < FONT_GLYPHS; ++g)
        order.push_back(glyph_unicode(g));
    return order;
}

// One glyph after thresholding: ink mask with its top relative to the baseline.
struct Glyph {
    int width = 0, height = 0;
    int top = 0;                             // rows above the baseline (FreeType bitmap_top)
    std::vector<Uint8> ink;                  // width * height, 1 = body pixel
};

Glyph render_glyph(FT_Face face, FT_ULong code)
{
    Glyph glyph;
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL)) {
        std::printf("make_font: no glyph for U+%04lX\n", code);
        std::exit(1);
    }
    const FT_Bitmap &bitmap = face->glyph->bitmap;
    glyph.width = bitmap.width;
    glyph.height = bitmap.rows;
    glyph.top = face->glyph->bitmap_top;
    glyph.ink.assign(glyph.width * glyph.height, 0);
    for (int y = 0; y < glyph.height; ++y)
        for (int x = 0; x < glyph.width; ++x)
            glyph.ink[x + y * glyph.width] = bitmap.buffer[x + y * bitmap.pitch] >= INK_THRESHOLD;
    return glyph;
}

std::vector<Glyph> render_all(FT_Face face, int pixel_size)
{
    FT_Set_Pixel_Sizes(face, 0, pixel_size);
    std::vector<Glyph> glyphs;
    for (FT_ULong code : character_order())
        glyphs.push_back(render_glyph(face, code));
    return glyphs;
}

// Highest row above the baseline and lowest row below it over all glyphs.
void vertical_extent(const std::vector<Glyph> &glyphs, int &above, int &below)
{
    above = 0;
    below = 0;
    for (const Glyph &g : glyphs) {
        above = std::max(above, g.top);
        below = std::max(below, g.height - g.top);
    }
}

// The largest pixel size at which every glyph, outline included, fits the glyph rows.
int fitting_pixel_size(FT_Face face)
{
    for (int size = LARGEST_PIXEL_SIZE; size > 6; --size) {
        int above, below;
        vertical_extent(render_all(face, size), above, below);
        if (above + below + 2 * OUTLINE <= GLYPH_ROWS)
            return size;
    }
    std::printf("make_font: the font does not fit %d rows\n", GLYPH_ROWS);
    std::exit(1);
}

void set_rgb(SDL_Surface *sheet, int x, int y, Uint8 r, Uint8 g, Uint8 b)
{
    Uint8 *p = static_cast<Uint8 *>(sheet->pixels) + y * sheet->pitch + x * 3;
    Uint32 value = SDL_MapRGB(sheet->format, r, g, b);
    p[0] = value & 0xFF;
    p[1] = (value >> 8) & 0xFF;
    p[2] = (value >> 16) & 0xFF;
}

// Body colour for glyph row y: white fading to warm yellow in three bands (the screen has
// 16-bit colour, so the bands are coarse on purpose).
void body_colour(int y, int rows, Uint8 &r, Uint8 &g, Uint8 &b)
{
    const int bands = 3;
    int band = std::min(bands - 1, y * bands / rows);
    r = TOP_R + (FOOT_R - TOP_R) * band / (bands - 1);
    g = TOP_G + (FOOT_G - TOP_G) * band / (bands - 1);
    b = TOP_B + (FOOT_B - TOP_B) * band / (bands - 1);
}

// Width of a glyph's cell between its markers: the body, its outline and the gap.
int cell_width(const Glyph &g)
{
    return std::max(g.width, 1) + 2 * OUTLINE + GLYPH_GAP;
}

// Draws one glyph with its top-left cell corner at (x0, 1); baseline is the sheet row of the
// baseline. Outline pixels are the key-coloured neighbours (8-way) of body pixels.
void draw_glyph(SDL_Surface *sheet, const Glyph &g, int x0, int baseline)
{
    int left = x0 + OUTLINE;
    int top = baseline - g.top;
    auto inked = [&](int gx, int gy) {
        return gx >= 0 && gy >= 0 && gx < g.width && gy < g.height && g.ink[gx + gy * g.width];
    };
    for (int gy = -OUTLINE; gy < g.height + OUTLINE; ++gy)
        for (int gx = -OUTLINE; gx < g.width + OUTLINE; ++gx) {
            int x = left + gx, y = top + gy;
            if (inked(gx, gy)) {
                Uint8 r, gr, b;
                body_colour(y - 1, GLYPH_ROWS, r, gr, b);
                set_rgb(sheet, x, y, r, gr, b);
                continue;
            }
            bool near_ink = false;
            for (int dy = -OUTLINE; dy <= OUTLINE; ++dy)
                for (int dx = -OUTLINE; dx <= OUTLINE; ++dx)
                    near_ink = near_ink || inked(gx + dx, gy + dy);
            if (near_ink)
                set_rgb(sheet, x, y, OUTLINE_R, OUTLINE_G, OUTLINE_B);
        }
}

SDL_Surface *build_sheet(const std::vector<Glyph> &glyphs, int baseline)
{
    int width = 1;                           // marker 0
    for (const Glyph &g : glyphs)
        width += cell_width(g) + 1;          // the glyph's cell and the marker after it
    SDL_Surface *sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, width, SHEET_HEIGHT, 24,
                                              0xFF0000, 0x00FF00, 0x0000FF, 0);
    if (!sheet) {
        std::printf("make_font: %s\n", SDL_GetError());
        std::exit(1);
    }
    SDL_FillRect(sheet, nullptr, SDL_MapRGB(sheet->format, KEY_R, KEY_G, KEY_B));
    int x = 0;
    set_rgb(sheet, x++, 0, MARK_R, MARK_G, MARK_B);
    for (const Glyph &g : glyphs) {
        draw_glyph(sheet, g, x, baseline);
        x += cell_width(g);
        set_rgb(sheet, x++, 0, MARK_R, MARK_G, MARK_B);
    }
    return sheet;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3) {
        std::printf("usage: make_font <output.bmp> [<font.ttf>]\n");
        return 1;
    }
    const char *font_path = argc == 3 ? argv[2] : DEFAULT_FONT;
    FT_Library library;
    FT_Face face;
    if (FT_Init_FreeType(&library) || FT_New_Face(library, font_path, 0, &face)) {
        std::printf("make_font: cannot open %s\n", font_path);
        return 1;
    }
    int size = fitting_pixel_size(face);
    std::vector<Glyph> glyphs = render_all(face, size);
    int above, below;
    vertical_extent(glyphs, above, below);
    int spare = GLYPH_ROWS - (above + below + 2 * OUTLINE);
    int baseline = 1 + OUTLINE + spare / 2 + above;   // sheet row just below the baseline
    SDL_Surface *sheet = build_sheet(glyphs, baseline);
    if (SDL_SaveBMP(sheet, argv[1]) != 0) {
        std::printf("make_font: cannot write %s: %s\n", argv[1], SDL_GetError());
        return 1;
    }
    std::printf("make_font: %s, %d glyphs at %d px, sheet %dx%d\n", argv[1],
                static_cast<int>(glyphs.size()), size, sheet->w, sheet->h);
    SDL_FreeSurface(sheet);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return 0;
}
