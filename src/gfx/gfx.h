// SPDX-License-Identifier: GPL-3.0-or-later
// gfx.h: graphics: the screen and its updates, surfaces and transforms, the skin's sprite set,
// maze drawing, the play overlay, message boxes and framed labels, the end-of-run box, and
// the text entry field.
#pragma once
#include <SDL.h>
#include "SFont.h"

struct LevelMap;

// ===================== surfaces.cpp =====================
SDL_Surface *load_bitmap(const char *directory, const char *file);        // exits 1 on failure
SDL_Surface *read_bitmap(const char *directory, const char *file);        // null on failure (said)
// The largest picture the game loads: each side, and all pixels (a font sheet is far wider
// than the screen, but not this wide); a header claiming more is refused before decoding.
const long long MAX_BITMAP_SIDE = 16384;
const long long MAX_BITMAP_PIXELS = 1 << 22;
// The pixels a BMP file's first size bytes claim: 0 for a file that is no BMP (SDL refuses
// it), more than MAX_BITMAP_PIXELS for one cut off inside its size fields or claiming a side
// over MAX_BITMAP_SIDE.
long long bitmap_claimed_pixels(const Uint8 *data, size_t size);
// Whether a decoded bitmap's pixel format can be converted: a palette up to 8 bits, else
// colour masks that are each one run of bits, apart, inside the pixel. SDL's converter
// crashes on a file whose bit-field masks are not.
bool convertible_bitmap(const SDL_Surface *loaded);
SDL_Surface *load_keyed_bitmap(const char *directory, const char *file);  // green transparent
SDL_Surface *read_keyed_bitmap(const char *directory, const char *file);  // the same, null on failure
const Uint8 SPRITE_KEY_RGB[3] = {0, 255, 0};  // the transparent colour of keyed pictures
Uint32 read_pixel(SDL_Surface *surface, int x, int y);   // no range test: (x, y) is inside
Uint32 get_pixel(SDL_Surface *surface, int x, int y);
void put_pixel(SDL_Surface *surface, int x, int y, Uint32 pixel);
SDL_Surface *turn_frames(SDL_Surface *source);    // every 32x32 frame a quarter turn clockwise
SDL_Surface *mirror_frames(SDL_Surface *source);  // every frame mirrored left to right

// ===================== screen_updates.cpp =====================
const int SCREEN_WIDTH = 1024;
const int SCREEN_HEIGHT = 768;
const int SCREEN_DEPTH = 16;
// Everything drawn on `screen` goes through these, so that show_screen updates only the
// areas drawn since the last flip when the screen has no hardware double buffer.
int blit_noted(SDL_Surface *source, SDL_Rect *source_rect, SDL_Surface *target, SDL_Rect *target_rect);
int fill_noted(SDL_Surface *target, SDL_Rect *area, Uint32 pixel);   // SDL_FillRect, noted
void note_drawn(const SDL_Rect &area);   // an area of `screen` drawn some other way
void note_whole_screen();                // the whole screen was drawn (a maze, a switch)
void forget_shown_picture();             // the display's picture is lost: the next update is whole
// Shows what was drawn: SDL_Flip on a hardware double buffer, otherwise an update of the
// pixels of the noted areas (of all of the screen after note_whole_screen) that differ from
// the picture shown; the record starts afresh.
void show_screen();

// ===================== skins.cpp =====================
const int FRAME_SIZE = 32;

// The 18 bitmaps of a skin, in load order.
enum SkinFileIndex {
    SKIN_DOT_TILE, SKIN_WALL_TILE, SKIN_FLOOR_TILE, SKIN_TELEPORT, SKIN_DECOY,
    SKIN_KNOCKED_OUT, SKIN_LIFE_ICON, SKIN_BOOST_ICON, SKIN_DOTS_ICON, SKIN_KNOT_ICON,
    SKIN_LIFE_TILE, SKIN_POWER_TILE, SKIN_DECOY_TILE, SKIN_ARROW_LEFT, SKIN_ARROW_RIGHT,
    SKIN_ENEMY, SKIN_PLAYER, SKIN_POWERED_PLAYER,
    SKIN_FILE_COUNT
};
const int ARROW_WIDTH = 15;                  // the options menu's arrows, as it places them
const int ARROW_HEIGHT = 27;
const int SKIN_STILL_FILES = SKIN_ENEMY;     // the first 15 are kept as they are loaded
enum SkinLoad { SKIN_PLAIN, SKIN_KEYED };    // opaque, or pure green transparent

struct SkinFile {
    const char *name;                        // file name in the skin's directory
    const char *label;                       // a short word for what it shows
    SkinLoad load;
    SDL_Surface **slot;                      // kept in; actors: the right-facing picture
    int width, height;                       // the size the game draws; 0: any
    int other_width;                         // a second width the game takes; 0: none
};
extern const SkinFile SKIN_FILES[SKIN_FILE_COUNT];
extern const char *const FONT_DIRECTORY;     // "data/"
extern const char *const FONT_FILE;          // "font.bmp"
extern const char *const SKIN_PATH_FORMAT;   // "skins/%s/"

