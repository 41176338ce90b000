// shutdown.cpp: the quit sequence that atexit runs on every exit after SDL has started, and
// request_quit, which the quit keys and quit events of every screen call.
#include "frame.h"
#include "files.h"
#include "gfx.h"
#include "sound.h"
#include "world.h"
#include <cstdio>
#include <cstdlib>

bool quit_in_progress = false;
bool quit_requested = false;

// The running score's chance in the table needs the name entry, and so the font and screen.
static void offer_high_score()
{
    if (font && screen)
        enter_high_score();
}

// Writes back only what was read from the stored files: the configuration once read_config
// has read it, the table once the configuration was read too (before that no game can have
// run, so the table in memory holds nothing the file lacks). Both saves are tried; true when
// either failed.
static bool write_back_files()
{
    bool failed = false;
    if (high_scores_read && config_read)
        failed |= write_high_scores(HIGH_SCORES_PATH) != 0;
    if (config_read)
        failed |= write_config(CONFIG_PATH) != 0;
    return failed;
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

// Reads and writes quit_in_progress; everything start-up loaded is released. A stored file
// that could not be written ends the process with status 1 once everything is released: the
// sequence runs inside exit, where calling exit again is undefined behaviour, so it flushes
// its messages itself and uses _Exit.
void shutdown_game()
{
    if (quit_in_progress)
        return;
    quit_in_progress = true;
    offer_high_score();
    bool save_failed = write_back_files();
    release_everything();
    close_sound();
    SDL_Quit();
    screen = nullptr;
    if (save_failed) {
        fflush(stdout);
        _Exit(1);
    }
}

void request_quit()
{
    if (quit_in_progress) {
        quit_requested = true;
        return;
    }
    exit(0);
}
