// SPDX-License-Identifier: GPL-3.0-or-later
// clock.h: the clock seam: the game's one view of the millisecond clock and of the random
// seed. Every layer may include it, as it would a platform's timer.
#pragma once
#include <SDL.h>

// ---------- Program state: from start-up to the quit sequence ----------
extern Sint64 spin_margin_ns;   // clock.cpp: the end of a slot wait_until spins through, in ns
// clock.cpp: set by a platform whose sleeps end a millisecond late or more anyway and whose
// display shows frames at its own pace (the web build): wait_until then sleeps to the slot's
// end and does not spin.
extern bool sleep_to_slot_end;
extern Sint64 clock_start_ns;   // clock.cpp: the monotonic moment the game's clock read 0; -1 not read yet
extern bool test_clock_on;      // clock.cpp: the test clock stands in for the real one
extern Uint32 test_clock_ms;    // clock.cpp: the test clock's next reading
extern Uint32 test_clock_step;  // clock.cpp: what each reading adds to it
extern bool test_seed_on;       // clock.cpp: every seed_random uses test_seed instead
extern unsigned test_seed;      // clock.cpp
// Every member above back to its value at program start: the narrowest spin margin, the
// platform's pacing off, the real clock (from its next reading) and seed.
void reset_clock_state();

// ===================== clock.cpp =====================
// The game's only view of the millisecond clock and of the random seed, so that tests can
// run real frames instantly and repeatably.
const Sint64 NS_PER_MS = 1000000;
const Uint32 SPIN_MARGIN = 2;   // ms: the widest end of a slot that wait_until spins through
const Sint64 SPIN_MARGIN_LEAST_NS = 400000;   // the narrowest, kept while sleeps end on time
const Sint64 SPIN_MARGIN_EASE_NS = 20000;     // narrowed by this at each on-time wake-up
// The game's millisecond clock: the monotonic clock from its first reading, so a change of
// the system time neither stops play nor fires catch-up frames; or the test clock.
Uint32 game_ticks();
Sint64 monotonic_ns();                 // the system's monotonic clock in ns, for the real clock
Sint64 tick_moment_ns(Uint32 ticks);   // the monotonic moment (ns) the real clock reaches ticks
void sleep_until_ns(Sint64 moment);   // sleeps until that monotonic moment (the real clock only)
// Sleeps ms milliseconds; on the test clock it only moves the clock on by ms.
void rest(Uint32 ms);
// Waits until game_ticks() reaches target (unsigned comparison: a target already passed
// returns at once). On the real clock it sleeps once, until spin_margin_ns before the exact
// moment (to the moment itself under sleep_to_slot_end), then reads the clock until that
// moment. A sleep that ends late widens the margin (up to SPIN_MARGIN) for the next frames,
// because a machine that wakes the game late tends to do so several times in a row; on-time
// sleeps narrow it back to SPIN_MARGIN_LEAST_NS. On the test clock it rests until
// SPIN_MARGIN is left, then reads the clock. Returns the last reading.
Uint32 wait_until(Uint32 target);
// Widens spin_margin_ns after a sleep that ended `late` ns after it was asked to, so that a
// wake-up as late again still leaves a millisecond; eases it back while sleeps end on time.
void learn_wake_up(Sint64 late);
void seed_random(Uint32 seed);                  // srand(seed), or the fixed test seed
void set_test_clock(Uint32 start, Uint32 step); // each read returns the clock, then adds step
void advance_test_clock(Uint32 ms);             // moves the test clock on
void clear_test_clock();                        // back to the real clock
void set_test_seed(unsigned seed);              // every seed_random uses this seed instead
