// gfx.h: graphics: surfaces and transforms, the skin's sprite set, maze drawing, the play
// overlay, message boxes and framed labels, and the text entry field.
#pragma once
#include <SDL.h>
#include "SFont.h"

struct LevelMap;

// ===================== surfaces.cpp =====================
SDL_Surface *load_bitmap(const char *directory, const char *file);        // exits 1 on failure
// Whether a decoded bitmap's pixel format can be converted: a palette up to 8 bits, else
// colour masks that are each one run of bits, apart, inside the pixel. SDL's converter
// crashes on a file whose bit-field masks are not.
bool convertible_bitmap(const SDL_Surface *loaded);
SDL_Surface *load_keyed_bitmap(const char *directory, const char *file);  // green transparent
Uint32 read_pixel(SDL_Surface *surface, int x, int y);   // no range test: (x, y) is inside
Uint32 get_pixel(SDL_Surface *surface, int x, int y);
void put_pixel(SDL_Surface *surface, int x, int y, Uint32 pixel);
SDL_Surface *turn_frames(SDL_Surface *source);    // every 32x32 frame a quarter turn clockwise
SDL_Surface *mirror_frames(SDL_Surface *source);  // every frame mirrored left to right

// ===================== skins.cpp =====================
const int FRAME_SIZE = 32;
void load_skin();                            // font and all 18 bitmaps of skin_list[skin_index]
void free_skin();                            // releases every surface and the font

// ===================== drawing.cpp =====================
void draw_cell(Uint8 x, Uint8 y);            // cell of level_map
void draw_maze(const LevelMap &map);
void redraw_cells_in_rect(SDL_Rect rect);    // every level_map cell the rectangle touches

// ===================== play_overlay.cpp =====================
void draw_play_overlay();                    // decoy, enemies, player, status panel

// ===================== message_box.cpp =====================
void show_message_box(const char *text);     // play screen plus a framed text; no flip
void draw_framed_label(const char *text, int top);  // centred framed string at top
void draw_panel_frame(int x, int y, int w, int h);  // red border 5 px around black, 5 px out
Uint32 red_pixel();                          // pure red in the screen's format

// ===================== text_entry.cpp =====================
void text_entry(const char *prompt, char *text);    // text holds 256 bytes; returns on Return

// ---------- Program state: from start-up to the quit sequence ----------
// The skin's sprite set and the font (skins.cpp): replaced whole at each skin load (start-up,
// the options menu, the focus coming back), released by the quit sequence.
extern SDL_Surface *tile_sprites[6];        // by cell code 0..5
extern SDL_Surface *teleport_sprite;
extern SDL_Surface *death_sprite;
extern SDL_Surface *life_icon;
extern SDL_Surface *dots_icon;
extern SDL_Surface *boost_icon;
extern SDL_Surface *knot_icon;
extern SDL_Surface *decoy_sprite;
extern SDL_Surface *arrow_left_sprite;
extern SDL_Surface *arrow_right_sprite;
extern SDL_Surface *player_sprites[5];       // by direction 1..4; [0] unused
extern SDL_Surface *player_power_sprites[5];
extern SDL_Surface *enemy_sprites[5];        // [2..4] only for an animated enemy strip
extern SDL_Rect actor_frame_rect;            // source of animated actor frames
extern char skin_path[256];                  // "skins/<name>/"
extern BitmapFont *font;                     // the game's one font

// ---------- Scratch: good until the next drawing ----------
extern SDL_Rect rect_scratch;                // play_overlay.cpp: blit rectangle of the panel
extern SDL_Rect message_box_rect;            // message_box.cpp: outer rectangle of the box drawn last
