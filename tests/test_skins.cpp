// SPDX-License-Identifier: GPL-3.0-or-later
// test_skins.cpp: the synthetic looks of test_skins.h, used by the drawing, menu and screen tests.
#include "test_skins.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "test_support.h"
#include "world.h"
#include <cstdio>

SDL_Surface *marker_sheet(int w, int h, const std::vector<std::pair<int, int>> &runs)
{
    SDL_Surface *sheet = screen_format_surface(w, h, 0);
    Uint32 magenta = SDL_MapRGB(screen->format, 255, 0, 255);
    for (auto run : runs)
        fill_area(sheet, run.first, 0, run.second, 1, magenta);
    return sheet;
}

std::vector<std::pair<int, int>> full_marker_runs(int period, int width)
{
    std::vector<std::pair<int, int>> runs;
    for (int m = 0; m <= FONT_GLYPHS; m++)
        runs.push_back({m * period, width});
    return runs;
}

// --- The play stand-in ---

static const int MARKER_STEP = GLYPH_ADVANCE + 1;   // a one-pixel marker, then the glyph
static const Uint32 KEY_PIXEL = 0x0001;

static bool installed = false;
static SDL_Surface *saved_tiles[6], *saved_singles[9];
static SDL_Surface *saved_player[5], *saved_power[5], *saved_enemy[5];
static SDL_Rect saved_frame_rect;
static BitmapFont *saved_font;

static SDL_Surface **const SINGLE_SLOTS[9] = {
    &teleport_sprite, &death_sprite, &life_icon, &dots_icon, &boost_icon,
    &knot_icon, &decoy_sprite, &arrow_left_sprite, &arrow_right_sprite,
};
static const Uint32 SINGLE_PIXELS[9] = {
    TELEPORT_PIXEL, DEATH_PIXEL, LIFE_PIXEL, DOTS_PIXEL, BOOST_PIXEL,
    KNOT_PIXEL, DECOY_PIXEL, 0x3008, 0x3009,
};

Uint32 tile_pixel(Uint8 code)
{
    return 0x2000 + code;
}

Uint32 actor_pixel(ActorKind kind, int direction)
{
    return 0x4000 + 0x10 * kind + 2 * direction;
}

// Markers one pixel wide every 21 pixels; glyph g fills the glyph rows of the 21 columns
// from marker g with its own value; the bottom-left pixel holds the transparent key.
static BitmapFont *make_font()
{
    SDL_Surface *sheet = marker_sheet((FONT_GLYPHS + 1) * MARKER_STEP, GLYPH_HEIGHT + 1,
                                      full_marker_runs(MARKER_STEP, 1));
    for (int g = 0; g < FONT_GLYPHS; g++)
        fill_area(sheet, g * MARKER_STEP, 1, MARKER_STEP, GLYPH_HEIGHT, GLYPH_PIXEL + g);
    fill_area(sheet, 0, GLYPH_HEIGHT, 1, 1, KEY_PIXEL);
    return font_init(sheet);
}

static SDL_Surface *strip(ActorKind kind, int direction)
{
    SDL_Surface *s = screen_format_surface(2 * FRAME_SIZE, FRAME_SIZE, actor_pixel(kind, direction));
    fill_area(s, FRAME_SIZE, 0, FRAME_SIZE, FRAME_SIZE, actor_pixel(kind, direction) + 1);
    return s;
}

static void keep_aside()
{
    for (int i = 0; i < 6; i++)
        saved_tiles[i] = tile_sprites[i];
    for (int i = 0; i < 9; i++)
        saved_singles[i] = *SINGLE_SLOTS[i];
    for (int d = 0; d < 5; d++) {
        saved_player[d] = player_sprites[d];
        saved_power[d] = player_power_sprites[d];
        saved_enemy[d] = enemy_sprites[d];
    }
    saved_frame_rect = actor_frame_rect;
    saved_font = font;
}

void install_synthetic_skin(bool still_enemy)
{
    open_test_screen();
    if (installed)
        restore_real_skin();
    keep_aside();
    installed = true;
    for (Uint8 code = 0; code < 6; code++)
        tile_sprites[code] = screen_format_surface(FRAME_SIZE, FRAME_SIZE, tile_pixel(code));
    for (int i = 0; i < 9; i++)
        *SINGLE_SLOTS[i] = screen_format_surface(FRAME_SIZE, FRAME_SIZE, SINGLE_PIXELS[i]);
    for (int d = 0; d < 5; d++) {
        player_sprites[d] = d ? strip(PLAYER_KIND, d) : nullptr;
        player_power_sprites[d] = d ? strip(POWER_KIND, d) : nullptr;
        enemy_sprites[d] = d && !still_enemy ? strip(ENEMY_KIND, d) : nullptr;
    }
    if (still_enemy)
        enemy_sprites[DIR_RIGHT] =
            screen_format_surface(FRAME_SIZE, FRAME_SIZE, actor_pixel(ENEMY_KIND, DIR_RIGHT));
    actor_frame_rect = SDL_Rect{0, 0, FRAME_SIZE, FRAME_SIZE};
    font = make_font();
    for (Uint8 &cell : level_map.cells)
        cell = CELL_FLOOR;
}

