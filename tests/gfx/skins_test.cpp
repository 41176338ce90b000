// SPDX-License-Identifier: GPL-3.0-or-later
// skins_test.cpp: loading a scratch skin: which file fills which slot, the derived actor
// pictures, the first missing file, and reloads that release the previous set.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "test_support.h"

namespace {

const char *const SKIN = "scratch";

// Files 1 to 15 in load order with the slot each must end in.
std::vector<SkinFile> still_files() { return {SKIN_FILES, SKIN_FILES + SKIN_STILL_FILES}; }

// File i's flat colour; the red steps keep the colours apart in 16 bits.
SDL_Color still_colour(int i) { return {Uint8(8 + 8 * i), 200, 64, 0}; }

// A block pattern that tells every 8x8 block of a strip apart, so any turn or mirror shows.
SDL_Color pattern_colour(int x, int y, int seed)
{
    return {Uint8((x / 8) * 32), Uint8((y / 8) * 60 + seed * 4), 100, 0};
}

std::string skin_file(const char *name) { return std::string("skins/") + SKIN + "/" + name; }

void save_pattern(const char *name, int width, int seed)
{
    SDL_Surface *s = rgb_surface(width, 32);
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < width; x++) {
            SDL_Color c = pattern_colour(x, y, seed);
            fill_area(s, x, y, 1, 1, SDL_MapRGB(s->format, c.r, c.g, c.b));
        }
    save_bmp(s, skin_file(name));
}

// A tiny font sheet: glyph '!' between two markers.
void save_font_sheet()
{
    SDL_Surface *s = rgb_surface(20, 8);
    fill_area(s, 0, 0, 2, 1, SDL_MapRGB(s->format, 255, 0, 255));
    fill_area(s, 9, 0, 2, 1, SDL_MapRGB(s->format, 255, 0, 255));
    save_bmp(s, "data/font.bmp");
}

void save_enemy(int width) { save_pattern(SKIN_FILES[SKIN_ENEMY].name, width, 1); }

// Enters a fresh working tree with data/font.bmp and a complete skin "scratch".
std::string make_scratch_skin(int enemy_width)
{
    open_test_screen();
    std::string root = enter_scratch_tree(false);
    mkdir("data", 0755);
    mkdir("skins", 0755);
    mkdir(("skins/" + std::string(SKIN)).c_str(), 0755);
    save_font_sheet();
    for (int i = 0; i < SKIN_STILL_FILES; i++) {
        SDL_Color c = still_colour(i);
        save_flat_bmp(skin_file(SKIN_FILES[i].name), 32, 32, c.r, c.g, c.b);
    }
    save_enemy(enemy_width);
    save_pattern(SKIN_FILES[SKIN_PLAYER].name, 64, 2);
    save_pattern(SKIN_FILES[SKIN_POWERED_PLAYER].name, 64, 3);
    skin_list = {"other", SKIN};
    skin_index = 1;
    return root;
}

void leave_skin_tree(const std::string &root)
{
    free_skin();
    leave_scratch_tree(root);
}

Uint32 screen_colour(SDL_Color c) { return SDL_MapRGB(screen->format, c.r, c.g, c.b); }

// Every frame pixel (u, v) of `from` shows at the place `place` gives in `to`.
template <typename Place>
void expect_frames_moved(SDL_Surface *from, SDL_Surface *to, Place place, const char *what)
{
    ASSERT_EQ(from->w, to->w) << what;
    for (int base = 0; base < from->w; base += 32)
        for (int v = 0; v < 32; v++)
            for (int u = 0; u < 32; u++) {
                int x, y;
                place(u, v, x, y);
                ASSERT_EQ(locked_pixel(from, base + u, v), locked_pixel(to, base + x, y))
                    << what << " at frame " << base / 32 << " pixel " << u << "," << v;
            }
}

void turned(int u, int v, int &x, int &y) { x = 31 - v, y = u; }
void mirrored(int u, int v, int &x, int &y) { x = 31 - u, y = v; }
void three_turns(int u, int v, int &x, int &y) { x = v, y = 31 - u; }

TEST(Skins, EveryFileLandsInItsSlot)
{
    std::string root = make_scratch_skin(32);
    actor_frame_rect = {32, 7, 1, 1};
    load_skin();
    EXPECT_STREQ("skins/scratch/", skin_path);
    EXPECT_EQ(32, actor_frame_rect.x);
    EXPECT_EQ(0, actor_frame_rect.y);
    EXPECT_EQ(32, actor_frame_rect.w);
    EXPECT_EQ(32, actor_frame_rect.h);
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(7, font_text_width(font, "!"));
    EXPECT_EQ(7, font_height(font));
    for (int i = 0; i < SKIN_STILL_FILES; i++) {
        SDL_Surface *s = *SKIN_FILES[i].slot;
        ASSERT_NE(nullptr, s) << SKIN_FILES[i].name;
        EXPECT_EQ(screen_colour(still_colour(i)), locked_pixel(s, 5, 5)) << SKIN_FILES[i].name;
    }
    for (int keyed : {5, 6, 13, 14})
        EXPECT_TRUE((*SKIN_FILES[keyed].slot)->flags & SDL_SRCCOLORKEY) << SKIN_FILES[keyed].name;
    EXPECT_FALSE(tile_sprites[1]->flags & SDL_SRCCOLORKEY);

    // A one-frame enemy is not turned: it is drawn as it is in every direction.
    ASSERT_NE(nullptr, enemy_sprites[1]);
    for (int direction = 2; direction <= 4; direction++)
        EXPECT_EQ(nullptr, enemy_sprites[direction]) << direction;
    leave_skin_tree(root);
}

