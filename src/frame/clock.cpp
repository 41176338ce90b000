// clock.cpp: the game's one view of the millisecond clock and the random seed. Play code
// calls game_ticks, rest, wait_until and seed_random; tests replace the clock and the seed to
// run frames instantly and repeatably.
#include "frame.h"
#include <cstdlib>
#include <ctime>

static bool test_clock_on = false;
static Uint32 test_clock_ms = 0;
static Uint32 test_clock_step = 0;
static bool test_seed_on = false;
static unsigned test_seed = 0;

Uint32 game_ticks()
{
    if (!test_clock_on)
        return SDL_GetTicks();
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

Uint32 wait_until(Uint32 target)
{
    Uint32 now = game_ticks();
    while (now < target && target - now > SPIN_MARGIN) {
        rest(target - now - SPIN_MARGIN);
        now = game_ticks();
    }
    const timespec nap = {0, SPIN_NAP_NS};
    while (now < target) {
        if (!test_clock_on && target - now > 1)
            nanosleep(&nap, nullptr);
        now = game_ticks();
    }
    return now;
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
