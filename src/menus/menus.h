// SPDX-License-Identifier: GPL-3.0-or-later
// menus.h: the main menu, the options menu and the information screens.
#pragma once
#include <SDL.h>
#include <string>
#include <vector>

// ---------- Menu state: from a menu's opening to its close ----------
// Each menu keeps its cursor, loop state (MenuState) and layout (font height, top row, box
// width and left edge) in its own file, main_menu.cpp and options_menu.cpp; the options menu
// also the skin shown when it opened and the picture of a refused skin. Each menu calls its
// reset when it opens; the loop state is set by run_menu_loop.
void reset_main_menu_state();
void reset_options_menu_state(Uint16 minimum_width);   // the box at least minimum_width wide

// ===================== menu_loop.cpp =====================
enum MenuState { MENU_LEAVE = 0, MENU_WAITING = 1, MENU_REDRAW = 2 };
// Draws the menu, then handles events until the menu leaves; resets the frame pacer on leaving.
void run_menu_loop(MenuState &state, void (*draw_menu)(), void (*handle_key)(const SDL_Event &));
void fill_highlight_bar(int x, int y, int w, int h);   // the mid-grey bar under the chosen row

// ===================== main_menu.cpp =====================
void main_menu();                            // returns when play is to go on
// The box width: the widest of the title and the items TEXT_ITEM_NEW_GAME to TEXT_ITEM_QUIT.
int main_menu_width();

// ===================== options_menu.cpp =====================
void options_menu(Uint16 minimum_width);
// The box width: the minimum, the rows' labels and the rows as measured with name.
int options_menu_width(Uint16 minimum_width, const char *name);
// The rows as drawn: the speed row at a frame delay, the name, skin and language rows with
// a value. Use text_buffer.
std::string speed_row_text(int delay);
std::string value_row_text(Uint16 row, const char *value);
std::vector<int> offered_frame_delays();     // every frame delay the speed row can show

// ===================== info_screens.cpp =====================
extern const char *const CREDITS_LINES[4];   // first author, first role, second author, second role
void draw_high_score_screen();
void draw_credits_screen();
void draw_legend_screen();

// The legend's panel: the box (x0, y0, w, h), its row pitch and the font height it was
// measured with. Its width is the widest legend text plus the first indent.
struct LegendLayout {
    int x0, y0, w, h;
    int pitch, fh;
};
// One description of the legend: drawn at x0 + x, and at y0 + y_offset + pitches row
// pitches + font_lines font heights.
struct LegendText {
    int text;                  // a TextEntry
    int x;
    int y_offset, pitches, font_lines;
};
const int LEGEND_TEXT_INDENT = 40;
const int LEGEND_ACTOR_TEXT_INDENT = 80;   // descriptions of the player and enemy pictures
extern const LegendText LEGEND_TEXTS[];    // every description but the title, in drawing order
extern const int LEGEND_TEXT_COUNT;
LegendLayout legend_layout();              // reads font and texts
int legend_text_y(const LegendLayout &layout, const LegendText &line);