void restore_real_skin()
{
    if (!installed)
        return;
    installed = false;
    for (int i = 0; i < 6; i++) {
        SDL_FreeSurface(tile_sprites[i]);
        tile_sprites[i] = saved_tiles[i];
    }
    for (int i = 0; i < 9; i++) {
        SDL_FreeSurface(*SINGLE_SLOTS[i]);
        *SINGLE_SLOTS[i] = saved_singles[i];
    }
    for (int d = 0; d < 5; d++) {
        SDL_FreeSurface(player_sprites[d]);
        SDL_FreeSurface(player_power_sprites[d]);
        SDL_FreeSurface(enemy_sprites[d]);
        player_sprites[d] = saved_player[d];
        player_power_sprites[d] = saved_power[d];
        enemy_sprites[d] = saved_enemy[d];
    }
    actor_frame_rect = saved_frame_rect;
    font_free(font);
    font = saved_font;
}

// Glyphs 0 to 93 are the characters 33 to 126; the Czech letters are not read back.
std::string read_screen_text(int x, int y)
{
    std::string text;
    for (int pen = x; pen + GLYPH_ADVANCE / 2 < SCREEN_WIDTH; pen += GLYPH_ADVANCE) {
        Uint32 pixel = screen_pixel(pen + GLYPH_ADVANCE / 2, y + GLYPH_HEIGHT / 2);
        if (pixel < GLYPH_PIXEL || pixel >= GLYPH_PIXEL + 94)
            break;
        text += char(pixel - GLYPH_PIXEL + 33);
    }
    return text;
}

// --- The menu look ---

namespace menu_test {

Uint32 wall_colour() { return SDL_MapRGB(screen->format, 0, 0, 200); }
Uint32 floor_colour() { return SDL_MapRGB(screen->format, 0, 120, 0); }
Uint32 white() { return SDL_MapRGB(screen->format, 255, 255, 255); }
Uint32 grey() { return SDL_MapRGB(screen->format, 128, 128, 128); }
Uint32 red() { return SDL_MapRGB(screen->format, 255, 0, 0); }
Uint32 icon_colour(int n) { return SDL_MapRGB(screen->format, 40 + 16 * n, 200, 40); }

// One-pixel markers 9 pixels apart; glyph g's picture is a white column at 9g + 4.
static BitmapFont *make_font()
{
    const int period = MENU_GLYPH_ADVANCE + 1;
    SDL_Surface *sheet = marker_sheet(FONT_GLYPHS * period + 1, MENU_FONT_HEIGHT + 1,
                                      full_marker_runs(period, 1));
    for (int g = 0; g < FONT_GLYPHS; g++)
        fill_area(sheet, g * period + MENU_GLYPH_MARK + 1, 1, 1, MENU_FONT_HEIGHT, white());
    return font_init(sheet);
}

static void set_up_sprites()
{
    for (int i = 0; i < 6; i++)
        tile_sprites[i] = screen_format_surface(32, 32, SDL_MapRGB(screen->format, 90, 90, 20 * i));
    tile_sprites[CELL_WALL] = screen_format_surface(32, 32, wall_colour());
    tile_sprites[CELL_FLOOR] = screen_format_surface(32, 32, floor_colour());
    tile_sprites[CELL_POWER] = screen_format_surface(32, 32, icon_colour(1));
    tile_sprites[CELL_DECOY] = screen_format_surface(32, 32, icon_colour(2));
    tile_sprites[CELL_LIFE] = screen_format_surface(32, 32, icon_colour(9));
    boost_icon = screen_format_surface(32, 32, icon_colour(0));
    knot_icon = screen_format_surface(32, 32, icon_colour(3));
    life_icon = screen_format_surface(32, 32, icon_colour(4));
    dots_icon = screen_format_surface(32, 32, icon_colour(8));
    teleport_sprite = screen_format_surface(32, 32, icon_colour(10));
    death_sprite = screen_format_surface(32, 32, icon_colour(11));
    decoy_sprite = screen_format_surface(32, 32, icon_colour(12));
    for (int d = 1; d <= 4; d++) {
        player_sprites[d] = screen_format_surface(64, 32, icon_colour(5));
        player_power_sprites[d] = screen_format_surface(64, 32, icon_colour(6));
        enemy_sprites[d] = screen_format_surface(32, 32, icon_colour(7));
    }
    arrow_left_sprite = screen_format_surface(15, 27, icon_colour(13));
    arrow_right_sprite = screen_format_surface(15, 27, icon_colour(14));
    actor_frame_rect = SDL_Rect{0, 0, 32, 32};
}

void set_up_menus()
{
    open_test_screen();
    font = make_font();   // each test its own; a skin load elsewhere may free it
    set_up_sprites();
    for (int i = 0; i < TEXT_COUNT; i++)
        texts[i] = "abcd";
    for (int i = 0; i < MAP_CELLS; i++)
        menu_map.cells[i] = CELL_WALL;
    lives = 0;
    reset_frame_program_state();
    skin_list = {"circuit"};
    language_list = {"en"};
    skin_index = 0;
    language_index = 0;
    snprintf(player_name, NAME_SIZE, "ab");
    fill_screen(0);
    drain_events();
}

int width_of(const char *text)
{
    return font_text_width(font, text);
}

// Walls round the edge, the player at (1, 1), an enemy at (5, 5), floor elsewhere.
void enter_tree_with_map()
{
    enter_scratch_tree(false);
    std::vector<std::string> rows = walled_rows();
    rows[1][1] = MAP_PLAYER_START;
    rows[5][5] = MAP_DOT;
    write_map("test.txt", rows);
    map_list = {"test.txt"};
}

} // namespace menu_test
