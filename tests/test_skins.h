// SPDX-License-Identifier: GPL-3.0-or-later
// test_skins.h: synthetic looks for the drawing, menu and screen tests: font sheets built
// from marker runs, and two stand-in skins of flat-coloured sprites with fonts that can be
// read back from the screen.
#pragma once
#include <SDL.h>
#include <string>
#include <utility>
#include <vector>

// A font sheet of the given size in the screen's format, all pixel 0 (the transparent key
// when it stays at the bottom-left), with magenta marker runs (start, length) in row 0.
SDL_Surface *marker_sheet(int w, int h, const std::vector<std::pair<int, int>> &runs);
// Runs of `width` pixels every `period` pixels, one for each of the FONT_GLYPHS + 1 markers.
std::vector<std::pair<int, int>> full_marker_runs(int period, int width);

// --- The play stand-in: every glyph of its font is 20 pixels wide and painted in its own
// pixel value, so drawn text can be read back; every sprite is a solid block of a known
// pixel value. ---

const int GLYPH_ADVANCE = 20;          // every glyph of the stand-in font
const int SPACE_ADVANCE = 22;          // a character without a glyph
const int GLYPH_HEIGHT = 19;           // font_height of the stand-in font
const Uint32 GLYPH_PIXEL = 0x1000;     // glyph g is painted in GLYPH_PIXEL + g
const Uint32 BACKGROUND_PIXEL = 0x0841;

Uint32 tile_pixel(Uint8 code);         // tile_sprites[code]
const Uint32 TELEPORT_PIXEL = 0x3007;
const Uint32 DEATH_PIXEL = 0x3002;
const Uint32 LIFE_PIXEL = 0x3001;
const Uint32 DECOY_PIXEL = 0x3003;
const Uint32 KNOT_PIXEL = 0x3004;
const Uint32 DOTS_PIXEL = 0x3005;
const Uint32 BOOST_PIXEL = 0x3006;
// Actor strips are two frames wide: frame 0 in actor_pixel(...), frame 1 in that + 1.
enum ActorKind { PLAYER_KIND, POWER_KIND, ENEMY_KIND };
Uint32 actor_pixel(ActorKind kind, int direction);

// Puts the stand-in skin in place of the real one (kept aside), with an animated two-frame
// enemy strip unless `still_enemy`; level_map becomes all floor. Opens the test screen.
void install_synthetic_skin(bool still_enemy = false);
// Frees the stand-in and puts the real skin back.
void restore_real_skin();

// Reads back text drawn with the stand-in font with its pen at (x, y): one character per
// glyph, up to the first place that shows no glyph (spaces are not read).
std::string read_screen_text(int x, int y);

// --- The menu look: a font of narrow glyphs, plain-coloured tiles and sprites, short texts.

namespace menu_test {

// Every glyph advances 8 pixels and shows one white column 3 pixels right of the pen (4 into
// its picture, which is blitted from half a marker left of the pen); a space (or any
// character without a glyph) advances 10; lines are 20 high.
const int MENU_GLYPH_ADVANCE = 8;
const int MENU_SPACE_ADVANCE = 10;
const int MENU_FONT_HEIGHT = 20;
const int MENU_GLYPH_MARK = 3;

Uint32 wall_colour();      // tile 1, the menu maze's every cell
Uint32 floor_colour();     // tile 2
Uint32 white();
Uint32 grey();             // the menus' highlight
Uint32 red();
Uint32 icon_colour(int n); // distinct colours for the legend's icons, n from 0

// Screen, menu font and sprites, texts "abcd" (title and items as set by each test),
// a menu maze of walls, no game in progress, default settings, quit flags clear, no events.
void set_up_menus();

int width_of(const char *text);     // font_text_width with the current font

// A scratch content tree with one small playable map, maps/test.txt, in map_list.
void enter_tree_with_map();

} // namespace menu_test
