// menu_test_util.h: a synthetic look for the menu, screen and name entry tests (a font of
// fixed-width glyphs, plain-coloured tiles and sprites, short texts) and the keys they press.
#pragma once
#include <SDL.h>
#include <string>

namespace menu_test {

// The synthetic font: every glyph advances 8 pixels and shows one white column 3 pixels
// right of the pen (4 into its picture, which is blitted from half a marker left of the pen);
// a space (or any character without a glyph) advances 10; lines are 20 high.
const int GLYPH_ADVANCE = 8;
const int SPACE_ADVANCE = 10;
const int FONT_HEIGHT = 20;
const int GLYPH_MARK = 3;

Uint32 wall_colour();      // tile 1, the menu maze's every cell
Uint32 floor_colour();     // tile 2
Uint32 white();
Uint32 grey();             // the menus' highlight
Uint32 red();
Uint32 icon_colour(int n); // distinct colours for the legend's icons, n from 0

// Screen, synthetic font and sprites, texts "abcd" (title and items as set by each test),
// a menu maze of walls, no game in progress, default settings, quit flags clear, no events.
void set_up_menus();

Uint32 pixel(int x, int y);         // a screen pixel
int width_of(const char *text);     // font_text_width with the current font

void drain_events();
void push_key(SDLKey sym, SDLMod mod = KMOD_NONE);
void push_key_later(Uint32 ms, SDLKey sym);   // from SDL's timer thread, after ms
void push_quit();
void push_focus(Uint8 gain);

// A scratch content tree with one small playable map, maps/test.txt, in map_list.
void enter_tree_with_map();

// For death-test children: a child still running after ten seconds ends with status 4, so
// a menu that never leaves fails instead of hanging.
void child_watchdog();

// For death tests (starts the watchdog too): `check` runs when the child exits; if it returns false the child ends
// with status 3 instead, after printing `what` to standard error.
void check_at_exit(bool (*check)(), const char *what);

} // namespace menu_test
