// synthetic_skin.h: a tiny stand-in skin for drawing tests. Every glyph of its font is 20
// pixels wide and painted in its own pixel value, so drawn text can be read back from the
// screen; every sprite is a solid block of a known pixel value.
#pragma once
#include <SDL.h>
#include <string>

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

Uint32 screen_pixel(int x, int y);
void fill_screen(Uint32 pixel);
// Reads back text drawn with the stand-in font with its pen at (x, y): one character per
// glyph, up to the first place that shows no glyph (spaces are not read).
std::string read_screen_text(int x, int y);
