// SPDX-License-Identifier: GPL-3.0-or-later
// waits_test.cpp: the shared key wait and focus wait, driven by events pushed into SDL's
// queue; the focus tests reload the shipped skin in a scratch copy of the content tree.
#include <gtest/gtest.h>
#include "test_support.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"

static void prepare_wait()
{
    open_test_screen();
    drain_events();
    reset_frame_program_state();
    set_test_clock(5000, 1);
}

// The shipped skin list, so that the focus wait can load skin 0 again.
static void prepare_skin_reload()
{
    prepare_wait();
    enter_shipped_skin();
    free_skin();
}

TEST(WaitForKey, WaitsForItsKeyAndResetsThePacer)
{
    prepare_wait();
    push_key(SDLK_SPACE);
    push_key(SDLK_LEFT);
    push_key(SDLK_p, KMOD_NONE, SDL_KEYUP);
    push_focus(1);
    push_key(SDLK_F4);
    push_key(SDLK_p);
    push_key(SDLK_a);
    EXPECT_EQ(wait_for_key(SDLK_p), 0);
    EXPECT_GE(frame_base, 5000u);
    EXPECT_EQ(frame_now, frame_base);
    SDL_Event left;
    ASSERT_EQ(SDL_PollEvent(&left), 1);   // the key after p is still queued
    EXPECT_EQ(left.key.keysym.sym, SDLK_a);
    clear_test_clock();
}

TEST(WaitForKey, AnyKeyMeansTheFirstPressOfAnyKey)
{
    prepare_wait();
    push_key(SDLK_x, KMOD_NONE, SDL_KEYUP);
    push_event_of_type(SDL_MOUSEMOTION);
    push_key(SDLK_F4);
    push_key(SDLK_a);
    EXPECT_EQ(wait_for_key(0), 0);
    EXPECT_EQ(event.key.keysym.sym, SDLK_F4);
    clear_test_clock();
}

TEST(WaitForKey, AltF4AndAClosedWindowEndTheProgram)
{
    prepare_wait();
    EXPECT_EXIT((push_key(SDLK_F4, KMOD_RALT), wait_for_key(SDLK_p)), testing::ExitedWithCode(0), "");
    EXPECT_EXIT((push_key(SDLK_F4, KMOD_LALT), wait_for_key(0)), testing::ExitedWithCode(0), "");
    EXPECT_EXIT((push_event_of_type(SDL_QUIT), wait_for_key(0)), testing::ExitedWithCode(0), "");
    EXPECT_EXIT((push_event_of_type(SDL_QUIT), wait_for_focus()), testing::ExitedWithCode(0), "");
    EXPECT_EXIT((push_key(SDLK_F4, KMOD_LALT), wait_for_focus()), testing::ExitedWithCode(0), "");
    clear_test_clock();
}

// A focus loss breaks the wait with 1, only once the focus is back, the queue drained and
// the skin loaded again; keys pressed while away are dropped.
TEST(WaitForKey, FocusLossReturnsOneAfterTheSkinIsReloaded)
{
    prepare_skin_reload();
    ASSERT_EQ(font, nullptr);
    push_focus(0);
    push_key(SDLK_p);        // while away: ignored
    push_focus(0);
    push_focus(1);
    push_key(SDLK_SPACE);    // drained before the wait returns
    EXPECT_EQ(wait_for_key(SDLK_p), 1);
    EXPECT_NE(font, nullptr);
    EXPECT_NE(tile_sprites[1], nullptr);
    EXPECT_NE(player_sprites[1], nullptr);
    EXPECT_EQ(SDL_PollEvent(nullptr), 0);
    EXPECT_GE(frame_base, 5000u);
    clear_test_clock();
}

// Inside the quit sequence a quit request ends the focus wait at once, without exiting.
TEST(WaitForFocus, QuitRequestDuringTheQuitSequenceEndsTheWait)
{
    prepare_wait();
    quit_in_progress = true;
    push_event_of_type(SDL_QUIT);
    wait_for_focus();
    EXPECT_TRUE(quit_requested);
    quit_requested = false;
    push_key(SDLK_F4, KMOD_LALT);
    wait_for_focus();
    EXPECT_TRUE(quit_requested);
}

TEST(PollEventOrRest, RestsWhenTheQueueIsEmpty)
{
    open_test_screen();
    drain_events();
    clear_test_clock();
    Uint32 before = game_ticks();
    EXPECT_FALSE(poll_event_or_rest());
    EXPECT_FALSE(poll_event_or_rest());
    EXPECT_GE(game_ticks() - before, 1u);
    push_key(SDLK_q);
    EXPECT_TRUE(poll_event_or_rest());
    EXPECT_EQ(event.key.keysym.sym, SDLK_q);
}
