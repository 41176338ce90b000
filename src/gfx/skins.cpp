// skins.cpp: the sprite set of the skin in use and the font; loaded at start-up, after a
// regained focus and by the options menu, released by the quit sequence.
#include "gfx.h"
#include "files.h"
#include "world.h"
#include <cstdio>
#include <cstdlib>

SDL_Surface *tile_sprites[6];
SDL_Surface *teleport_sprite;
SDL_Surface *death_sprite;
SDL_Surface *life_icon;
SDL_Surface *dots_icon;
SDL_Surface *boost_icon;
SDL_Surface *knot_icon;
SDL_Surface *decoy_sprite;
SDL_Surface *arrow_left_sprite;
SDL_Surface *arrow_right_sprite;
SDL_Surface *player_sprites[5];
SDL_Surface *player_power_sprites[5];
SDL_Surface *enemy_sprites[5];
SDL_Rect actor_frame_rect;
char skin_path[256];
BitmapFont *font;

static const char *const FONT_DIRECTORY = "data/";
static const char *const FONT_FILE = "font.bmp";
const char *const SKIN_PATH_FORMAT = "skins/%s/";

enum BitmapLoad { PLAIN, KEYED };

// Files 1 to 15 of a skin, in load order: the first missing one is the one the error names.
static const struct {
    const char *name;
    BitmapLoad load;
    SDL_Surface **slot;
} STILL_PICTURES[] = {
    {"sperminka.bmp", PLAIN, &tile_sprites[0]},
    {"zed.bmp", PLAIN, &tile_sprites[1]},
    {"tecka1.bmp", PLAIN, &tile_sprites[2]},
    {"teleport.bmp", PLAIN, &teleport_sprite},
    {"maketa.bmp", PLAIN, &decoy_sprite},
    {"smrt.bmp", KEYED, &death_sprite},
    {"gumex.bmp", KEYED, &life_icon},
    {"boost.bmp", PLAIN, &boost_icon},
    {"sperminka1.bmp", PLAIN, &dots_icon},
    {"uzlik.bmp", PLAIN, &knot_icon},
    {"pluszivot.bmp", PLAIN, &tile_sprites[3]},
    {"zrani.bmp", PLAIN, &tile_sprites[5]},
    {"maketar.bmp", PLAIN, &tile_sprites[4]},
    {"sipkal.bmp", KEYED, &arrow_left_sprite},
    {"sipkap.bmp", KEYED, &arrow_right_sprite},
};

static const char *const ENEMY_FILE = "nuzky.bmp";
const char *const PLAYER_FILE = "guma.bmp";
static const char *const PLAYER_POWER_FILE = "gumazrani.bmp";

// Releases one surface slot and empties it.
static void release(SDL_Surface *&slot)
{
    SDL_FreeSurface(slot);
    slot = nullptr;
}

static void release_directions(SDL_Surface *sprites[5])
{
    for (int direction = DIR_RIGHT; direction <= DIR_UP; direction++)
        release(sprites[direction]);
}

// Frees every surface of the sprite set and the font and nulls their pointers; safe on a
// partly loaded or already released set.
void free_skin()
{
    for (const auto &file : STILL_PICTURES)
        release(*file.slot);
    release_directions(player_sprites);
    release_directions(player_power_sprites);
    release_directions(enemy_sprites);
    font_free(font);
    font = nullptr;
}

static void load_font()
{
    font = font_init(load_bitmap(FONT_DIRECTORY, FONT_FILE));
    if (!font) {
        puts("ERROR nacteni fontu");
        exit(1);
    }
}

// The skin in use is skin_list[skin_index]; an index past the list falls back to the first
// skin, and an empty list ends the program since nothing could be drawn.
static const std::string &chosen_skin_name()
{
    if (skin_list.empty()) {
        printf("ERROR nacteni skinu:%s\n", SKIN_LIST_PATH);
        exit(1);
    }
    return skin_list[skin_index < skin_list.size() ? skin_index : 0];
}

static SDL_Surface *load_skin_bitmap(const char *name, BitmapLoad load)
{
    return load == KEYED ? load_keyed_bitmap(skin_path, name) : load_bitmap(skin_path, name);
}

// The enemy faces right in its picture; an animated strip (wider than one frame) also gets
// its turned copies for down, left (upside down) and up. A single frame is drawn unturned.
static void load_enemy()
{
    enemy_sprites[DIR_RIGHT] = load_keyed_bitmap(skin_path, ENEMY_FILE);
    if (enemy_sprites[DIR_RIGHT]->w <= FRAME_SIZE)
        return;
    for (int direction = DIR_RIGHT + 1; direction <= DIR_UP; direction++)
        enemy_sprites[direction] = turn_frames(enemy_sprites[direction - 1]);
}

// The player stays upright facing left: that copy is mirrored, the up copy is turned from it.
static void load_player(const char *name, SDL_Surface *sprites[5])
{
    sprites[DIR_RIGHT] = load_keyed_bitmap(skin_path, name);
    sprites[DIR_DOWN] = turn_frames(sprites[DIR_RIGHT]);
    sprites[DIR_LEFT] = mirror_frames(sprites[DIR_RIGHT]);
    sprites[DIR_UP] = turn_frames(sprites[DIR_LEFT]);
}

// Loads the font and every picture of skin_list[skin_index] into the sprite set (writes
// every global of this file), releasing what an earlier load left there.
void load_skin()
{
    free_skin();
    load_font();
    snprintf(skin_path, sizeof skin_path, SKIN_PATH_FORMAT, chosen_skin_name().c_str());
    for (const auto &file : STILL_PICTURES)
        *file.slot = load_skin_bitmap(file.name, file.load);
    actor_frame_rect.y = 0;
    actor_frame_rect.w = FRAME_SIZE;
    actor_frame_rect.h = FRAME_SIZE;
    load_enemy();
    load_player(PLAYER_FILE, player_sprites);
    load_player(PLAYER_POWER_FILE, player_power_sprites);
}
