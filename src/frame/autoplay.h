// SPDX-License-Identifier: GPL-3.0-or-later
// autoplay.h: the automatic player: plays one level through the play keys on real frames of
// the test clock, the way a fair human would, and measures how hard the level is.
#pragma once
#include <SDL.h>
#include <string>
#include <vector>

// No program-wide variables of its own: a run's state lives in its records, and the game's
// state it plays in is the world's and the frame's (world.h, frame.h).
const Uint32 AUTOPLAY_CLOCK_START = 1000;   // the test clock's first reading, as in a replay
const int AUTOPLAY_FRAME_BUDGET = 30000;    // frames a run may take before it counts as lost

// What one run of a level went through.
struct AutoplayRun {
    unsigned seed = 0;              // the game's random seed of the run
    bool cleared = false;
    bool hopeless = false;          // a dot no way leads to: the run gave up at once
    int frames = 0;                 // frames played (to the clear when cleared)
    int catches = 0, lives_lost = 0, knots = 0;
    int power = 0, decoys = 0, boosts = 0, teleports = 0;
    int dots_left = 0;
    int stuck_x = -1, stuck_y = -1; // a dot it never reached, when not cleared
    std::string script;             // the keys pressed, as replay run-file lines
};

// What the runs of one level over several seeds give.
struct AutoplayReport {
    std::string map;
    int runs = 0, cleared = 0;
    double median_seconds = 0;      // of the cleared runs
    double catches = 0, lives_lost = 0, power = 0, decoys = 0, boosts = 0;   // per run
    int stuck_x = -1, stuck_y = -1; // where the first lost run got stuck
    double difficulty = 0;          // one number to plot along the campaign
    std::vector<AutoplayRun> each;  // every run, in seed order
};

// Plays maps/<map> once with the game's random seed `seed`. The content tree must be the
// working directory with the screen, skin, configuration and texts loaded; the stocks are
// reset to the start stock. Leaves the test clock running.
AutoplayRun autoplay_run(const std::string &map, unsigned seed, int frame_budget = AUTOPLAY_FRAME_BUDGET);
// autoplay_run over the seeds first_seed, first_seed + 1, ... and their summary.
AutoplayReport autoplay_level(const std::string &map, int runs, unsigned first_seed = 1,
                              int frame_budget = AUTOPLAY_FRAME_BUDGET);
// The run file of a replay that plays `run` again on the content's list from `map` on.
std::string autoplay_replay_file(const std::string &map, const AutoplayRun &run);
