// SPDX-License-Identifier: GPL-3.0-or-later
// display_test.cpp: Alt+Enter switches between full screen and a window in every event loop
// (play, the key wait, the text entry), keeping the picture and the game state.
#include <gtest/gtest.h>
#include "test_support.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "world.h"
#include <unistd.h>

TEST(DisplaySwitch, AltEnterSwitchesInEveryLoopKeepingThePictureAndTheGame)
{
    enter_play_tree();
    char root[4096];
    ASSERT_NE(getcwd(root, sizeof root), nullptr);
    fullscreen = true;
    ASSERT_EQ(set_video_mode(), 0);
    EXPECT_TRUE(screen->flags & SDL_FULLSCREEN);
    fill_area(screen, 100, 100, 50, 50, SDL_MapRGB(screen->format, 200, 10, 10));
    const Uint32 marked = screen_pixel(120, 120);
    const Uint64 game = game_state_hash();

    push_key(SDLK_RETURN, KMOD_LALT);   // during play: a window
    handle_play_input();
    EXPECT_FALSE(fullscreen);
    EXPECT_FALSE(screen->flags & SDL_FULLSCREEN);
    EXPECT_EQ(screen_pixel(120, 120), marked);
    EXPECT_EQ(game_state_hash(), game);

    push_key(SDLK_KP_ENTER, KMOD_RALT);   // in a wait for any key: not the key it waits for
    push_key(SDLK_x);
    EXPECT_EQ(wait_for_key(0), 0);
    EXPECT_EQ(event.key.keysym.sym, SDLK_x);
    EXPECT_TRUE(fullscreen);
    EXPECT_TRUE(screen->flags & SDL_FULLSCREEN);
    EXPECT_EQ(screen_pixel(120, 120), marked);

    char text[256] = "ab";   // in the text entry: Alt+Return switches and does not confirm
    push_key(SDLK_RETURN, KMOD_LALT);
    push_key(SDLK_c);
    push_key(SDLK_RETURN);
    text_entry("prompt", text);
    EXPECT_STREQ(text, "abc");
    EXPECT_FALSE(fullscreen);
    EXPECT_EQ(game_state_hash(), game);

    fullscreen = true;
    clear_test_clock();
    leave_scratch_tree(root);
}
