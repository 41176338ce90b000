// SPDX-License-Identifier: GPL-3.0-or-later
// font_test.cpp: the bitmap font on small sheets built here: marker scan, advances, drawing,
// centring, the right edge and sheets with too few or too many markers.
#include <algorithm>
#include <gtest/gtest.h>
#include <iconv.h>
#include <set>
#include "SFont.h"
#include "frame.h"
#include "gfx.h"
#include "test_skins.h"
#include "test_support.h"

namespace {

const Uint32 KEY = 0;              // the sheets' transparent colour (bottom-left pixel)
const Uint32 BACKGROUND = 0xFFFF;  // what the destination holds before a write

// Paints columns [x0, x1) of the glyph rows (1 to h-1) in one colour.
void paint_columns(SDL_Surface *sheet, int x0, int x1, Uint32 pixel)
{
    fill_area(sheet, x0, 1, x1 - x0, sheet->h - 1, pixel);
}

// The full character order: 125 markers of 2 px every 8 px; glyph g's 6-px body is painted
// in colour 100 + g, so the pen lands on the body's first column.
const int PERIOD = 8;
const int FULL_HEIGHT = 12;
Uint32 glyph_colour(int g) { return 100 + g; }

BitmapFont *full_font()
{
    SDL_Surface *sheet = marker_sheet(FONT_GLYPHS * PERIOD + 2, FULL_HEIGHT, full_marker_runs(PERIOD, 2));
    for (int g = 0; g < FONT_GLYPHS; g++)
        paint_columns(sheet, g * PERIOD + 2, (g + 1) * PERIOD, glyph_colour(g));
    return font_init(sheet);
}

std::vector<Uint32> area(SDL_Surface *s, int x, int y, int w, int h)
{
    std::vector<Uint32> pixels;
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++)
            pixels.push_back(locked_pixel(s, i, j));
    return pixels;
}

// Each glyph's Windows-1250 byte and Unicode code point name the same character (as the C
// library's converter reads the byte), and the byte table is the glyph set's inverse.
TEST(GlyphTable, CoversAsciiAndTheCzechLettersInBothEncodings)
{
    iconv_t to_unicode = iconv_open("UTF-32LE", "CP1250");
    ASSERT_NE(to_unicode, (iconv_t)-1);
    std::set<int> codes;
    for (int g = 0; g < FONT_GLYPHS; g++) {
        char in = char(glyph_code(g));
        Uint32 out = 0;
        char *in_at = &in, *out_at = reinterpret_cast<char *>(&out);
        size_t in_left = 1, out_left = sizeof out;
        ASSERT_NE(iconv(to_unicode, &in_at, &in_left, &out_at, &out_left), (size_t)-1) << g;
        EXPECT_EQ(out, glyph_unicode(g)) << "glyph " << g;
        EXPECT_EQ(glyph_of_code[glyph_code(g)], g);
        codes.insert(glyph_code(g));
    }
    iconv_close(to_unicode);
    EXPECT_EQ(codes.size(), size_t(FONT_GLYPHS));
    EXPECT_EQ(glyph_unicode(0), '!');
    // every other byte has no glyph
    EXPECT_EQ(256 - std::count(glyph_of_code.begin(), glyph_of_code.end(), NO_GLYPH), FONT_GLYPHS);
}

