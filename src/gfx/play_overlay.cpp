// SPDX-License-Identifier: GPL-3.0-or-later
// play_overlay.cpp: the layer drawn over the maze every frame (decoy, enemies, player and the
// status panel); called by the per-frame rules and by every screen that redraws play.
#include "gfx.h"
#include "files.h"
#include "world.h"
#include <cstdio>

SDL_Rect rect_scratch;
char fps_text[20] = "";

static const int TOP_ROW_Y = 0;
static const int BOTTOM_ROW_Y = (MAP_ROWS - 1) * CELL_SIZE;   // 736
static const Uint8 BOTTOM_ROW = MAP_ROWS - 1;
static const int LIVES_LABEL_X = 362;
static const int SCORE_LABEL_X = 352;
static const int SCORE_GAP = 18;        // from the score label's end to the score
static const int SCORE_AREA_HEIGHT = 10;
static const int SECOND_FRAME_X = FRAME_SIZE;

// The status panel's columns, the same on both rows: cell 0 holds the frame-rate label and
// the boost icon, KNOT_CELL the knot icon and the decoy pick-up, DOTS_CELL the dots icon and
// the power pick-up. Each number stands on the cells after its item, up to the next item's
// cell (NUMBERS_END_CELL after the last), and those cells are repainted before it is written.
static const int KNOT_CELL = 4;
static const int DOTS_CELL = 7;
static const int NUMBERS_END_CELL = 10;
static const int TOP_NUMBER_GAP = 40;       // from an icon's left edge to its number, top row
static const int BOTTOM_NUMBER_GAP = 48;    // the same on the bottom row
static_assert(FPS_VALUE_X >= CELL_SIZE && TOP_NUMBER_GAP >= CELL_SIZE && BOTTOM_NUMBER_GAP >= CELL_SIZE,
              "every number stands on the repainted cells after its item");

static int cell_left(int cell)
{
    return cell * CELL_SIZE;
}

static void blit_whole(SDL_Surface *sprite, int x, int y)
{
    SDL_Rect at = {Sint16(x), Sint16(y), 0, 0};
    blit_noted(sprite, nullptr, screen, &at);
}

static void write_text(int x, int y, const char *text)
{
    font_write(screen, font, x, y, text);
}

static void write_number(int x, int y, int number)
{
    snprintf(text_buffer, TEXT_BUFFER_SIZE, "%d", number);
    write_text(x, y, text_buffer);
}

// A direction that picks a sprite; an actor that never moved faces right.
static Uint8 sprite_direction(Uint8 direction)
{
    return (direction >= DIR_RIGHT && direction <= DIR_UP) ? direction : DIR_RIGHT;
}

// The second animation frame shows in the first half of a step, while phase >= speed / 2.
static void choose_animation_frame(const Actor &actor)
{
    actor_frame_rect.x = actor.phase >= actor.speed / 2 ? SECOND_FRAME_X : 0;
}

// Writes decoy_timer: its last DECOY_WIPE_FRAMES values wipe the decoy from both buffers,
// one frame each.
static void draw_decoy()
{
    if (decoy_standing()) {
        blit_whole(decoy_sprite, decoy_x * CELL_SIZE, decoy_y * CELL_SIZE);
    } else if (decoy_timer > 0) {
        draw_cell(decoy_x, decoy_y);
        decoy_timer--;
    }
}

static bool enemy_picture_is_still()
{
    return enemy_sprites[DIR_RIGHT] && enemy_sprites[DIR_RIGHT]->w <= FRAME_SIZE;
}

// The blit writes the drawn size into the enemy's rect, which the hit test uses.
static void draw_enemy(Actor &enemy)
{
    if (enemy.knockout) {
        blit_noted(death_sprite, nullptr, screen, &enemy.rect);
    } else if (enemy_picture_is_still()) {
        blit_noted(enemy_sprites[DIR_RIGHT], nullptr, screen, &enemy.rect);
    } else {
        choose_animation_frame(enemy);
        Uint8 d = sprite_direction(enemy.direction ? enemy.direction : enemy.last_direction);
        blit_noted(enemy_sprites[d], &actor_frame_rect, screen, &enemy.rect);
    }
}

static void draw_player()
{
    Uint8 d;
    if (player.direction) {
        choose_animation_frame(player);
        d = sprite_direction(player.direction);
    } else {
        actor_frame_rect.x = SECOND_FRAME_X;
        d = sprite_direction(player.wanted_direction);
    }
    SDL_Surface *sprite = power_mode ? player_power_sprites[d] : player_sprites[d];
    blit_noted(sprite, &actor_frame_rect, screen, &player.rect);
}

static void draw_cells(Uint8 y, Uint8 first_x, Uint8 last_x)
{
    for (Uint8 x = first_x; x <= last_x; x++)
        draw_cell(x, y);
}

