// SPDX-License-Identifier: GPL-3.0-or-later
// options_menu.cpp: the options menu (game speed, player name, skin, language, and below the
// apply row the sound and music volumes and full screen); opened by the main menu's options item.
#include "menus.h"
#include "files.h"
#include "gfx.h"
#include "sound.h"
#include "world.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int ROW_COUNT = 5;   // the rows from the speed to the apply row, centred on the screen

// The rows below the apply row: a label from option_texts, a value, and Left/Right to change it.
struct LaterRow {
    int label;                       // an OptionText
    std::string (*value)();          // the value as the row shows it
    void (*change)(int step);        // Left gives -1, Right +1
};

std::string volume_text(int volume)
{
    return std::to_string(volume);
}

// The new volume applies at once, and a short sample is heard at it.
void change_sound_volume(int step)
{
    sound_volume = clamp_volume(sound_volume + step);
    apply_volumes();
    play_sound(SOUND_MENU_CHANGE);
}

// The menu's music plays at the new volume, and the sample is heard at it too (the music
// may be missing or still silent).
void change_music_volume(int step)
{
    music_volume = clamp_volume(music_volume + step);
    apply_volumes();
    play_sound_at(SOUND_MENU_CHANGE, music_volume);
}

// Switches the display at once; the menu is drawn again after the key.
void change_fullscreen(int)
{
    event_waits.switch_display();
}

const LaterRow LATER_ROWS[] = {
    {OPTION_TEXT_SOUND, [] { return volume_text(sound_volume); }, change_sound_volume},
    {OPTION_TEXT_MUSIC, [] { return volume_text(music_volume); }, change_music_volume},
    {OPTION_TEXT_FULLSCREEN,
     [] { return option_texts[fullscreen ? OPTION_TEXT_ON : OPTION_TEXT_OFF]; }, change_fullscreen},
};
const int LATER_ROW_COUNT = sizeof LATER_ROWS / sizeof LATER_ROWS[0];
const Uint16 FIRST_LATER_ROW = TEXT_OPTION_APPLY + 1;
const Uint16 LAST_ROW = FIRST_LATER_ROW + LATER_ROW_COUNT - 1;

// The later row at cursor, or null on a described row.
const LaterRow *later_row(Uint16 row)
{
    return row >= FIRST_LATER_ROW && row <= LAST_ROW ? &LATER_ROWS[row - FIRST_LATER_ROW] : nullptr;
}


// How each row shows its value, and how the name row is measured for the box width.
const char *const SPEED_FORMAT = "   %s: %.1f  ";
const char *const NAME_FORMAT = "  %s: %s  ";
const char *const NAME_MEASURE_FORMAT = " %s: %s ";
const char *const SKIN_FORMAT = " %s: %s ";
const char *const LIST_MEASURE_FORMAT = "  %s: %s  ";
const char *const LANGUAGE_FORMAT = "  %s: %s  ";
const char *const LATER_ROW_FORMAT = "  %s: %s  ";

// ---------- Menu state: from the menu's opening to its close (menus.h) ----------
Uint16 cursor;
MenuState state;
int fh;             // font height
int top;            // y of the TEXT_OPTION_SPEED row
int box_width;      // the box width; only ever grows while the menu is open
int box_x;
SDL_Rect arrow_rect;
Uint8 skin_shown;           // the skin loaded when the menu opened
std::string refused_skin;   // the bitmap of a refused skin, shown below the box; empty: none

// The list entry shown for index; an empty text if the index lies outside the list.
const char *list_entry(const std::vector<std::string> &list, Uint8 index)
{
    return index < list.size() ? list[index].c_str() : "";
}

// Formats a row's label and value into text_buffer (a row too long for it is cut) and
// returns its width.
int formatted_width(const char *format, const std::string &label, const char *value)
{
    if (snprintf(text_buffer, TEXT_BUFFER_SIZE, format, label.c_str(), value) < 0)
        text_buffer[0] = '\0';
    return font_text_width(font, text_buffer);
}

int formatted_width(const char *format, int label, const char *value)
{
    return formatted_width(format, texts[label], value);
}

// A later row as drawn, in text_buffer.
std::string later_row_text(const LaterRow &row)
{
    formatted_width(LATER_ROW_FORMAT, option_texts[row.label], row.value().c_str());
    return text_buffer;
}

