// SPDX-License-Identifier: GPL-3.0-or-later
// content_art_test.cpp: checks the shipped art (the font sheet and the skins' bitmaps) for
// what the game relies on: sizes, keys, markers, and pictures that can be told apart.
#include "files.h"
#include "gfx.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char *const SKIN_NAMES[] = {"meadow", "circuit"};
// The pictures drawn on maze cells, and the 32 by 32 ones with the green key.
const int TILE_FILES[] = {SKIN_DOT_TILE, SKIN_WALL_TILE, SKIN_FLOOR_TILE, SKIN_TELEPORT, SKIN_DECOY,
                          SKIN_LIFE_TILE, SKIN_POWER_TILE, SKIN_DECOY_TILE};
const int PLAIN_ICON_FILES[] = {SKIN_BOOST_ICON, SKIN_DOTS_ICON, SKIN_KNOT_ICON};
const int KEYED_ICON_FILES[] = {SKIN_KNOCKED_OUT, SKIN_LIFE_ICON};
const int ARROW_FILES[] = {SKIN_ARROW_LEFT, SKIN_ARROW_RIGHT};
const int STRIP_FILES[] = {SKIN_PLAYER, SKIN_POWERED_PLAYER};

template <size_t N>
void append(std::vector<int> &list, const int (&files)[N])
{
    list.insert(list.end(), files, files + N);
}

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb &o) const { return r == o.r && g == o.g && b == o.b; }
};

// The value the game's 16-bit screen gives a colour (5-6-5 bits).
int as_565(Rgb c) { return ((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3); }

const Rgb GREEN_KEY = {0, 255, 0};
const Rgb MAGENTA = {255, 0, 255};

// A bitmap read into plain RGB triples.
struct Picture {
    int w = 0, h = 0;
    std::vector<Rgb> pixels;
    Rgb at(int x, int y) const { return pixels[x + y * w]; }
};

Picture load_picture(const std::string &path)
{
    Picture p;
    SDL_Surface *s = SDL_LoadBMP(path.c_str());
    if (!s) {
        ADD_FAILURE() << "cannot read " << path;
        return p;
    }
    p.w = s->w;
    p.h = s->h;
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; y++)
        for (int x = 0; x < s->w; x++) {
            Uint8 r, g, b;
            SDL_GetRGB(get_pixel(s, x, y), s->format, &r, &g, &b);
            p.pixels.push_back({r, g, b});
        }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    return p;
}

std::string skin_file(const std::string &skin, int file)
{
    return std::string(SOURCE_DIR) + "/content/skins/" + skin + "/" + SKIN_FILES[file].name;
}

// Pixels that turn transparent on the game's screen: every one that reduces to the key.
int keyed_out_count(const Picture &p, int x0, int w)
{
    int count = 0;
    for (int y = 0; y < p.h; y++)
        for (int x = x0; x < x0 + w; x++)
            count += as_565(p.at(x, y)) == as_565(GREEN_KEY);
    return count;
}

int exact_key_count(const Picture &p)
{
    int count = 0;
    for (const Rgb &c : p.pixels)
        count += c == GREEN_KEY;
    return count;
}

double mean_brightness(const Picture &p)
{
    double sum = 0;
    for (const Rgb &c : p.pixels)
        sum += 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
    return p.pixels.empty() ? 0 : sum / p.pixels.size();
}

double share_of_differing_pixels(const Picture &a, const Picture &b)
{
    if (a.w != b.w || a.h != b.h)
        return 1.0;
    int differing = 0;
    for (size_t i = 0; i < a.pixels.size(); i++)
        differing += as_565(a.pixels[i]) != as_565(b.pixels[i]);
    return double(differing) / a.pixels.size();
}

// A keyed sprite: it has transparent pixels in each frame, something drawn in each frame, and
// no drawn pixel that the 16-bit screen would turn into the key.
void expect_keyed_frames(const Picture &p, const std::string &name)
{
    EXPECT_EQ(keyed_out_count(p, 0, p.w), exact_key_count(p))
        << name << ": a drawn pixel reduces to the green key on a 16-bit screen";
    int frame_w = p.w > FRAME_SIZE ? FRAME_SIZE : p.w;
    for (int x0 = 0; x0 + frame_w <= p.w; x0 += frame_w) {
        int transparent = keyed_out_count(p, x0, frame_w);
        EXPECT_GT(transparent, 0) << name << " frame at x " << x0 << " has no transparent pixel";
        EXPECT_GT(frame_w * p.h - transparent, frame_w * p.h / 8)
            << name << " frame at x " << x0 << " is (nearly) empty";
    }
}

