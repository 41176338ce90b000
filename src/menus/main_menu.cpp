// SPDX-License-Identifier: GPL-3.0-or-later
// main_menu.cpp: the main menu, the game's hub; opened by start-up, by Escape during play
// and after a finished run.
#include "menus.h"
#include "files.h"
#include "gfx.h"
#include "sound.h"
#include "world.h"
#include <cstdlib>

namespace {

const int ALWAYS_SHOWN_ITEMS = 7;   // rows measured for `top`, the title's row included

// ---------- Menu state: from the menu's opening to its close (menus.h) ----------
Uint16 cursor;
MenuState state;
int fh;             // font height
int top;            // y of the TEXT_ITEM_NEW_GAME item
int box_width;      // the box width: the widest of the title and TEXT_ITEM_NEW_GAME to TEXT_ITEM_QUIT
int box_x;

bool game_in_progress()
{
    return lives != 0;
}

int box_top()
{
    return game_in_progress() ? top - 3 * fh : top - 2 * fh;
}

int box_height()
{
    return game_in_progress() ? 9 * fh : 8 * fh;
}

int item_y(Uint16 item)
{
    return top + (static_cast<int>(item) - TEXT_ITEM_NEW_GAME) * fh;
}

int text_width(int index)
{
    return font_text_width(font, texts[index].c_str());
}

// Reads `font`, `texts` and `screen`.
void take_layout()
{
    fh = font_height(font);
    top = (SCREEN_HEIGHT - ALWAYS_SHOWN_ITEMS * fh) / 2;
    box_width = main_menu_width();
    box_x = (SCREEN_WIDTH - box_width) / 2;
}

void draw_menu()
{
    draw_maze(menu_map);
    draw_panel_frame(box_x, box_top(), box_width, box_height());
    font_write_centred(screen, font, box_top(), texts[TEXT_MENU_TITLE].c_str());
    fill_highlight_bar(box_x, item_y(cursor), box_width, fh);
    Uint16 first = game_in_progress() ? TEXT_ITEM_CONTINUE : TEXT_ITEM_NEW_GAME;
    for (Uint16 i = first; i <= TEXT_ITEM_QUIT; ++i)
        font_write_centred(screen, font, item_y(i), texts[i].c_str());
    show_screen();
}

} // namespace

int main_menu_width()
{
    int width = text_width(TEXT_MENU_TITLE);
    for (int i = TEXT_ITEM_NEW_GAME; i <= TEXT_ITEM_QUIT; ++i)
        if (text_width(i) > width)
            width = text_width(i);
    return width;
}

namespace {

// Up on the first shown item goes to Quit, Down on Quit to the first shown item. Applied
// after every key, so that a Return queued behind the move acts on a shown item.
void wrap_cursor()
{
    if (cursor <= TEXT_ITEM_CONTINUE && (!game_in_progress() || cursor < TEXT_ITEM_CONTINUE))
        cursor = TEXT_ITEM_QUIT;
    else if (cursor > TEXT_ITEM_QUIT)
        cursor = game_in_progress() ? TEXT_ITEM_CONTINUE : TEXT_ITEM_NEW_GAME;
}

// Shows the play screen on both buffers of the screen.
void continue_game()
{
    state = MENU_LEAVE;
    draw_maze(level_map);
    draw_play_overlay();
    show_screen();
    draw_maze(level_map);
    draw_play_overlay();
}

// A level that cannot be loaded leaves no game to play: the menu stays.
void start_new_game()
{
    state = new_game() == 0 ? MENU_LEAVE : MENU_REDRAW;
}

// Shows an information screen until any key. The menu is drawn again afterwards: a screen
// without a real back buffer would otherwise go on showing the information screen.
void show_info_screen(void (*draw_screen)())
{
    draw_screen();
    show_screen();
    screen_hooks.wait_for_key(0);
    show_screen();
    if (state == MENU_WAITING)
        state = MENU_REDRAW;
}

void choose_item()
{
    play_sound(SOUND_MENU_CONFIRM);
    switch (cursor) {
    case TEXT_ITEM_CONTINUE:
        if (game_in_progress())
            continue_game();
        break;
    case TEXT_ITEM_NEW_GAME:
        start_new_game();
        break;
    case TEXT_ITEM_OPTIONS:
        options_menu(static_cast<Uint16>(box_width));
        state = MENU_REDRAW;
        break;
    case TEXT_ITEM_HIGH_SCORES:
        show_info_screen(draw_high_score_screen);
        break;
    case TEXT_ITEM_CREDITS:
        show_info_screen(draw_credits_screen);
        break;
    case TEXT_ITEM_LEGEND:
        show_info_screen(draw_legend_screen);
        break;
    case TEXT_ITEM_QUIT:
        event_waits.request_quit();
        break;
    default:
        break;
    }
}

void move_cursor(int step)
{
    cursor = static_cast<Uint16>(cursor + step);
    wrap_cursor();
    state = MENU_REDRAW;
    play_sound(SOUND_MENU_MOVE);
}

void handle_key(const SDL_Event &press)
{
    SDLKey sym = press.key.keysym.sym;
    if (sym == SDLK_ESCAPE || event_waits.is_quit_key(press))
        event_waits.request_quit();
    if (sym == SDLK_DOWN)
        move_cursor(1);
    else if (sym == SDLK_UP)
        move_cursor(-1);
    else if (sym == SDLK_RETURN)
        choose_item();
}

} // namespace

// The cursor on the first item shown; run_menu_loop sets the state.
void reset_main_menu_state()
{
    take_layout();
    cursor = game_in_progress() ? TEXT_ITEM_CONTINUE : TEXT_ITEM_NEW_GAME;
}

// Reads `lives`; every event found is handled at once, and the menu redraws or leaves only
// when the queue is empty.
void main_menu()
{
    reset_main_menu_state();
    play_music(MUSIC_MENU);
    run_menu_loop(state, draw_menu, handle_key);
}
