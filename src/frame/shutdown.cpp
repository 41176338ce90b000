// SPDX-License-Identifier: GPL-3.0-or-later
// shutdown.cpp: the quit sequence that atexit runs on every exit after SDL has started, and
// request_quit, which the quit keys, quit items and quit events of every screen call.
#include "frame.h"
#include "files.h"
#include "gfx.h"
#include "sound.h"
#include "world.h"
#include <cstdio>
#include <cstdlib>

bool quit_in_progress = false;
bool quit_requested = false;
bool exit_cannot_wait = false;
bool shut_down = false;

// The running score's chance in the table. The name entry needs the font and the screen, and
// a wait for keys, which inside exit some platforms cannot do (exit_cannot_wait); without
// them the score enters under the configured name, so that it is not lost.
static void offer_high_score(bool inside_exit)
{
    if (play_test_run)
        return;
    if (font && screen && !(inside_exit && exit_cannot_wait))
        enter_high_score();
    else
        enter_high_score_unasked();
}

static void release_strings(std::vector<std::string> &list)
{
    list.clear();
    list.shrink_to_fit();
}

static void release_everything()
{
    release_strings(language_list);
    release_strings(skin_list);
    for (std::string &text : texts)
        std::string().swap(text);
    release_strings(map_list);
    std::vector<Actor>().swap(enemies);
    enemy_count = 0;
    for (auto &entry : high_scores)
        std::string().swap(entry.first);
    free_skin();
}

// Reads and writes quit_in_progress; everything start-up loaded is released. An exit that did
// not come through request_quit (a fatal error) offers the name entry here, or, where nothing
// can wait inside exit, enters the score unasked. A stored file
// that could not be written ends the process with status 1 once everything is released: the
// sequence runs inside exit, where calling exit again is undefined behaviour, so it flushes
// its messages itself and uses _Exit. When the X display has gone away (Xlib then calls exit
// itself), the score enters the table under the configured name without drawing, the files
// are saved and the process ends with status 1 at once, before SDL touches the display.
void shutdown_game()
{
    if (shut_down)
        return;
    shut_down = true;
    if (display_gone()) {
        quit_in_progress = true;
        puts("ERROR the display has gone away");
        enter_high_score_unasked();
        save_stored_files();
        fflush(stdout);
        _Exit(1);
    }
    if (!quit_in_progress) {
        quit_in_progress = true;
        offer_high_score(true);
    }
    bool save_failed = save_stored_files() != 0;
    release_everything();
    close_sound();
    SDL_Quit();
    screen = nullptr;
    if (save_failed) {
        fflush(stdout);
        _Exit(1);
    }
}

// The name entry runs before exit, where a platform that cannot wait inside exit (the web
// build) can still run it.
void request_quit()
{
    if (quit_in_progress) {
        quit_requested = true;
        return;
    }
    quit_in_progress = true;
    offer_high_score(false);
    exit(0);
}