TEST(ContentArt, EverySkinHasItsEighteenBitmapsInTheRightSizes)
{
    std::vector<std::string> listed;
    read_list((std::string(SOURCE_DIR) + "/content/skins/skins.txt").c_str(), listed);
    for (const char *name : SKIN_NAMES)
        EXPECT_NE(std::find(listed.begin(), listed.end(), name), listed.end()) << name << " not listed";

    std::vector<int> square;
    append(square, TILE_FILES);
    append(square, PLAIN_ICON_FILES);
    append(square, KEYED_ICON_FILES);
    for (const std::string &skin : listed) {
        SCOPED_TRACE(skin);
        for (int file : square) {
            Picture p = load_picture(skin_file(skin, file));
            EXPECT_TRUE(p.w == 32 && p.h == 32) << SKIN_FILES[file].name;
        }
        Picture left = load_picture(skin_file(skin, SKIN_ARROW_LEFT));
        Picture right = load_picture(skin_file(skin, SKIN_ARROW_RIGHT));
        EXPECT_TRUE(left.w > 0 && left.w <= 32 && left.h > 0 && left.h <= 32);
        EXPECT_TRUE(left.w == right.w && left.h == right.h) << "the two arrows differ in size";
        for (int file : STRIP_FILES) {
            Picture p = load_picture(skin_file(skin, file));
            EXPECT_TRUE(p.w == 64 && p.h == 32) << SKIN_FILES[file].name << " must be two 32x32 frames";
        }
        Picture enemy = load_picture(skin_file(skin, SKIN_ENEMY));
        EXPECT_TRUE((enemy.w == 32 || enemy.w == 64) && enemy.h == 32);
    }
    EXPECT_EQ(load_picture(skin_file("meadow", SKIN_ENEMY)).w, 64) << "meadow's shears are animated";
    EXPECT_EQ(load_picture(skin_file("circuit", SKIN_ENEMY)).w, 32) << "circuit's virus is one picture";
}

TEST(ContentArt, KeyedSpritesAreTransparentAroundAndPlainPicturesFillTheirCell)
{
    std::vector<int> keyed = {SKIN_ENEMY}, plain;
    append(keyed, KEYED_ICON_FILES);
    append(keyed, ARROW_FILES);
    append(keyed, STRIP_FILES);
    append(plain, TILE_FILES);
    append(plain, PLAIN_ICON_FILES);
    for (const char *skin : SKIN_NAMES) {
        SCOPED_TRACE(skin);
        for (int file : keyed)
            expect_keyed_frames(load_picture(skin_file(skin, file)), SKIN_FILES[file].name);
        for (int file : plain)
            EXPECT_EQ(keyed_out_count(load_picture(skin_file(skin, file)), 0, 32), 0)
                << SKIN_FILES[file].name << " is drawn opaque and must not hold the green key";
    }
}

TEST(ContentArt, MazePicturesCanBeToldApart)
{
    for (const char *skin : SKIN_NAMES) {
        SCOPED_TRACE(skin);
        std::vector<Picture> tiles;
        for (int file : TILE_FILES)
            tiles.push_back(load_picture(skin_file(skin, file)));
        for (size_t i = 0; i < tiles.size(); i++)
            for (size_t j = i + 1; j < tiles.size(); j++)
                EXPECT_GT(share_of_differing_pixels(tiles[i], tiles[j]), 0.05)
                    << SKIN_FILES[TILE_FILES[i]].name << " and " << SKIN_FILES[TILE_FILES[j]].name
                    << " look alike";
        double wall = mean_brightness(tiles[1]), floor = mean_brightness(tiles[2]);
        EXPECT_GT(std::abs(wall - floor), 30.0) << "walls and corridors need contrast";

        Picture normal = load_picture(skin_file(skin, SKIN_PLAYER));
        Picture powered = load_picture(skin_file(skin, SKIN_POWERED_PLAYER));
        EXPECT_GT(share_of_differing_pixels(normal, powered), 0.25) << "power mode must show";
        for (int file : STRIP_FILES) {
            Picture p = load_picture(skin_file(skin, file));
            int differing = 0;
            for (int y = 0; y < 32; y++)
                for (int x = 0; x < 32; x++)
                    differing += as_565(p.at(x, y)) != as_565(p.at(x + 32, y));
            EXPECT_GT(differing, 20) << SKIN_FILES[file].name << ": the two frames must animate";
        }
    }
}

