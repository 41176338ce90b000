// SPDX-License-Identifier: GPL-3.0-or-later
// autoplay.cpp: runs the automatic player over levels headless and reports, per level, the
// share of runs cleared, the median time to clear, and catches, lives lost, power charges,
// decoys and boosts per run.
//
//   autoplay CONTENT_DIR [--runs N] [--seed S] [--frames N] [--replay FILE] [--each] [MAP...]
//
// Without maps it plays every map of the content's map list. Each map is played N times
// (default 10) with the game seeds S, S+1, ... (default 1), each run within N frames.
// --replay writes the first cleared run of the first map as a run file for the replay tool;
// --each adds a line for every run after its level's line, for a level maker to see which
// seeds went wrong.
// The output is one tab-separated line a level after a header line; the status is 1 when a
// level was never cleared.
#include "autoplay.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "world.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

static void fail(const std::string &what)
{
    fprintf(stderr, "autoplay: %s\n", what.c_str());
    exit(2);
}

// The content tree opened headless the way start-up does, without writing anything back.
static void open_content(const char *dir)
{
    if (chdir(dir) != 0)
        fail(std::string("no content tree at ") + dir);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || set_video_mode() != 0)
        fail(std::string("no video: ") + SDL_GetError());
    read_list(SKIN_LIST_PATH, skin_list);
    read_list(LANGUAGE_LIST_PATH, language_list);
    read_config(CONFIG_PATH);
    load_skin();
    load_texts();
    read_map_list(MAP_LIST_PATH);
}

int main(int argc, char **argv)
{
    if (argc < 2)
        fail("usage: autoplay CONTENT_DIR [--runs N] [--seed S] [--frames N] [--replay FILE] [--each] [MAP...]");
    int runs = 10, frames = AUTOPLAY_FRAME_BUDGET;
    unsigned seed = 1;
    std::string replay_path;
    bool each = false;
    std::vector<std::string> maps;
    char cwd[4096];
    std::string here = getcwd(cwd, sizeof cwd) ? cwd : ".";
    for (int i = 2; i < argc; i++) {
        std::string arg = argv[i];
        bool has_value = i + 1 < argc;
        if (arg == "--runs" && has_value) runs = atoi(argv[++i]);
        else if (arg == "--seed" && has_value) seed = strtoul(argv[++i], nullptr, 10);
        else if (arg == "--frames" && has_value) frames = atoi(argv[++i]);
        else if (arg == "--replay" && has_value) replay_path = argv[++i];
        else if (arg == "--each") each = true;
        else if (arg.rfind("--", 0) == 0) fail("unknown option " + arg);
        else maps.push_back(arg);
    }
    if (runs <= 0 || frames <= 0)
        fail("--runs and --frames must be above 0");
    if (!replay_path.empty() && replay_path[0] != '/')
        replay_path = here + "/" + replay_path;
    open_content(argv[1]);
    if (maps.empty())
        maps = map_list;
    printf("map\tcleared\truns\tmedian_s\tcatches\tlives_lost\tpower\tdecoys\tboosts\tdifficulty\tstuck\n");
    int status = 0;
    for (size_t m = 0; m < maps.size(); m++) {
        AutoplayReport r = autoplay_level(maps[m], runs, seed, frames);
        char stuck[32] = "-";
        if (r.stuck_x >= 0)
            snprintf(stuck, sizeof stuck, "%d,%d", r.stuck_x, r.stuck_y);
        printf("%s\t%d\t%d\t%.1f\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\t%s\n", r.map.c_str(), r.cleared,
               r.runs, r.median_seconds, r.catches, r.lives_lost, r.power, r.decoys, r.boosts,
               r.difficulty, stuck);
        fflush(stdout);
        if (each)
            for (const AutoplayRun &run : r.each)
                printf("%s seed %u: %s in %d frames, %d catches, %d lives lost, %d knots, "
                       "%d power, %d decoys, %d boosts, %d teleports, %d dots left\n",
                       maps[m].c_str(), run.seed, run.cleared ? "cleared" : "lost", run.frames,
                       run.catches, run.lives_lost, run.knots, run.power, run.decoys, run.boosts,
                       run.teleports, run.dots_left);
        status |= r.cleared == 0;
        if (m == 0 && !replay_path.empty()) {
            auto first_clear = std::find_if(r.each.begin(), r.each.end(),
                                            [](const AutoplayRun &run) { return run.cleared; });
            if (first_clear == r.each.end())
                fail("no run of " + maps[m] + " cleared it: no replay written");
            std::ofstream(replay_path) << autoplay_replay_file(maps[m], *first_clear);
        }
    }
    return status;
}