int name_row_width()
{
    return formatted_width(NAME_MEASURE_FORMAT, TEXT_OPTION_NAME, player_name);
}

// Reads `font`, `texts`, `player_name`, `skin_list`, `language_list`; uses text_buffer.
void take_layout(Uint16 minimum_width)
{
    arrow_rect.w = ARROW_WIDTH;
    arrow_rect.h = ARROW_HEIGHT;
    fh = font_height(font);
    top = (SCREEN_HEIGHT - ROW_COUNT * fh) / 2;
    box_width = options_menu_width(minimum_width, player_name);
    box_x = (SCREEN_WIDTH - box_width) / 2;
}

} // namespace

// Reads `font`, `texts`, `skin_list`, `language_list`; uses text_buffer.
int options_menu_width(Uint16 minimum_width, const char *name)
{
    int width = minimum_width;
    auto widen = [&width](int row_width) { width = row_width > width ? row_width : width; };
    for (int row = TEXT_OPTION_SPEED; row <= TEXT_OPTION_APPLY; ++row)
        widen(font_text_width(font, texts[row].c_str()));
    widen(formatted_width(NAME_MEASURE_FORMAT, TEXT_OPTION_NAME, name));
    for (const std::string &skin : skin_list)
        widen(formatted_width(LIST_MEASURE_FORMAT, TEXT_OPTION_SKIN, skin.c_str()));
    for (const std::string &language : language_list)
        widen(formatted_width(LIST_MEASURE_FORMAT, TEXT_OPTION_LANGUAGE, language.c_str()));
    // The later rows at their widest values.
    for (const char *value : {"10", option_texts[OPTION_TEXT_ON].c_str(),
                              option_texts[OPTION_TEXT_OFF].c_str()})
        for (const LaterRow &row : LATER_ROWS)
            widen(formatted_width(LATER_ROW_FORMAT, option_texts[row.label], value));
    return width;
}

std::string speed_row_text(int delay)
{
    snprintf(text_buffer, TEXT_BUFFER_SIZE, SPEED_FORMAT, texts[TEXT_OPTION_SPEED].c_str(),
             1000.0 / delay);
    return text_buffer;
}

std::string value_row_text(Uint16 row, const char *value)
{
    const char *format = row == TEXT_OPTION_NAME ? NAME_FORMAT
                       : row == TEXT_OPTION_SKIN ? SKIN_FORMAT : LANGUAGE_FORMAT;
    formatted_width(format, row, value);
    return text_buffer;
}

std::vector<int> offered_frame_delays()
{
    std::vector<int> delays;
    for (int delay = FASTEST_FRAME_DELAY; delay <= SLOWEST_FRAME_DELAY; ++delay)
        delays.push_back(delay);
    return delays;
}

