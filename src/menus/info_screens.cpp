// SPDX-License-Identifier: GPL-3.0-or-later
// info_screens.cpp: the high-score table, credits and legend screens; the main menu draws
// them, then flips and waits for a key itself.
#include "menus.h"
#include "files.h"
#include "gfx.h"
#include "world.h"
#include <cstdio>

// Windows-1250 bytes, as the font draws them.
const char *const CREDITS_LINES[4] = {
    "Jana Kov\xE1\xF8ov\xE1",                  // first author
    "Programov\xE1n\xED, design, grafika:",    // first role
    "Petr Hrub\xFD",                           // second author
    "Level-design:",                           // second role
};

namespace {

const int HIGH_SCORE_FIRST_ROW = 70;      // first table row below the box top
const int HIGH_SCORE_ROW_GAP = 15;        // between table rows
const int HIGH_SCORE_EXTRA_HEIGHT = 205;  // box height beyond ten font heights

// Tops of the credits labels relative to the centred line, in CREDITS_LINES order.
const int CREDITS_LABEL_OFFSETS[4] = {-25, -55, 85, 55};

const int LEGEND_EXTRA_HEIGHT = 330;      // panel height beyond five row pitches

int text_width(const char *text)
{
    return font_text_width(font, text);
}

// Reads high_scores; uses text_buffer.
int widest_name()
{
    int widest = 0;
    for (const auto &entry : high_scores)
        if (text_width(entry.first.c_str()) > widest)
            widest = text_width(entry.first.c_str());
    return widest;
}

// The four letters x keep at least their width between the longest name and the widest
// score. Reads high_scores; uses text_buffer.
int widest_score()
{
    int widest = 0;
    for (const auto &entry : high_scores) {
        snprintf(text_buffer, TEXT_BUFFER_SIZE, "xxxx%u", static_cast<unsigned>(entry.second));
        if (text_width(text_buffer) > widest)
            widest = text_width(text_buffer);
    }
    return widest;
}

// One name left-aligned at x and its score right-aligned to x + w. Uses text_buffer.
void draw_high_score_row(int index, int x, int y, int w)
{
    font_write(screen, font, x, y, high_scores[index].first.c_str());
    snprintf(text_buffer, TEXT_BUFFER_SIZE, "%u", static_cast<unsigned>(high_scores[index].second));
    font_write(screen, font, x + w - text_width(text_buffer), y, text_buffer);
}

// Blits a whole icon with its top-left corner at (x, y); the size that the blit writes
// back is not used.
void blit_icon(SDL_Surface *icon, int x, int y)
{
    SDL_Rect place = {static_cast<Sint16>(x), static_cast<Sint16>(y), FRAME_SIZE, FRAME_SIZE};
    blit_noted(icon, nullptr, screen, &place);
}

void write_text(int index, int x, int y)
{
    font_write(screen, font, x, y, texts[index].c_str());
}

} // namespace

// Reads high_scores and the title text; uses text_buffer.
void draw_high_score_screen()
{
    int fh = font_height(font);
    draw_maze(menu_map);
    int w = widest_name() + widest_score();
    const char *title = texts[TEXT_ITEM_HIGH_SCORES].c_str();
    if (text_width(title) > w)
        w = text_width(title);
    int h = HIGH_SCORE_COUNT * fh + HIGH_SCORE_EXTRA_HEIGHT;
    int x = (SCREEN_WIDTH - w) / 2;
    int y = (SCREEN_HEIGHT - h) / 2;
    draw_panel_frame(x, y, w, h);
    font_write_centred(screen, font, y, title);
    for (int i = 0; i < HIGH_SCORE_COUNT; ++i)
        draw_high_score_row(i, x, y + HIGH_SCORE_FIRST_ROW + i * (fh + HIGH_SCORE_ROW_GAP), w);
}

// The same four framed labels in every language.
void draw_credits_screen()
{
    int centre = (SCREEN_HEIGHT - font_height(font)) / 2;
    draw_maze(menu_map);
    for (int i = 0; i < 4; ++i)
        draw_framed_label(CREDITS_LINES[i], centre + CREDITS_LABEL_OFFSETS[i]);
}