TEST(Skins, ActorPicturesForEveryDirection)
{
    std::string root = make_scratch_skin(64);
    load_skin();
    for (SDL_Surface **set : {enemy_sprites, player_sprites, player_power_sprites})
        for (int direction = 1; direction <= 4; direction++) {
            ASSERT_NE(nullptr, set[direction]);
            EXPECT_EQ(64, set[direction]->w);
            EXPECT_EQ(32, set[direction]->h);
        }
    expect_frames_moved(enemy_sprites[1], enemy_sprites[2], turned, "enemy down");
    expect_frames_moved(enemy_sprites[2], enemy_sprites[3], turned, "enemy left");
    expect_frames_moved(enemy_sprites[1], enemy_sprites[4], three_turns, "enemy up");
    for (SDL_Surface **set : {player_sprites, player_power_sprites}) {
        expect_frames_moved(set[1], set[2], turned, "player down");
        expect_frames_moved(set[1], set[3], mirrored, "player left");
        expect_frames_moved(set[3], set[4], turned, "player up");
    }
    SDL_Color corner = pattern_colour(0, 0, 2);
    EXPECT_EQ(screen_colour(corner), locked_pixel(player_sprites[3], 31, 0));   // upright
    EXPECT_NE(locked_pixel(player_sprites[1], 5, 5), locked_pixel(player_power_sprites[1], 5, 5));
    leave_skin_tree(root);
}

// Takes an extra reference on every surface of the set so a release can be counted.
std::vector<SDL_Surface *> hold_every_surface()
{
    std::vector<SDL_Surface *> held;
    for (const SkinFile &file : still_files())
        held.push_back(*file.slot);
    for (SDL_Surface **set : {enemy_sprites, player_sprites, player_power_sprites})
        for (int direction = 1; direction <= 4; direction++)
            held.push_back(set[direction]);
    held.push_back(font->sheet);
    for (SDL_Surface *s : held)
        s->refcount++;
    return held;
}

// The reload let go of its own reference on every surface `hold_every_surface` held.
void expect_released(const std::vector<SDL_Surface *> &held)
{
    for (SDL_Surface *s : held) {
        EXPECT_EQ(1, s->refcount);
        SDL_FreeSurface(s);
    }
}

std::vector<std::vector<Uint32>> look_of_every_surface()
{
    std::vector<std::vector<Uint32>> look;
    for (const SkinFile &file : still_files())
        look.push_back(all_pixels(*file.slot));
    for (SDL_Surface **set : {enemy_sprites, player_sprites, player_power_sprites})
        for (int direction = 1; direction <= 4; direction++)
            look.push_back(set[direction] ? all_pixels(set[direction]) : std::vector<Uint32>());
    return look;
}

TEST(Skins, ReloadReleasesThePreviousSetAndLooksTheSame)
{
    std::string root = make_scratch_skin(64);
    load_skin();
    auto first_look = look_of_every_surface();
    for (int reload = 0; reload < 2; reload++) {
        std::vector<SDL_Surface *> old = hold_every_surface();
        load_skin();
        EXPECT_EQ(first_look, look_of_every_surface());
        expect_released(old);
        for (const SkinFile &file : still_files())
            EXPECT_EQ(old.end(), std::find(old.begin(), old.end(), *file.slot));
    }

    // The skin now has a one-frame enemy: the turned slots of the old strip are cleared.
    save_enemy(32);
    std::vector<SDL_Surface *> old = hold_every_surface();
    load_skin();
    expect_released(old);
    EXPECT_EQ(32, enemy_sprites[1]->w);
    EXPECT_EQ(nullptr, enemy_sprites[2]);
    EXPECT_EQ(nullptr, enemy_sprites[4]);

    free_skin();
    for (const SkinFile &file : still_files())
        EXPECT_EQ(nullptr, *file.slot);
    for (SDL_Surface **set : {enemy_sprites, player_sprites, player_power_sprites})
        for (int direction = 1; direction <= 4; direction++)
            EXPECT_EQ(nullptr, set[direction]);
    EXPECT_EQ(nullptr, font);
    free_skin();   // twice is harmless
    leave_skin_tree(root);
}

// Runs load_skin in a child with its standard output on standard error for the matcher.
void load_skin_to_stderr()
{
    stdout_to_stderr();
    load_skin();
}

TEST(SkinsDeathTest, FirstMissingFileIsNamed)
{
    std::string root = make_scratch_skin(32);
    unlink(skin_file("zrani.bmp").c_str());
    unlink(skin_file("boost.bmp").c_str());
    EXPECT_EXIT(load_skin_to_stderr(), testing::ExitedWithCode(1),
                "ERROR nacteni obrazku:skins/scratch/boost\\.bmp\n");
    unlink(skin_file("zed.bmp").c_str());
    EXPECT_EXIT(load_skin_to_stderr(), testing::ExitedWithCode(1),
                "ERROR nacteni obrazku:skins/scratch/zed\\.bmp\n");
    write_file("data/font.bmp", "not a bitmap");
    EXPECT_EXIT(load_skin_to_stderr(), testing::ExitedWithCode(1),
                "ERROR nacteni obrazku:data/font\\.bmp\n");
    skin_list.clear();
    save_font_sheet();
    EXPECT_EXIT(load_skin_to_stderr(), testing::ExitedWithCode(1),
                "ERROR nacteni skinu:skins/skins\\.txt\n");
    leave_skin_tree(root);
}

TEST(Skins, IndexPastTheListFallsBackToTheFirstSkin)
{
    std::string root = make_scratch_skin(32);
    skin_list = {SKIN};
    skin_index = 3;
    load_skin();
    EXPECT_STREQ("skins/scratch/", skin_path);
    leave_skin_tree(root);
}

}  // namespace