namespace {

int row_y(Uint16 row)
{
    return top + (static_cast<int>(row) - TEXT_OPTION_SPEED) * fh;
}

bool row_has_arrows(Uint16 row)
{
    return row == TEXT_OPTION_SPEED || row == TEXT_OPTION_SKIN || row == TEXT_OPTION_LANGUAGE ||
           later_row(row);
}

// The arrows keep the size that the left arrow's blit wrote back into arrow_rect.
void draw_arrows()
{
    arrow_rect.x = static_cast<Sint16>(box_x);
    arrow_rect.y = static_cast<Sint16>(row_y(cursor));
    blit_noted(arrow_left_sprite, nullptr, screen, &arrow_rect);
    arrow_rect.x = static_cast<Sint16>(box_x + box_width - arrow_rect.w);
    arrow_rect.y = static_cast<Sint16>(row_y(cursor));
    blit_noted(arrow_right_sprite, nullptr, screen, &arrow_rect);
}

// Reads frame_delay, player_name, skin_index, language_index; uses text_buffer.
void draw_rows()
{
    auto write_row = [](Uint16 row, const std::string &text) {
        font_write_centred(screen, font, row_y(row), text.c_str());
    };
    write_row(TEXT_OPTION_SPEED, speed_row_text(frame_delay));
    write_row(TEXT_OPTION_NAME, value_row_text(TEXT_OPTION_NAME, player_name));
    write_row(TEXT_OPTION_SKIN, value_row_text(TEXT_OPTION_SKIN, list_entry(skin_list, skin_index)));
    write_row(TEXT_OPTION_LANGUAGE,
              value_row_text(TEXT_OPTION_LANGUAGE, list_entry(language_list, language_index)));
    font_write_centred(screen, font, row_y(TEXT_OPTION_APPLY), texts[TEXT_OPTION_APPLY].c_str());
    for (Uint16 row = FIRST_LATER_ROW; row <= LAST_ROW; ++row)
        write_row(row, later_row_text(*later_row(row)));
}

void draw_menu()
{
    int y_box = top - 2 * fh;
    draw_maze(menu_map);
    draw_panel_frame(box_x, y_box, box_width, (7 + LATER_ROW_COUNT) * fh);
    font_write_centred(screen, font, y_box, texts[TEXT_ITEM_OPTIONS].c_str());
    fill_highlight_bar(box_x, row_y(cursor), box_width, fh);
    if (row_has_arrows(cursor))
        draw_arrows();
    draw_rows();
    if (!refused_skin.empty())
        draw_framed_label(refused_skin.c_str(), top + 6 * fh);
    show_screen();
}

// Up on the speed row goes to the last row and Down on the last row to the speed row.
void move_cursor(int step)
{
    cursor = static_cast<Uint16>(cursor + step);
    if (cursor < TEXT_OPTION_SPEED)
        cursor = LAST_ROW;
    else if (cursor > LAST_ROW)
        cursor = TEXT_OPTION_SPEED;
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
// A skin that cannot be loaded is refused: the skin shown before stays, the menu stays open
// and names the bitmap that failed below its box.
void apply_and_leave()
{
    state = MENU_LEAVE;
    if (!try_load_skin()) {
        refused_skin = text_buffer;
        skin_index = skin_shown;
        load_usable_skin();
        state = MENU_REDRAW;
    }
    skin_shown = skin_index;
    load_skin_sounds();
    load_texts();
    play_sound(SOUND_MENU_CONFIRM);
    play_music(MUSIC_MENU);
}

// Lets the player edit player_name; the box widens when the new name needs it.
void edit_name()
{
    text_entry(texts[TEXT_NAME_PROMPT].c_str(), player_name);
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
    bool on_speed = cursor == TEXT_OPTION_SPEED;
    bool on_skin = cursor == TEXT_OPTION_SKIN;
    bool on_language = cursor == TEXT_OPTION_LANGUAGE;
    if (sym == SDLK_ESCAPE) {
        state = MENU_LEAVE;
        play_sound(SOUND_MENU_BACK);
        return false;
    }
    if (sym == SDLK_RETURN && cursor == TEXT_OPTION_APPLY) {
        apply_and_leave();
        return false;
    }
    if (sym == SDLK_DOWN || sym == SDLK_UP)
        play_sound(SOUND_MENU_MOVE);
    else if ((sym == SDLK_LEFT || sym == SDLK_RIGHT) && (on_speed || on_skin || on_language))
        play_sound(SOUND_MENU_CHANGE);
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
    else if ((sym == SDLK_LEFT || sym == SDLK_RIGHT) && later_row(cursor)) {
        later_row(cursor)->change(sym == SDLK_LEFT ? -1 : 1);
        state = MENU_REDRAW;
    } else
        return false;
    return true;
}

// On the name row every key that did not move the cursor opens the name entry, Escape
// included, so Escape leaves from every row but that one.
void handle_key(const SDL_Event &press)
{
    if (event_waits.is_quit_key(press))
        event_waits.request_quit();
    refused_skin.clear();
    bool redraw = handle_row_key(press.key.keysym.sym);
    if (!redraw && cursor == TEXT_OPTION_NAME)
        edit_name();
}

} // namespace

// The cursor on the speed row, the skin shown noted, no refused skin; run_menu_loop sets the
// state.
void reset_options_menu_state(Uint16 minimum_width)
{
    take_layout(minimum_width);
    cursor = TEXT_OPTION_SPEED;
    skin_shown = skin_index;
    refused_skin.clear();
}

// Reads and writes frame_delay, player_name, skin_index and language_index. Every event
// found is handled at once; the menu redraws or leaves only when the queue is empty. What the
// player changed is saved on leaving, so that it is kept even if the program never quits.
void options_menu(Uint16 minimum_width)
{
    reset_options_menu_state(minimum_width);
    run_menu_loop(state, draw_menu, handle_key);
    save_stored_files();
}
