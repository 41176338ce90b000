// pacing.cpp: frames of real play (a fixed-seed random player on the first level) on the
// real clock and the dummy driver: how far each flip lands from its slot's grid point
// (median, 99.9th percentile, worst) and the processor time the process uses per second
// of play. Run as: gobrant_pacing [frames, 2000 by default].
#include "bench_support.h"
#include "frame.h"
#include "world.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/time.h>
#include <vector>

namespace {

const int DEFAULT_FRAMES = 2000;
const double GOAL_MS = 1.0;   // a flip within this of its grid point is on time

Sint64 sdl_start_us;          // the wall-clock microsecond at which SDL started its clock
std::vector<double> offsets;  // ms from each frame's grid point to its flip
Uint32 grid_point;            // the ticks at which the frame being paced ends

// SDL 1.2 reads its milliseconds from the wall clock in microseconds.
Sint64 wall_us()
{
    timeval t;
    gettimeofday(&t, nullptr);
    return Sint64(t.tv_sec) * 1000000 + t.tv_usec;
}

// SDL's own formula for its ticks at wall-clock microsecond t: the seconds and the
// microsecond difference (truncated towards zero) are taken apart.
Sint64 sdl_ticks_at(Sint64 t)
{
    Sint64 seconds = t / 1000000 - sdl_start_us / 1000000;
    return seconds * 1000 + (t % 1000000 - sdl_start_us % 1000000) / 1000;
}

// The first wall-clock microsecond at which SDL's clock reads `ticks` or more.
Sint64 moment_of_ticks(Uint32 ticks)
{
    Sint64 low = sdl_start_us + (Sint64(ticks) - 2) * 1000, high = sdl_start_us + (Sint64(ticks) + 1) * 1000;
    while (high - low > 1) {
        Sint64 middle = low + (high - low) / 2;
        (sdl_ticks_at(middle) >= ticks ? high : low) = middle;
    }
    return high;
}

void note_flip()
{
    offsets.push_back((wall_us() - moment_of_ticks(grid_point)) / 1000.0);
}

// Starts SDL's clock alone between two readings of the wall clock, then finds the start to
// the microsecond from the moments the ticks change: while the microseconds of the time
// lie above the start's, tick k begins k ms after the start, below them k - 1 ms after.
void start_sdl_clock()
{
    const Sint64 CALIBRATION_US = 50000;
    Sint64 before = wall_us();
    SDL_Init(0);
    Sint64 after = wall_us();
    Sint64 best = after;
    Uint32 last = SDL_GetTicks();
    for (Sint64 end = after + CALIBRATION_US; wall_us() < end;) {
        Uint32 now = SDL_GetTicks();
        Sint64 t = wall_us();
        if (now == last)
            continue;
        last = now;
        Sint64 us = t % 1000000;
        if (after % 1000000 < before % 1000000)
            continue;   // the start's microseconds are unknown when a second began in between
        if (us >= after % 1000000)
            best = std::min(best, t - Sint64(now) * 1000);
        else if (us < before % 1000000)
            best = std::min(best, t - (Sint64(now) - 1) * 1000);
    }
    sdl_start_us = best;
}

double percentile(std::vector<double> sorted, double p)
{
    size_t index = size_t(p * (sorted.size() - 1) + 0.5);
    return sorted[std::min(index, sorted.size() - 1)];
}

} // namespace

int main(int argc, char **argv)
{
    int frames = argc > 1 ? atoi(argv[1]) : DEFAULT_FRAMES;
    start_sdl_clock();
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
    printf("pacing: %zu frames of %d ms in %.1f s on the real clock (spin margin %u ms)\n",
           sorted.size(), frame_delay, wall, SPIN_MARGIN);
    printf("  flip after its grid point: median %.3f ms, 99.9th percentile %.3f ms, worst %.3f ms\n",
           percentile(sorted, 0.5), percentile(sorted, 0.999), sorted.back());
    printf("  (90th percentile %.3f ms, 99th %.3f ms)\n", percentile(sorted, 0.9), percentile(sorted, 0.99));
    printf("  flips within %.0f ms of the grid point: %.2f %%\n", GOAL_MS, 100.0 * on_time / sorted.size());
    printf("  processor time: %.1f ms per second of play (%.2f %% of a core)\n", 1000 * cpu / wall,
           100 * cpu / wall);
    SDL_Quit();
    return 0;
}
