// options_menu.cpp: the options menu (game speed, player name, skin, language); opened by
// the main menu's options item.
#include "menus.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "world.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Text indexes of the rows, the title and the name prompt.
const Uint16 ROW_SPEED = 31;
const Uint16 ROW_NAME = 32;
const Uint16 ROW_SKIN = 33;
const Uint16 ROW_LANGUAGE = 34;
const Uint16 ROW_APPLY = 35;
const int TITLE_TEXT = 38;
const int NAME_PROMPT_TEXT = 29;
const int ROW_COUNT = 5;

const Uint16 ARROW_WIDTH = 15;
const Uint16 ARROW_HEIGHT = 27;

// How each row shows its value, and how the name row is measured for the box width.
const char *const SPEED_FORMAT = "   %s: %.1f  ";
const char *const NAME_FORMAT = "  %s: %s  ";
const char *const NAME_MEASURE_FORMAT = " %s: %s ";
const char *const SKIN_FORMAT = " %s: %s ";
const char *const LIST_MEASURE_FORMAT = "  %s: %s  ";
const char *const LANGUAGE_FORMAT = "  %s: %s  ";

// The menu's state, set afresh on every entry to options_menu.
Uint16 cursor;
MenuState state;
int fh;             // font height
int top;            // y of row 31
int box_width;      // W; only ever grows while the menu is open
int box_x;
SDL_Rect arrow_rect;

// The list entry shown for index; an empty text if the index lies outside the list.
const char *list_entry(const std::vector<std::string> &list, Uint8 index)
{
    return index < list.size() ? list[index].c_str() : "";
}

// Formats a row's label and value into text_buffer (a row too long for it is cut) and
// returns its width.
int formatted_width(const char *format, int label, const char *value)
{
    if (snprintf(text_buffer, TEXT_BUFFER_SIZE, format, texts[label].c_str(), value) < 0)
        text_buffer[0] = '\0';
    return font_text_width(font, text_buffer);
}

int name_row_width()
{
    return formatted_width(NAME_MEASURE_FORMAT, ROW_NAME, player_name);
}

void widen_box(int width)
{
    if (width > box_width)
        box_width = width;
}

// Reads `font`, `texts`, `player_name`, `skin_list`, `language_list`; uses text_buffer.
void take_layout(Uint16 minimum_width)
{
    arrow_rect.w = ARROW_WIDTH;
    arrow_rect.h = ARROW_HEIGHT;
    fh = font_height(font);
    top = (SCREEN_HEIGHT - ROW_COUNT * fh) / 2;
    box_width = minimum_width;
    for (int row = ROW_SPEED; row <= ROW_APPLY; ++row)
        widen_box(font_text_width(font, texts[row].c_str()));
    widen_box(name_row_width());
    for (const std::string &skin : skin_list)
        widen_box(formatted_width(LIST_MEASURE_FORMAT, ROW_SKIN, skin.c_str()));
    for (const std::string &language : language_list)
        widen_box(formatted_width(LIST_MEASURE_FORMAT, ROW_LANGUAGE, language.c_str()));
    box_x = (SCREEN_WIDTH - box_width) / 2;
}

int row_y(Uint16 row)
{
    return top + (static_cast<int>(row) - ROW_SPEED) * fh;
}

bool row_has_arrows(Uint16 row)
{
    return row == ROW_SPEED || row == ROW_SKIN || row == ROW_LANGUAGE;
}

// The arrows keep the size that the left arrow's blit wrote back into arrow_rect.
void draw_arrows()
{
    arrow_rect.x = static_cast<Sint16>(box_x);
    arrow_rect.y = static_cast<Sint16>(row_y(cursor));
    SDL_BlitSurface(arrow_left_sprite, nullptr, screen, &arrow_rect);
    arrow_rect.x = static_cast<Sint16>(box_x + box_width - arrow_rect.w);
    arrow_rect.y = static_cast<Sint16>(row_y(cursor));
    SDL_BlitSurface(arrow_right_sprite, nullptr, screen, &arrow_rect);
}

