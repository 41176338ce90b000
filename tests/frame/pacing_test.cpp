// SPDX-License-Identifier: GPL-3.0-or-later
// pacing_test.cpp: the frame pacer on the test clock: slot boundaries, late frames, resets
// and the frame-rate measure.
#include <gtest/gtest.h>
#include <cstring>
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "test_support.h"

// The test clock moves one millisecond per read, so a spin ends exactly on its target.
static void start_pacer_at(Uint32 ms, int delay)
{
    open_test_screen();
    reset_frame_program_state();
    frame_delay = delay;
    set_test_clock(ms, 1);
    reset_frame_pacer();
}


// Each frame's work is simulated by moving the clock on before the pacer runs.
static Uint32 frame_taking(Uint32 work_ms)
{
    advance_test_clock(work_ms);
    pace_frame();
    return frame_now;
}

TEST(FramePacer, FlipsOnTheFixedGridAndCatchesUpAfterALateFrame)
{
    start_pacer_at(1000, 25);
    EXPECT_EQ(frame_base, 1000u);
    EXPECT_EQ(frame_taking(10), 1025u);   // 10 ms of work: flipped 25 ms after the slot start
    EXPECT_EQ(frame_base, 1025u);
    EXPECT_EQ(frame_taking(60), 1086u);   // late: no wait
    EXPECT_EQ(frame_taking(0), 1087u);    // the grid point 1075 is already past: no wait
    EXPECT_EQ(frame_taking(0), 1100u);    // back on the grid
    EXPECT_EQ(frame_taking(5), 1125u);
    EXPECT_EQ(frame_base, 1125u);
}

TEST(FramePacer, AfterAResetTheNextFrameWaitsAFullSlot)
{
    start_pacer_at(0, 25);
    frame_taking(500);                    // far behind the grid
    set_test_clock(9000, 1);
    reset_frame_pacer();                  // what every waiting screen does when it returns
    EXPECT_EQ(frame_taking(0), 9025u);
}

TEST(FrameRate, MeasuredOverEvery101Frames)
{
    start_pacer_at(0, 25);
    for (int i = 0; i < 100; i++)
        frame_taking(0);
    EXPECT_STREQ(fps_text, "");
    EXPECT_EQ(fps_frames, 100);
    frame_taking(0);
    EXPECT_STREQ(fps_text, "40.0");
    EXPECT_EQ(fps_frames, 0);
    EXPECT_EQ(fps_elapsed, 0u);

    frame_delay = 20;
    for (int i = 0; i < 101; i++)
        frame_taking(0);
    EXPECT_STREQ(fps_text, "50.0");

    // a late frame lowers the rate: 100 slots of 25 ms and one measured at 101 ms
    frame_delay = 25;
    reset_frame_pacer();
    for (int i = 0; i < 100; i++)
        frame_taking(0);
    frame_taking(100);
    EXPECT_STREQ(fps_text, "38.8");
}

TEST(FrameRate, TextKeepsItsFirstFiveCharacters)
{
    start_pacer_at(0, 1);                 // 1000 frames a second: "1000.0" is cut
    for (int i = 0; i < 101; i++)
        frame_taking(0);
    EXPECT_STREQ(fps_text, "1000.");
}

// The wait sleeps through the clock seam until SPIN_MARGIN is left and reads the clock only
// for that margin: on a test clock moving 5 ms a read, a sleep shows as a jump past the target.
TEST(WaitUntil, SleepsUntilTheMarginThenReadsTheClock)
{
    set_test_clock(1000, 5);
    EXPECT_EQ(wait_until(1025), 1000 + 5 + (25 - SPIN_MARGIN));   // one sleep of 23 ms
    set_test_clock(1000, 5);
    EXPECT_EQ(wait_until(1000 + SPIN_MARGIN), 1005u);             // within the margin: no sleep
    set_test_clock(1000, 5);
    EXPECT_EQ(wait_until(990), 1000u);                           // already passed
    clear_test_clock();
    Uint32 target = game_ticks() + 30;
    EXPECT_GE(wait_until(target), target);
    EXPECT_GE(game_ticks(), target);
}

// A late wake-up widens the margin to its lateness and a millisecond, never past SPIN_MARGIN;
// on-time wake-ups narrow it step by step, never below the least margin.
TEST(WaitUntil, MarginFollowsHowLateTheMachineWakesTheGame)
{
    const Sint64 MS = NS_PER_MS;
    learn_wake_up(MS / 2);
    EXPECT_EQ(spin_margin_ns, MS + MS / 2);
    learn_wake_up(MS / 4);                      // within the least margin: on time
    EXPECT_EQ(spin_margin_ns, MS + MS / 2 - SPIN_MARGIN_EASE_NS);
    learn_wake_up(5 * MS);
    EXPECT_EQ(spin_margin_ns, Sint64(SPIN_MARGIN) * MS);
    for (int i = 0; i < 200; i++)
        learn_wake_up(0);
    EXPECT_EQ(spin_margin_ns, SPIN_MARGIN_LEAST_NS);
}

// A delay of a few slots is made up frame by frame on the old grid; a stall longer than the
// catch-up limit (four slots) is not replayed: the next frame waits a full slot from the end
// of the stalled one, and the rate text counts the stall once, at its real length.
TEST(FramePacer, AfterALongStallStartsAFreshGridAndShowsTheRealRate)
{
    start_pacer_at(0, 25);
    EXPECT_EQ(frame_taking(100), 101u);   // three slots late: caught up on the old grid
    EXPECT_EQ(frame_taking(0), 102u);
    EXPECT_EQ(frame_taking(0), 103u);
    EXPECT_EQ(frame_taking(0), 104u);
    EXPECT_EQ(frame_taking(0), 125u);     // back on the grid

    start_pacer_at(0, 25);
    for (int i = 0; i < 100; i++)
        frame_taking(0);
    EXPECT_EQ(frame_now, 2500u);
    EXPECT_EQ(frame_taking(1000), 3501u);   // a stall of forty slots: a fresh grid from here
    EXPECT_EQ(frame_base, 3501u);
    EXPECT_EQ(frame_taking(0), 3526u);      // a full slot later, no burst
    // 101 frames in 3501 ms of real time: 28.8 frames a second
    EXPECT_STREQ(fps_text, "28.8");
}