const LegendText LEGEND_TEXTS[] = {
    {TEXT_LEGEND_BOOST, LEGEND_TEXT_INDENT, -10, 1, 0},
    {TEXT_LEGEND_BOOST_MORE, LEGEND_TEXT_INDENT, -10, 1, 1},
    {TEXT_LEGEND_POWER, LEGEND_TEXT_INDENT, -10, 2, 0},
    {TEXT_LEGEND_POWER_MORE, LEGEND_TEXT_INDENT, -10, 2, 1},
    {TEXT_LEGEND_DECOY, LEGEND_TEXT_INDENT, -10, 3, 0},
    {TEXT_LEGEND_DECOY_MORE, LEGEND_TEXT_INDENT, -10, 3, 1},
    {TEXT_LEGEND_KNOT, LEGEND_TEXT_INDENT, -10, 4, 0},
    {TEXT_LEGEND_KNOT_MORE, LEGEND_TEXT_INDENT, -10, 4, 1},
    {TEXT_LEGEND_LIVES, LEGEND_TEXT_INDENT, -10, 5, 0},
    {TEXT_LEGEND_LIVES_MORE, LEGEND_TEXT_INDENT, -10, 5, 1},
    {TEXT_LEGEND_PLAYER, LEGEND_ACTOR_TEXT_INDENT, -10, 6, 0},
    {TEXT_LEGEND_POWERED_PLAYER, LEGEND_ACTOR_TEXT_INDENT, 30, 6, 0},
    {TEXT_LEGEND_ENEMY, LEGEND_ACTOR_TEXT_INDENT, 70, 6, 0},
    {TEXT_LEGEND_DOTS, LEGEND_TEXT_INDENT, 110, 6, 0},
    {TEXT_LEGEND_EXTRA_LIFE, LEGEND_TEXT_INDENT, 150, 6, 0},
    {TEXT_LEGEND_TELEPORT, LEGEND_TEXT_INDENT, 190, 6, 0},
    {TEXT_LEGEND_KEYS, LEGEND_TEXT_INDENT, 230, 6, 0},
};
const int LEGEND_TEXT_COUNT = sizeof LEGEND_TEXTS / sizeof LEGEND_TEXTS[0];

// The icons beside the descriptions, and their tops as offset plus row pitches below y0.
static const struct {
    SDL_Surface **icon;
    int y_offset, pitches;
} LEGEND_ICONS[] = {
    {&boost_icon, 70, 0},
    {&tile_sprites[CELL_POWER], 70, 1},
    {&tile_sprites[CELL_DECOY], 70, 2},
    {&knot_icon, 70, 3},
    {&life_icon, 70, 4},
    {&player_sprites[DIR_DOWN], 60, 5},
    {&player_power_sprites[DIR_DOWN], 100, 5},
    {&enemy_sprites[DIR_RIGHT], 140, 5},
    {&dots_icon, 180, 5},
    {&tile_sprites[CELL_LIFE], 220, 5},
    {&teleport_sprite, 260, 5},
};

LegendLayout legend_layout()
{
    LegendLayout layout;
    layout.fh = font_height(font);
    layout.pitch = 2 * layout.fh + 20;
    layout.h = 5 * layout.pitch + LEGEND_EXTRA_HEIGHT;
    layout.y0 = (SCREEN_HEIGHT - layout.h) / 2;
    int widest = text_width(texts[TEXT_LEGEND_TITLE].c_str());
    for (const LegendText &line : LEGEND_TEXTS)
        if (text_width(texts[line.text].c_str()) > widest)
            widest = text_width(texts[line.text].c_str());
    layout.w = widest + LEGEND_TEXT_INDENT;
    layout.x0 = (SCREEN_WIDTH - layout.w) / 2;
    return layout;
}

int legend_text_y(const LegendLayout &layout, const LegendText &line)
{
    return layout.y0 + line.y_offset + line.pitches * layout.pitch + line.font_lines * layout.fh;
}

// Reads the legend texts (TEXT_LEGEND_TITLE to TEXT_LEGEND_LIVES_MORE) and the skin's sprites.
void draw_legend_screen()
{
    LegendLayout layout = legend_layout();
    draw_maze(menu_map);
    draw_panel_frame(layout.x0, layout.y0, layout.w, layout.h);
    for (const auto &icon : LEGEND_ICONS)
        blit_icon(*icon.icon, layout.x0, layout.y0 + icon.y_offset + icon.pitches * layout.pitch);
    font_write_centred(screen, font, layout.y0, texts[TEXT_LEGEND_TITLE].c_str());
    for (const LegendText &line : LEGEND_TEXTS)
        write_text(line.text, layout.x0 + line.x, legend_text_y(layout, line));
}
