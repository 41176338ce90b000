// menus.h: the main menu, the options menu and the information screens.
#pragma once
#include <SDL.h>

// ===================== menu_loop.cpp =====================
enum MenuState { MENU_LEAVE = 0, MENU_WAITING = 1, MENU_REDRAW = 2 };
// Draws the menu, then handles events until the menu leaves; resets the frame pacer on leaving.
void run_menu_loop(MenuState &state, void (*draw_menu)(), void (*handle_key)(const SDL_Event &));
void fill_highlight_bar(int x, int y, int w, int h);   // the mid-grey bar under the chosen row

// ===================== main_menu.cpp =====================
void main_menu();                            // returns when play is to go on

// ===================== options_menu.cpp =====================
void options_menu(Uint16 minimum_width);

// ===================== info_screens.cpp =====================
extern const char *const CREDITS_LINES[4];   // first author, first role, second author, second role
void draw_high_score_screen();
void draw_credits_screen();
void draw_legend_screen();