// One icon per life beyond the one being played, from the first cell boundary after the
// label; icons that would start beyond the right edge are not drawn. Writes rect_scratch.
static void draw_lives()
{
    const char *label = texts[TEXT_LIVES_LABEL].c_str();
    int x = life_icon_x(0);
    rect_scratch.x = Sint16(x < SCREEN_WIDTH ? x : SCREEN_WIDTH);
    rect_scratch.y = BOTTOM_ROW_Y;
    write_text(LIVES_LABEL_X, BOTTOM_ROW_Y, label);
    for (int icon = 1; icon < lives && life_icon_x(icon) < SCREEN_WIDTH; icon++) {
        rect_scratch.x = Sint16(life_icon_x(icon));
        blit_noted(life_icon, nullptr, screen, &rect_scratch);
    }
}

// Icon 0 is the cell boundary at or before the label's end; the icons follow it.
int life_icon_x(int icon)
{
    int label_end = LIVES_LABEL_X + font_text_width(font, texts[TEXT_LIVES_LABEL].c_str());
    return (label_end / CELL_SIZE + icon) * CELL_SIZE;
}

int score_value_x()
{
    return font_text_width(font, texts[TEXT_SCORE_LABEL].c_str()) + SCORE_LABEL_X + SCORE_GAP;
}

// The score stands 18 pixels after its label; the cells under the new value are repainted
// first. The repainted area is kept within the screen. Writes rect_scratch and text_buffer.
static void draw_score()
{
    snprintf(text_buffer, TEXT_BUFFER_SIZE, "%u", score);
    const char *label = texts[TEXT_SCORE_LABEL].c_str();
    int x = score_value_x();
    int width = font_text_width(font, text_buffer);
    int shown_x = x < SCREEN_WIDTH ? x : SCREEN_WIDTH;
    int shown_width = width < SCREEN_WIDTH - shown_x ? width : SCREEN_WIDTH - shown_x;
    rect_scratch = {Sint16(shown_x), TOP_ROW_Y, Uint16(shown_width), SCORE_AREA_HEIGHT};
    if (shown_width > 0)
        redraw_cells_in_rect(rect_scratch);
    write_text(SCORE_LABEL_X, TOP_ROW_Y, label);
    if (x < SCREEN_WIDTH)
        write_text(x, TOP_ROW_Y, text_buffer);
}

static void draw_boost_reserve()
{
    snprintf(text_buffer, TEXT_BUFFER_SIZE, "%.2f", double(boost_reserve) / 1000.0);
    write_text(cell_left(0) + BOTTOM_NUMBER_GAP, BOTTOM_ROW_Y, text_buffer);
}

// The panel sits on the maze's top and bottom rows; the cells between its items are
// repainted before the numbers are written.
static void draw_status_panel()
{
    draw_cells(0, 1, KNOT_CELL - 1);
    draw_lives();
    write_text(0, TOP_ROW_Y, texts[TEXT_FPS_LABEL].c_str());
    write_text(FPS_VALUE_X, TOP_ROW_Y, fps_text);
    draw_cells(0, KNOT_CELL + 1, DOTS_CELL - 1);
    blit_whole(knot_icon, cell_left(KNOT_CELL), TOP_ROW_Y);
    write_number(cell_left(KNOT_CELL) + TOP_NUMBER_GAP, TOP_ROW_Y, catch_interval - 1);
    blit_whole(dots_icon, cell_left(DOTS_CELL), TOP_ROW_Y);
    draw_cells(0, DOTS_CELL + 1, NUMBERS_END_CELL - 1);
    write_number(cell_left(DOTS_CELL) + TOP_NUMBER_GAP, TOP_ROW_Y, level_map.dots_left);
    draw_score();
    draw_cells(BOTTOM_ROW, 1, KNOT_CELL - 1);
    blit_whole(boost_icon, cell_left(0), BOTTOM_ROW_Y);
    draw_boost_reserve();
    draw_cells(BOTTOM_ROW, KNOT_CELL + 1, DOTS_CELL - 1);
    blit_whole(tile_sprites[CELL_DECOY], cell_left(KNOT_CELL), BOTTOM_ROW_Y);
    write_number(cell_left(KNOT_CELL) + BOTTOM_NUMBER_GAP, BOTTOM_ROW_Y, decoy_count);
    draw_cells(BOTTOM_ROW, DOTS_CELL + 1, NUMBERS_END_CELL - 1);
    blit_whole(tile_sprites[CELL_POWER], cell_left(DOTS_CELL), BOTTOM_ROW_Y);
    write_number(cell_left(DOTS_CELL) + BOTTOM_NUMBER_GAP, BOTTOM_ROW_Y, power_charges);
}

void draw_play_overlay()
{
    draw_decoy();
    for (int i = 0; i < enemy_count && i < int(enemies.size()); i++)
        draw_enemy(enemies[i]);
    draw_player();
    draw_status_panel();
}