// Start and end of every magenta run in the sheet's top row.
std::vector<std::pair<int, int>> marker_runs(const Picture &sheet)
{
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < sheet.w; x++) {
        if (!(sheet.at(x, 0) == MAGENTA))
            continue;
        int start = x;
        while (x < sheet.w && sheet.at(x, 0) == MAGENTA)
            x++;
        runs.push_back({start, x});
    }
    return runs;
}

bool is_light(Rgb c) { return 0.3 * c.r + 0.59 * c.g + 0.11 * c.b > 128; }

TEST(ContentArt, FontSheetHasAMarkedGlyphForEveryCharacter)
{
    Picture sheet = load_picture(std::string(SOURCE_DIR) + "/content/data/font.bmp");
    ASSERT_GE(sheet.h, 17);
    ASSERT_LE(sheet.h, 25);
    std::vector<std::pair<int, int>> runs = marker_runs(sheet);
    ASSERT_EQ(runs.size(), size_t(FONT_GLYPHS + 1));

    Rgb key = sheet.at(0, sheet.h - 1);
    EXPECT_FALSE(key == MAGENTA);
    for (int y = 1; y < sheet.h; y++)
        for (int x = 0; x < sheet.w; x++) {
            Rgb c = sheet.at(x, y);
            ASSERT_FALSE(c == MAGENTA) << "magenta below the marker row at " << x << "," << y;
            ASSERT_FALSE(!(c == key) && as_565(c) == as_565(key))
                << "glyph pixel at " << x << "," << y << " turns transparent on a 16-bit screen";
        }

    for (int g = 0; g < FONT_GLYPHS; g++) {
        int body_start = runs[g].second, body_end = runs[g + 1].first;
        ASSERT_GT(body_end, body_start + 1) << "glyph " << g << " has no room";
        int drawn = 0;
        for (int y = 1; y < sheet.h; y++) {
            for (int x = body_start; x < body_end; x++) {
                drawn += !(sheet.at(x, y) == key);
                bool edge_row = y == 1 || y == sheet.h - 1;
                EXPECT_FALSE(edge_row && is_light(sheet.at(x, y)))
                    << "glyph " << g << " is cut off at row " << y;
            }
            // Marker columns are drawn over the previous glyph's last column: keep them empty.
            for (int x = runs[g].first; x < runs[g].second; x++)
                EXPECT_TRUE(sheet.at(x, y) == key) << "marker column " << x << " holds ink";
        }
        EXPECT_GT(drawn, 3) << "glyph " << g << " is empty";
    }
}

TEST(ContentArt, GameFontReadsTheShippedSheet)
{
    SDL_Surface *sheet = SDL_LoadBMP((std::string(SOURCE_DIR) + "/content/data/font.bmp").c_str());
    ASSERT_NE(sheet, nullptr);
    BitmapFont *f = font_init(sheet);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->markers, FONT_GLYPHS + 1);
    EXPECT_GE(font_height(f), 16);
    // Every glyph advances; the capital R with caron (Windows-1250 216) and the widest
    // letters are wider than the narrowest.
    for (int code = 1; code < 256; code++)
        if (glyph_of_code[code] != NO_GLYPH) {
            char text[2] = {char(code), 0};
            EXPECT_GT(font_text_width(f, text), 0) << "code " << code;
        }
    EXPECT_GT(font_text_width(f, "W"), font_text_width(f, "i"));
    EXPECT_GT(font_text_width(f, "\xD8"), font_text_width(f, "."));
    font_free(f);
}

}  // namespace
