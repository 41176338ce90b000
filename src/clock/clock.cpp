// SPDX-License-Identifier: GPL-3.0-or-later
// clock.cpp: the game's one view of the millisecond clock and the random seed. Play code
// calls game_ticks, rest, wait_until and seed_random; tests replace the clock and the seed to
// run frames instantly and repeatably.
#include "clock.h"
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>

Sint64 spin_margin_ns = SPIN_MARGIN_LEAST_NS;
bool sleep_to_slot_end = false;

bool test_clock_on = false;
Uint32 test_clock_ms = 0;
Uint32 test_clock_step = 0;
bool test_seed_on = false;
unsigned test_seed = 0;
Sint64 clock_start_ns = -1;

void reset_clock_state()
{
    spin_margin_ns = SPIN_MARGIN_LEAST_NS;
    sleep_to_slot_end = false;
    clock_start_ns = -1;
    test_clock_on = false;
    test_clock_ms = test_clock_step = 0;
    test_seed_on = false;
    test_seed = 0;
}

Sint64 monotonic_ns()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return Sint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

Sint64 tick_moment_ns(Uint32 ticks)
{
    if (clock_start_ns < 0)
        clock_start_ns = monotonic_ns();
    return clock_start_ns + Sint64(ticks) * NS_PER_MS;
}

Uint32 game_ticks()
{
    if (!test_clock_on)
        return Uint32((monotonic_ns() - tick_moment_ns(0)) / NS_PER_MS);
    Uint32 now = test_clock_ms;
    test_clock_ms += test_clock_step;
    return now;
}

void rest(Uint32 ms)
{
    if (test_clock_on)
        test_clock_ms += ms;
    else
        SDL_Delay(ms);
}

void sleep_until_ns(Sint64 moment)
{
    timespec t = {time_t(moment / 1000000000), long(moment % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
    }
}

void learn_wake_up(Sint64 late)
{
    if (late > SPIN_MARGIN_LEAST_NS)
        spin_margin_ns = std::max(spin_margin_ns, std::min(late + NS_PER_MS, SPIN_MARGIN * NS_PER_MS));
    else
        spin_margin_ns = std::max(SPIN_MARGIN_LEAST_NS, spin_margin_ns - SPIN_MARGIN_EASE_NS);
}

Uint32 wait_until(Uint32 target)
{
    Uint32 now = game_ticks();
    if (test_clock_on) {
        while (now < target && target - now > SPIN_MARGIN) {
            rest(target - now - SPIN_MARGIN);
            now = game_ticks();
        }
        while (now < target)
            now = game_ticks();
        return now;
    }
    if (now >= target)
        return now;
    Sint64 end = tick_moment_ns(target), wake = sleep_to_slot_end ? end : end - spin_margin_ns;
    Sint64 now_ns = monotonic_ns();
    if (now_ns < wake) {
        sleep_until_ns(wake);
        now_ns = monotonic_ns();
        learn_wake_up(now_ns - wake);
    }
    while (now_ns < end)
        now_ns = monotonic_ns();
    return game_ticks();
}

void seed_random(Uint32 seed)
{
    srand(test_seed_on ? test_seed : seed);
}

void set_test_clock(Uint32 start, Uint32 step)
{
    test_clock_on = true;
    test_clock_ms = start;
    test_clock_step = step;
}

void advance_test_clock(Uint32 ms)
{
    test_clock_ms += ms;
}

void clear_test_clock()
{
    test_clock_on = false;
}

void set_test_seed(unsigned seed)
{
    test_seed_on = true;
    test_seed = seed;
}
