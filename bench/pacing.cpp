// SPDX-License-Identifier: GPL-3.0-or-later
// pacing.cpp: frames of real play (a fixed-seed random player on the first level) on the
// real clock and the dummy driver: how far each flip lands from its slot's grid point
// (median, 99.9th percentile, worst) and the processor time the process uses per second
// of play. Then the machine's own part, without the game: as many bare sleeps on the same
// grid, and how late the machine wakes them, which bounds what any sleeping pacer can do.
// Run as: gobrant_pacing [frames, 2000 by default].
#include "bench_support.h"
#include "files.h"
#include "frame.h"
#include "world.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

const int DEFAULT_FRAMES = 2000;
const double GOAL_MS = 1.0;   // a flip within this of its grid point is on time

std::vector<double> offsets;  // ms from each frame's grid point to its flip
Uint32 grid_point;            // the ticks at which the frame being paced ends
Sint64 widest_margin_ns;      // the widest spin margin the pacer used

void note_flip()
{
    offsets.push_back(double(monotonic_ns() - tick_moment_ns(grid_point)) / NS_PER_MS);
    widest_margin_ns = std::max(widest_margin_ns, spin_margin_ns);
}

double percentile(std::vector<double> sorted, double p)
{
    size_t index = size_t(p * (sorted.size() - 1) + 0.5);
    return sorted[std::min(index, sorted.size() - 1)];
}

// Sleeps `count` times with the pacer's own sleep, on a grid of `slot_ms` slots, each sleep
// asked to end the least spin margin before its grid point, and prints how late the sleeps
// end and what share of flips a fixed spin margin of the least and of the widest would land
// on time.
void measure_bare_sleeps(int count, int slot_ms)
{
    std::vector<double> late;
    Sint64 grid = monotonic_ns();
    for (int i = 0; i < count; i++) {
        grid += slot_ms * NS_PER_MS;
        Sint64 wake = grid - SPIN_MARGIN_LEAST_NS;
        sleep_until_ns(wake);
        late.push_back(double(monotonic_ns() - wake) / NS_PER_MS);
        while (monotonic_ns() < grid) {
        }
    }
    std::sort(late.begin(), late.end());
    auto share_within = [&](double ms) {
        return 100.0 * (std::upper_bound(late.begin(), late.end(), ms) - late.begin()) / count;
    };
    printf("bare sleeps on the same grid (the machine, without the game): %d\n", count);
    printf("  woke after the asked moment: median %.3f ms, 99th percentile %.3f ms, 99.9th %.3f ms, worst %.3f ms\n",
           percentile(late, 0.5), percentile(late, 0.99), percentile(late, 0.999), late.back());
    printf("  a fixed spin margin would land within %.0f ms: %.2f %% at %.1f ms, %.2f %% at %u ms\n", GOAL_MS,
           share_within(GOAL_MS + double(SPIN_MARGIN_LEAST_NS) / NS_PER_MS), double(SPIN_MARGIN_LEAST_NS) / NS_PER_MS,
           share_within(GOAL_MS + SPIN_MARGIN), SPIN_MARGIN);
}

} // namespace

int main(int argc, char **argv)
{
    int frames = argc > 1 ? atoi(argv[1]) : DEFAULT_FRAMES;
    enter_shipped_content();
    start_play_on(0);
    std::mt19937 random(1);
    flip_hook = note_flip;
    double wall_start = clock_seconds(CLOCK_MONOTONIC), cpu_start = clock_seconds(CLOCK_PROCESS_CPUTIME_ID);
    for (int i = 0; i < frames; i++) {
        if (level_nearly_done())
            start_play_on(0);
        push_random_player_key(random);
        handle_play_input();
        update_frame();
        grid_point = frame_base + frame_delay;
        pace_frame();
    }
    double wall = clock_seconds(CLOCK_MONOTONIC) - wall_start;
    double cpu = clock_seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu_start;
    flip_hook = nullptr;
    std::vector<double> sorted = offsets;
    std::sort(sorted.begin(), sorted.end());
    size_t on_time = std::count_if(sorted.begin(), sorted.end(),
                                   [](double ms) { return ms >= -GOAL_MS && ms <= GOAL_MS; });
    printf("pacing: %zu frames of %d ms in %.1f s on the real clock (spin margin %.1f to %.1f ms)\n",
           sorted.size(), frame_delay, wall, double(SPIN_MARGIN_LEAST_NS) / NS_PER_MS, double(widest_margin_ns) / NS_PER_MS);
    printf("  flip after its grid point: median %.3f ms, 99.9th percentile %.3f ms, worst %.3f ms\n",
           percentile(sorted, 0.5), percentile(sorted, 0.999), sorted.back());
    printf("  (90th percentile %.3f ms, 99th %.3f ms)\n", percentile(sorted, 0.9), percentile(sorted, 0.99));
    printf("  flips within %.0f ms of the grid point: %.2f %%\n", GOAL_MS, 100.0 * on_time / sorted.size());
    printf("  processor time: %.1f ms per second of play (%.2f %% of a core)\n", 1000 * cpu / wall,
           100 * cpu / wall);
    measure_bare_sleeps(frames, frame_delay);
    SDL_Quit();
    return 0;
}
