// shutdown.cpp: the quit sequence that atexit runs on every exit after SDL has started, and
// request_quit, which the quit keys and quit events of every screen call.
#include "frame.h"
#include "files.h"
#include "gfx.h"
#include "world.h"
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
// run, so the table in memory holds nothing the file lacks).
static void write_back_files()
{
    if (high_scores_read && config_read)
        write_high_scores(HIGH_SCORES_PATH);
    if (config_read)
        write_config(CONFIG_PATH);
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

// Reads and writes quit_in_progress; everything start-up loaded is released.
void shutdown_game()
{
    if (quit_in_progress)
        return;
    quit_in_progress = true;
    offer_high_score();
    write_back_files();
    release_everything();
    SDL_Quit();
    screen = nullptr;
}

void request_quit()
{
    if (quit_in_progress) {
        quit_requested = true;
        return;
    }
    exit(0);
}
