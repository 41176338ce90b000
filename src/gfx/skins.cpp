// SPDX-License-Identifier: GPL-3.0-or-later
// skins.cpp: the sprite set of the skin in use and the font; loaded at start-up, after a
// regained focus and by the options menu, released by the quit sequence.
#include "gfx.h"
#include "files.h"
#include "world.h"
#include <cstdint>
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

const char *const FONT_DIRECTORY = "data/";
const char *const FONT_FILE = "font.bmp";
const char *const SKIN_PATH_FORMAT = "skins/%s/";

// Tiles and panel icons fill their 32 by 32 cell; the actors are strips of 32 by 32 frames,
// two for the player, one or two for the enemy.
const SkinFile SKIN_FILES[SKIN_FILE_COUNT] = {
    {"sperminka.bmp", "dot", SKIN_PLAIN, &tile_sprites[CELL_DOT], FRAME_SIZE, FRAME_SIZE, 0},
    {"zed.bmp", "wall", SKIN_PLAIN, &tile_sprites[CELL_WALL], FRAME_SIZE, FRAME_SIZE, 0},
    {"tecka1.bmp", "floor", SKIN_PLAIN, &tile_sprites[CELL_FLOOR], FRAME_SIZE, FRAME_SIZE, 0},
    {"teleport.bmp", "tport", SKIN_PLAIN, &teleport_sprite, FRAME_SIZE, FRAME_SIZE, 0},
    {"maketa.bmp", "decoy", SKIN_PLAIN, &decoy_sprite, FRAME_SIZE, FRAME_SIZE, 0},
    {"smrt.bmp", "out", SKIN_KEYED, &death_sprite, FRAME_SIZE, FRAME_SIZE, 0},
    {"gumex.bmp", "life", SKIN_KEYED, &life_icon, FRAME_SIZE, FRAME_SIZE, 0},
    {"boost.bmp", "boost", SKIN_PLAIN, &boost_icon, FRAME_SIZE, FRAME_SIZE, 0},
    {"sperminka1.bmp", "dots", SKIN_PLAIN, &dots_icon, FRAME_SIZE, FRAME_SIZE, 0},
    {"uzlik.bmp", "knot", SKIN_PLAIN, &knot_icon, FRAME_SIZE, FRAME_SIZE, 0},
    {"pluszivot.bmp", "life+", SKIN_PLAIN, &tile_sprites[CELL_LIFE], FRAME_SIZE, FRAME_SIZE, 0},
    {"zrani.bmp", "power", SKIN_PLAIN, &tile_sprites[CELL_POWER], FRAME_SIZE, FRAME_SIZE, 0},
    {"maketar.bmp", "decoy+", SKIN_PLAIN, &tile_sprites[CELL_DECOY], FRAME_SIZE, FRAME_SIZE, 0},
    {"sipkal.bmp", "left", SKIN_KEYED, &arrow_left_sprite, ARROW_WIDTH, ARROW_HEIGHT, 0},
    {"sipkap.bmp", "right", SKIN_KEYED, &arrow_right_sprite, ARROW_WIDTH, ARROW_HEIGHT, 0},
    {"nuzky.bmp", "enemy", SKIN_KEYED, &enemy_sprites[DIR_RIGHT], FRAME_SIZE, FRAME_SIZE, 2 * FRAME_SIZE},
    {"guma.bmp", "player", SKIN_KEYED, &player_sprites[DIR_RIGHT], 2 * FRAME_SIZE, FRAME_SIZE, 0},
    {"gumazrani.bmp", "powered", SKIN_KEYED, &player_power_sprites[DIR_RIGHT], 2 * FRAME_SIZE,
     FRAME_SIZE, 0},
};

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
    for (int i = 0; i < SKIN_STILL_FILES; i++)
        release(*SKIN_FILES[i].slot);
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

static SDL_Surface *load_skin_file(int index)
{
    const SkinFile &file = SKIN_FILES[index];
    return file.load == SKIN_KEYED ? read_keyed_bitmap(skin_path, file.name)
                                   : read_bitmap(skin_path, file.name);
}

// The enemy faces right in its picture; an animated strip (wider than one frame) also gets
// its turned copies for down, left (upside down) and up. A single frame is drawn unturned.
static bool load_enemy()
{
    enemy_sprites[DIR_RIGHT] = load_skin_file(SKIN_ENEMY);
    if (!enemy_sprites[DIR_RIGHT])
        return false;
    if (enemy_sprites[DIR_RIGHT]->w <= FRAME_SIZE)
        return true;
    for (int direction = DIR_RIGHT + 1; direction <= DIR_UP; direction++)
        enemy_sprites[direction] = turn_frames(enemy_sprites[direction - 1]);
    return true;
}

// The player stays upright facing left: that copy is mirrored, the up copy is turned from it.
static bool load_player(int file, SDL_Surface *sprites[5])
{
    sprites[DIR_RIGHT] = load_skin_file(file);
    if (!sprites[DIR_RIGHT])
        return false;
    sprites[DIR_DOWN] = turn_frames(sprites[DIR_RIGHT]);
    sprites[DIR_LEFT] = mirror_frames(sprites[DIR_RIGHT]);
    sprites[DIR_UP] = turn_frames(sprites[DIR_LEFT]);
    return true;
}

// Loads the font and every picture of skin_list[skin_index] into the sprite set (writes
// every global of this file), releasing what an earlier load left there. A picture that
// cannot be read is reported, the whole set is released and the answer is false. The font
// is the game's own, not the skin's: a font that cannot be read ends the program.
bool try_load_skin()
{
    free_skin();
    load_font();
    snprintf(skin_path, sizeof skin_path, SKIN_PATH_FORMAT, chosen_skin_name().c_str());
    bool loaded = true;
    for (int i = 0; i < SKIN_STILL_FILES && loaded; i++)
        loaded = (*SKIN_FILES[i].slot = load_skin_file(i)) != nullptr;
    actor_frame_rect.y = 0;
    actor_frame_rect.w = FRAME_SIZE;
    actor_frame_rect.h = FRAME_SIZE;
    loaded = loaded && load_enemy() && load_player(SKIN_PLAYER, player_sprites)
          && load_player(SKIN_POWERED_PLAYER, player_power_sprites);
    if (!loaded)
        free_skin();
    return loaded;
}

void load_skin()
{
    if (!try_load_skin())
        exit(1);
}

void load_usable_skin()
{
    if (try_load_skin())
        return;
    std::string refused = chosen_skin_name();
    Uint8 configured = skin_index;
    for (size_t i = 0; i < skin_list.size() && i <= UINT8_MAX; i++) {
        skin_index = (Uint8)i;
        if (skin_list[i] != refused && try_load_skin()) {
            printf("ERROR skin %s cannot be used, using %s\n", refused.c_str(), skin_list[i].c_str());
            return;
        }
    }
    skin_index = configured;
    printf("ERROR no skin of %s can be used\n", SKIN_LIST_PATH);
    exit(1);
}