TEST(Font, MarkersGiveHeightAndAdvances)
{
    open_test_screen();
    EXPECT_EQ(nullptr, font_init(nullptr));
    font_free(nullptr);

    // Markers at 0-1, 9-10 and 20: glyphs '!' and '"', nothing more.
    BitmapFont *font = font_init(marker_sheet(40, 20, {{0, 2}, {9, 2}, {20, 1}}));
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(3, font->markers);
    EXPECT_EQ(19, font_height(font));
    EXPECT_EQ(7, font_text_width(font, "!"));
    EXPECT_EQ(9, font_text_width(font, "\""));
    EXPECT_EQ(11, font_text_width(font, " "));
    EXPECT_EQ(11, font_text_width(font, "\xE4"));   // a byte with no glyph
    EXPECT_EQ(11, font_text_width(font, "#"));      // a glyph whose end marker is missing
    EXPECT_EQ(7 + 11 + 9, font_text_width(font, "! \""));
    EXPECT_EQ(0, font_text_width(font, ""));
    EXPECT_EQ(0, font_text_width(font, nullptr));
    EXPECT_TRUE(font->sheet->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(KEY, font->sheet->format->colorkey);
    font_free(font);
}

TEST(Font, DrawsTheRightGlyphsAtThePen)
{
    open_test_screen();
    BitmapFont *font = full_font();
    ASSERT_EQ(FONT_GLYPHS + 1, font->markers);
    EXPECT_EQ(FULL_HEIGHT - 1, font_height(font));
    SDL_FillRect(screen, nullptr, BACKGROUND);

    font_write(screen, font, 100, 50, "\xF8");   // r with caron
    EXPECT_EQ(glyph_colour(97), locked_pixel(screen, 100, 50));
    EXPECT_EQ(glyph_colour(97), locked_pixel(screen, 105, 50 + FULL_HEIGHT - 2));
    EXPECT_EQ(BACKGROUND, locked_pixel(screen, 99, 50));    // marker half: transparent
    EXPECT_EQ(BACKGROUND, locked_pixel(screen, 106, 50));
    EXPECT_EQ(BACKGROUND, locked_pixel(screen, 100, 49));   // row 0 of the sheet is not drawn
    EXPECT_EQ(BACKGROUND, locked_pixel(screen, 100, 50 + FULL_HEIGHT - 1));

    std::vector<Uint32> before = area(screen, 190, 190, 40, 20);
    font_write(screen, font, 200, 200, "\xE4");
    font_write(screen, font, 200, 200, "");
    font_write(screen, font, 200, 200, nullptr);
    EXPECT_EQ(before, area(screen, 190, 190, 40, 20));

    // A, space, B: the space moves the pen from the start of marker 0 to the end of marker 1.
    EXPECT_EQ(6 + 10 + 6, font_text_width(font, "A B"));
    font_write(screen, font, 300, 100, "A B");
    EXPECT_EQ(glyph_colour(32), locked_pixel(screen, 300, 100));
    EXPECT_EQ(glyph_colour(32), locked_pixel(screen, 305, 100));
    EXPECT_EQ(BACKGROUND, locked_pixel(screen, 306, 100));
    EXPECT_EQ(BACKGROUND, locked_pixel(screen, 315, 100));
    EXPECT_EQ(glyph_colour(33), locked_pixel(screen, 316, 100));
    font_free(font);
}

TEST(Font, CentredTextStartsHalfItsWidthLeftOfTheMiddle)
{
    open_test_screen();
    BitmapFont *font = full_font();
    const char *text = "!!!!!    !!!!!";   // 10 glyphs of 6 and 4 spaces of 10
    ASSERT_EQ(100, font_text_width(font, text));
    SDL_FillRect(screen, nullptr, BACKGROUND);
    font_write_centred(screen, font, 300, text);
    EXPECT_EQ(BACKGROUND, locked_pixel(screen, 461, 300));
    EXPECT_EQ(glyph_colour(0), locked_pixel(screen, 462, 300));
    EXPECT_EQ(glyph_colour(0), locked_pixel(screen, 561, 300));
    EXPECT_EQ(BACKGROUND, locked_pixel(screen, 562, 300));
    font_free(font);
}

// A centred text 131414 px wide starts 65195 px left of the screen: its first glyph is
// nowhere near the screen, and no position wraps around into it.
TEST(Font, AVeryWideCentredTextShowsOnlyWhatFallsOnTheScreen)
{
    open_test_screen();
    SDL_Surface *sheet = marker_sheet(14614, 10, {{0, 2}, {9, 2}, {14611, 2}});
    paint_columns(sheet, 2, 9, 0x0777);   // '!' is painted; '"' is 14600 px of transparency
    BitmapFont *font = font_init(sheet);
    const char *text = "!\"\"\"\"\"\"\"\"\"!";
    ASSERT_EQ(131414, font_text_width(font, text));
    SDL_FillRect(screen, nullptr, BACKGROUND);
    font_write_centred(screen, font, 100, text);
    for (Uint32 p : all_pixels(screen))
        ASSERT_EQ(BACKGROUND, p);
    font_free(font);
}

TEST(Font, WritingStopsOnceThePenIsPastTheRightEdge)
{
    open_test_screen();
    // Glyph '"' has a 20-px marker before it whose right half (painted) is drawn left of the
    // pen, so it would show inside the surface even with the pen outside.
    SDL_Surface *sheet = marker_sheet(50, 10, {{0, 2}, {10, 20}, {40, 2}});
    paint_columns(sheet, 20, 30, 0x0777);
    BitmapFont *font = font_init(sheet);
    ASSERT_EQ(8, font_text_width(font, "!"));

    SDL_Surface *dest = screen_format_surface(50, 12, BACKGROUND);
    font_write(dest, font, 50 - 8 + 1, 0, "!\"");   // pen 51 for '"': past the edge
    for (Uint32 p : all_pixels(dest))
        ASSERT_NE(0x0777u, p);
    font_write(dest, font, 50 - 8, 0, "!\"");       // pen 50: on the edge, drawn and clipped
    EXPECT_EQ(0x0777u, locked_pixel(dest, 40, 0));
    EXPECT_EQ(0x0777u, locked_pixel(dest, 49, 0));
    SDL_FreeSurface(dest);
    font_free(font);
}

TEST(Font, SheetsWithTooFewOrTooManyMarkers)
{
    open_test_screen();
    SDL_Surface *dest = screen_format_surface(60, 12, BACKGROUND);
    std::vector<Uint32> clean = all_pixels(dest);

    // Two markers: only '!' has a glyph; '"' draws nothing and advances like a space.
    SDL_Surface *two_sheet = marker_sheet(30, 10, {{0, 2}, {9, 3}});
    paint_columns(two_sheet, 0, 30, 0x0555);
    BitmapFont *two = font_init(two_sheet);
    EXPECT_EQ(2, two->markers);
    EXPECT_EQ(12, font_text_width(two, "\""));
    EXPECT_EQ(7 + 12, font_text_width(two, "!\""));
    font_write(dest, two, 20, 0, "\"\"A");
    EXPECT_EQ(clean, all_pixels(dest));
    font_free(two);

    // One marker: no glyph at all, and nothing to measure a space with.
    BitmapFont *one = font_init(marker_sheet(30, 10, {{3, 2}}));
    EXPECT_EQ(1, one->markers);
    EXPECT_EQ(0, font_text_width(one, "! A"));
    font_write(dest, one, 0, 0, "! A");
    font_free(one);

    BitmapFont *none = font_init(marker_sheet(30, 10, {}));
    EXPECT_EQ(0, none->markers);
    EXPECT_EQ(0, font_text_width(none, "abc"));
    font_write(dest, none, 0, 0, "abc");
    font_free(none);
    EXPECT_EQ(clean, all_pixels(dest));

    // 300 one-pixel markers: the scan keeps the first 256 and stores nothing beyond.
    std::vector<std::pair<int, int>> runs;
    for (int m = 0; m < 300; m++)
        runs.push_back({4 * m, 1});
    BitmapFont *many = font_init(marker_sheet(1200, 10, runs));
    EXPECT_EQ(FONT_POSITIONS / 2, many->markers);
    EXPECT_EQ(4 * 255, many->positions[FONT_POSITIONS - 2]);
    EXPECT_EQ(4 * 255 + 1, many->positions[FONT_POSITIONS - 1]);
    EXPECT_EQ(3, font_text_width(many, "!"));
    font_free(many);

    // A marker run reaching the sheet's right edge ends at the width.
    BitmapFont *edge = font_init(marker_sheet(20, 10, {{0, 1}, {17, 3}}));
    EXPECT_EQ(20, edge->positions[3]);
    EXPECT_EQ(16, font_text_width(edge, "!"));
    font_free(edge);
    SDL_FreeSurface(dest);
}

#ifndef NDEBUG
TEST(FontDeathTest, PixelReaderAssertsItsColumn)
{
    open_test_screen();
    SDL_Surface *s = screen_format_surface(4, 4);
    EXPECT_DEATH(font_get_pixel(s, -1, 0), "x >= 0");
    EXPECT_DEATH(font_get_pixel(s, 4, 0), "x < surface->w");
    SDL_FreeSurface(s);
}
#endif

}  // namespace