// Reads frame_delay, player_name, skin_index, language_index; uses text_buffer.
void draw_rows()
{
    snprintf(text_buffer, TEXT_BUFFER_SIZE, SPEED_FORMAT, texts[ROW_SPEED].c_str(),
             1000.0 / frame_delay);
    font_write_centred(screen, font, row_y(ROW_SPEED), text_buffer);
    formatted_width(NAME_FORMAT, ROW_NAME, player_name);
    font_write_centred(screen, font, row_y(ROW_NAME), text_buffer);
    formatted_width(SKIN_FORMAT, ROW_SKIN, list_entry(skin_list, skin_index));
    font_write_centred(screen, font, row_y(ROW_SKIN), text_buffer);
    formatted_width(LANGUAGE_FORMAT, ROW_LANGUAGE, list_entry(language_list, language_index));
    font_write_centred(screen, font, row_y(ROW_LANGUAGE), text_buffer);
    font_write_centred(screen, font, row_y(ROW_APPLY), texts[ROW_APPLY].c_str());
}

void draw_menu()
{
    int y_box = top - 2 * fh;
    draw_maze(menu_map);
    draw_panel_frame(box_x, y_box, box_width, 7 * fh);
    font_write_centred(screen, font, y_box, texts[TITLE_TEXT].c_str());
    fill_highlight_bar(box_x, row_y(cursor), box_width, fh);
    if (row_has_arrows(cursor))
        draw_arrows();
    draw_rows();
    SDL_Flip(screen);
}

// Up on row 31 goes to row 35 and Down on row 35 to row 31; applied after every key.
void move_cursor(int step)
{
    cursor = static_cast<Uint16>(cursor + step);
    if (cursor < ROW_SPEED)
        cursor = ROW_APPLY;
    else if (cursor > ROW_APPLY)
        cursor = ROW_SPEED;
    state = MENU_REDRAW;
}

// Right makes the game faster (a shorter frame), Left slower; writes frame_delay.
void change_speed(int step)
{
    frame_delay = clamp_frame_delay(frame_delay + step);
    state = MENU_REDRAW;
}

// Moves index one step through a list of count entries, stopping at both ends (and at the
// last index an 8-bit index can hold).
void step_index(Uint8 &index, int step, size_t count)
{
    int moved = index + step;
    if (moved >= 0 && moved <= UINT8_MAX && static_cast<size_t>(moved) < count)
        index = static_cast<Uint8>(moved);
    state = MENU_REDRAW;
}

// Writes skin_index and language_index; the new skin and texts load on leaving with Return.
void apply_and_leave()
{
    state = MENU_LEAVE;
    load_skin();
    load_texts();
}

// Lets the player edit player_name; the box widens when the new name needs it.
void edit_name()
{
    text_entry(texts[NAME_PROMPT_TEXT].c_str(), player_name);
    state = MENU_REDRAW;
    int width = name_row_width();
    if (width > box_width) {
        box_width = width;
        box_x = (SCREEN_WIDTH - box_width) / 2;
    }
}

// Returns whether the key moved the cursor or touched a value (and so asked for a redraw).
bool handle_row_key(SDLKey sym)
{
    bool on_speed = cursor == ROW_SPEED;
    bool on_skin = cursor == ROW_SKIN;
    bool on_language = cursor == ROW_LANGUAGE;
    if (sym == SDLK_ESCAPE) {
        state = MENU_LEAVE;
        return false;
    }
    if (sym == SDLK_RETURN && cursor == ROW_APPLY) {
        apply_and_leave();
        return false;
    }
    if (sym == SDLK_DOWN)
        move_cursor(1);
    else if (sym == SDLK_UP)
        move_cursor(-1);
    else if (sym == SDLK_RIGHT && on_speed)
        change_speed(-1);
    else if (sym == SDLK_LEFT && on_speed)
        change_speed(1);
    else if ((sym == SDLK_LEFT || sym == SDLK_RIGHT) && on_skin)
        step_index(skin_index, sym == SDLK_LEFT ? -1 : 1, skin_list.size());
    else if ((sym == SDLK_LEFT || sym == SDLK_RIGHT) && on_language)
        step_index(language_index, sym == SDLK_LEFT ? -1 : 1, language_list.size());
    else
        return false;
    return true;
}

// On the name row every key that did not move the cursor opens the name entry, Escape
// included, so Escape leaves from every row but that one.
void handle_key(const SDL_Event &press)
{
    if (is_alt_f4(press))
        exit(0);
    bool redraw = handle_row_key(press.key.keysym.sym);
    if (!redraw && cursor == ROW_NAME)
        edit_name();
}

} // namespace

// Reads and writes frame_delay, player_name, skin_index and language_index. Every event
// found is handled at once; the menu redraws or leaves only when the queue is empty.
void options_menu(Uint16 minimum_width)
{
    take_layout(minimum_width);
    cursor = ROW_SPEED;
    run_menu_loop(state, draw_menu, handle_key);
}