void load_skin();                            // font and all 18 bitmaps of skin_list[skin_index]
bool try_load_skin();                        // the same; false (set released, said) when one fails
// skin_list[skin_index], or when it fails the first skin of the list that loads (skin_index
// then names it, with a message); ends the program when no skin loads.
void load_usable_skin();
void free_skin();                            // releases every surface and the font

// ===================== drawing.cpp =====================
SDL_Surface *tile_of(Uint8 code);            // the tile of a cell code, null for none
void draw_cell(Uint8 x, Uint8 y);            // cell of level_map
void draw_maze(const LevelMap &map);
void redraw_cells_in_rect(SDL_Rect rect);    // every level_map cell the rectangle touches

// ===================== play_overlay.cpp =====================
const int FPS_VALUE_X = 60;                  // the frame rate, after its label at x 0
void draw_play_overlay();                    // decoy, enemies, player, status panel
int score_value_x();                         // 18 px after the score label's end
int life_icon_x(int icon);                   // life icons 1, 2, ... after the lives label

// ===================== message_box.cpp =====================
struct Area {                                // a rectangle that may reach past the screen
    int x, y, w, h;
};
Area framed_label_area(const char *text, int top);   // outer rectangle of a framed label
Area message_box_area(const char *text);              // outer rectangle of a message box
Area panel_frame_area(int x, int y, int w, int h);    // outer edge of a panel frame round a box
bool area_on_screen(const Area &area);                // wholly within the screen
void show_message_box(const char *text);     // play screen plus a framed text; no flip
void draw_framed_label(const char *text, int top);  // centred framed string at top
void draw_panel_frame(int x, int y, int w, int h);  // red border 5 px around black, 5 px out
Uint32 red_pixel();                          // pure red in the screen's format

// ===================== run_summary.cpp =====================
void show_run_summary(const char *title);      // the end-of-run box (the caller flips)
int run_summary_width(const char *title);      // its box's width
extern const char *const RUN_SUMMARY_SCORE_FORMAT;   // its score line: the label, the score

// ===================== text_entry.cpp =====================
void text_entry(const char *prompt, char *text);    // text holds 256 bytes; returns on Return
// The frame's event source and waits, run by the screens that read the player's keys below
// the frame: the text entry here and the menus above. The frame layer lies above them both,
// so they come through this one record, which the frame's connect_layers fills.
struct EventWaits {
    const SDL_Event *(*next_event)();          // the next event polled, or null after a rest
    bool (*event_waiting)();                   // an event is queued; nothing is taken
    bool (*quit_asked)();                      // a quit arrived during the quit sequence
    bool (*is_quit_key)(const SDL_Event &e);   // Alt+F4
    void (*request_quit)();                    // starts the quit sequence
    void (*wait_for_focus)();                  // waits for the focus, reloads the skin, flips
    void (*reset_frame_pacer)();               // the pacer starts afresh after the wait
    void (*switch_display)();                  // full screen to a window or back
};

// ---------- Program state: from start-up to the quit sequence ----------
// The skin's sprite set and the font (skins.cpp): replaced whole at each skin load (start-up,
// the options menu, the focus coming back), which writes skin_path and actor_frame_rect
// before it reads them. free_skin is their reset: every surface and the font released and
// null; the quit sequence calls it, and each load before it loads.
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
// The screen that the frame's start-up opens (a display switch replaces it), and the frame
// rate that its pacer measures for the status panel.
extern SDL_Surface *screen;                  // screen_updates.cpp: 1024x768x16, full screen or a window; SDL owns it
extern char fps_text[20];                    // play_overlay.cpp: the last measured rate, "%.1f", 5 characters
// screen_updates.cpp: show_screen sends only the drawn pixels that differ from the picture
// shown (true, the default), or every noted area as drawn: cleared once by a platform whose
// screen is costly to read back (the web build, where a lock copies the whole page canvas).
extern bool compare_shown_picture;

// ---------- Program state: set at start-up by the frame's connect_layers, never reset ----------
extern EventWaits event_waits;               // text_entry.cpp: the frame's waits (see above)

// ---------- Frame state: from one flip to the next (screen_updates.cpp) ----------
// Beyond MOST_NOTED_AREAS separate areas in one frame the whole screen is updated: one
// update of everything costs less than hundreds of small ones.
const int MOST_NOTED_AREAS = 128;
extern SDL_Rect noted[MOST_NOTED_AREAS];     // the areas of `screen` drawn since the last flip
extern int noted_count;
extern bool whole_noted;                     // the whole screen was drawn since the last flip
// Nothing noted; show_screen calls it after each flip or update.
void reset_gfx_frame_state();

// ---------- Scratch: written before it is read, by each drawing that uses it ----------
extern SDL_Rect rect_scratch;                // play_overlay.cpp: blit rectangle of the panel
extern SDL_Rect message_box_rect;            // message_box.cpp: outer rectangle of the box drawn last
