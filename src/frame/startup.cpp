// SPDX-License-Identifier: GPL-3.0-or-later
// startup.cpp: the start-up sequence that main calls: data files, SDL, the lists and the
// configuration, the video mode they choose, skin, menu map, texts and map list, then the first main menu.
#include "frame.h"
#include "files.h"
#include "gfx.h"
#include "menus.h"
#include "sound.h"
#include "world.h"
#include <cstdio>
#include <cstdlib>

const char *const WINDOW_CAPTION = "Gobrant beta";
const char *const MENU_MAP_PATH = "data/menumap.txt";

static const Uint32 MODE_FLAGS = SDL_FULLSCREEN | SDL_DOUBLEBUF;

// Opens the full-screen mode (a window when fullscreen is off) into `screen`: with hardware
// surfaces when the driver has them, and a second time accepting any pixel format when the
// first request is refused.
int set_video_mode()
{
    const SDL_VideoInfo *info = SDL_GetVideoInfo();
    Uint32 flags = fullscreen ? MODE_FLAGS : MODE_FLAGS & ~SDL_FULLSCREEN;
    forget_shown_picture();   // a new mode shows a picture of its own
    if (info && info->hw_available)
        flags |= SDL_HWSURFACE;
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_DEPTH, flags);
    if (!screen)
        screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_DEPTH, flags | SDL_ANYFORMAT);
    return screen ? 0 : 1;
}

// Video only: SDL's clock runs without its timer subsystem, whose thread would wake every
// millisecond for timers the game never sets.
static void start_sdl()
{
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        printf("\nERROR inicializace SDL %s", SDL_GetError());
        exit(1);
    }
}

static void open_screen()
{
    if (set_video_mode() != 0) {
        printf("ERROR nahozeni grafiky%s\n", SDL_GetError());
        exit(1);
    }
    SDL_WM_SetCaption(WINDOW_CAPTION, nullptr);
    SDL_ShowCursor(SDL_DISABLE);
}

// Reads a list that the game cannot run without; an empty one ends start-up before the
// configuration is read, so the quit sequence leaves the stored files alone.
static void read_required_list(const char *path, std::vector<std::string> &list, const char *what)
{
    read_list(path, list);
    if (list.empty()) {
        printf("ERROR no %s in %s\n", what, path);
        exit(1);
    }
}

static void read_menu_map()
{
    FILE *file = open_text_file(MENU_MAP_PATH);
    if (!file)
        exit(1);
    read_map(menu_map, file);
    fclose(file);
}

void start_game()
{
    connect_layers();
    read_high_scores(HIGH_SCORES_PATH);
    start_sdl();
    atexit(shutdown_game);
    open_gamepad();
    read_required_list(SKIN_LIST_PATH, skin_list, "skins");
    read_required_list(LANGUAGE_LIST_PATH, language_list, "languages");
    read_config(CONFIG_PATH);
    open_screen();   // after the configuration, which chooses full screen or a window
    load_usable_skin();
    open_sound();   // after the lists and settings, so that their faults come first
    // Opening audio may register exit handlers of its own, which would run before the quit
    // sequence (on sdl12-compat, Alt+F4 in play then ended the game without its name entry):
    // the sequence is registered once more, to run first (its second run returns at once).
    atexit(shutdown_game);
    load_skin_sounds();
    reset_program_state();
    read_menu_map();
    load_texts();
    read_map_list(MAP_LIST_PATH);
    if (!play_test_run)
        main_menu();
    else if (new_game() != 0)
        exit(1);
}
