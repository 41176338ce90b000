// info_screens.cpp: the high-score table, credits and legend screens; the main menu draws
// them, then flips and waits for a key itself.
#include "menus.h"
#include "files.h"
#include "frame.h"
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

const int HIGH_SCORE_TITLE_TEXT = 39;
const int HIGH_SCORE_FIRST_ROW = 70;      // first table row below the box top
const int HIGH_SCORE_ROW_GAP = 15;        // between table rows
const int HIGH_SCORE_EXTRA_HEIGHT = 205;  // box height beyond ten font heights

// Tops of the credits labels relative to the centred line, in CREDITS_LINES order.
const int CREDITS_LABEL_OFFSETS[4] = {-25, -55, 85, 55};

const int LEGEND_TEXTS = 18;              // texts 0 to 17 set the legend's width
const int LEGEND_TEXT_INDENT = 40;
const int LEGEND_ACTOR_TEXT_INDENT = 80;  // descriptions of the player and enemy pictures
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
    SDL_BlitSurface(icon, nullptr, screen, &place);
}

void write_text(int index, int x, int y)
{
    font_write(screen, font, x, y, texts[index].c_str());
}

} // namespace

// Reads high_scores and texts[39]; uses text_buffer.
void draw_high_score_screen()
{
    int fh = font_height(font);
    draw_maze(menu_map);
    int w = widest_name() + widest_score();
    const char *title = texts[HIGH_SCORE_TITLE_TEXT].c_str();
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

// Reads texts 0 to 17 and the skin's sprites.
void draw_legend_screen()
{
    int fh = font_height(font);
    int p = 2 * fh + 20;                               // row pitch of the first five lines
    int h = 5 * p + LEGEND_EXTRA_HEIGHT;
    int y0 = (SCREEN_HEIGHT - h) / 2;
    int w = 0;
    for (int i = 0; i < LEGEND_TEXTS; ++i)
        if (text_width(texts[i].c_str()) > w)
            w = text_width(texts[i].c_str());
    w += LEGEND_TEXT_INDENT;
    int x0 = (SCREEN_WIDTH - w) / 2;
    draw_maze(menu_map);
    draw_panel_frame(x0, y0, w, h);

    blit_icon(boost_icon, x0, y0 + 70);
    blit_icon(tile_sprites[CELL_POWER], x0, y0 + 70 + p);
    blit_icon(tile_sprites[CELL_DECOY], x0, y0 + 70 + 2 * p);
    blit_icon(knot_icon, x0, y0 + 70 + 3 * p);
    blit_icon(life_icon, x0, y0 + 70 + 4 * p);
    blit_icon(player_sprites[DIR_DOWN], x0, y0 + 60 + 5 * p);
    blit_icon(player_power_sprites[DIR_DOWN], x0, y0 + 100 + 5 * p);
    blit_icon(enemy_sprites[DIR_RIGHT], x0, y0 + 140 + 5 * p);
    blit_icon(dots_icon, x0, y0 + 180 + 5 * p);
    blit_icon(tile_sprites[CELL_LIFE], x0, y0 + 220 + 5 * p);
    blit_icon(teleport_sprite, x0, y0 + 260 + 5 * p);

    font_write_centred(screen, font, y0, texts[0].c_str());
    int x_text = x0 + LEGEND_TEXT_INDENT;
    for (int line = 1; line <= 5; ++line) {
        write_text(line, x_text, y0 - 10 + line * p);
        write_text(line + 12, x_text, y0 - 10 + line * p + fh);
    }
    int x_actor_text = x0 + LEGEND_ACTOR_TEXT_INDENT;
    write_text(10, x_actor_text, y0 - 10 + 6 * p);
    write_text(11, x_actor_text, y0 + 30 + 6 * p);
    write_text(12, x_actor_text, y0 + 70 + 6 * p);
    write_text(6, x_text, y0 + 110 + 6 * p);
    write_text(7, x_text, y0 + 150 + 6 * p);
    write_text(8, x_text, y0 + 190 + 6 * p);
    write_text(9, x_text, y0 + 230 + 6 * p);
}
