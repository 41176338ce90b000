// SPDX-License-Identifier: GPL-3.0-or-later
// play_input_test.cpp: the keys during play, pushed into SDL's queue and handled by
// handle_play_input: which action each key reaches, the pause and the ways to quit.
#include <gtest/gtest.h>
#include "test_support.h"
#include "test_skins.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "world.h"

// Each key test plays a game in progress with one enemy at normal pace and full stocks.
static void start_quiet_game()
{
    install_synthetic_skin();
    drain_events();
    reset_program_state();
    reset_run_state();
    reset_level_state();
    player.cell_x = 4;
    player.cell_y = 5;
    enemies.assign(1, Actor());
    enemy_count = 1;
    enemy_start_x.assign(1, 1);
    enemy_start_y.assign(1, 1);
    lives = 3;
    boost_reserve = 1000;
    decoy_timer = 0;   // no decoy stands: the level start that clears it is not played here
}

static void end_quiet_game()
{
    reset_level_state();
    lives = 0;
    texts[TEXT_PAUSE].clear();
    clear_test_clock();
    restore_real_skin();
}

class PlayKeys : public testing::Test {
protected:
    void SetUp() override { start_quiet_game(); }
    void TearDown() override { end_quiet_game(); }
};

TEST_F(PlayKeys, ArrowsSetTheWantedDirection)
{
    const SDLKey arrows[] = {SDLK_RIGHT, SDLK_DOWN, SDLK_LEFT, SDLK_UP};
    for (Uint8 direction = DIR_RIGHT; direction <= DIR_UP; direction++) {
        push_key(arrows[direction - 1]);
        handle_play_input();
        EXPECT_EQ(player.wanted_direction, direction);
    }
    push_key(SDLK_LEFT);
    push_key(SDLK_DOWN);
    handle_play_input();   // every pending event in one call
    EXPECT_EQ(player.wanted_direction, DIR_DOWN);
    EXPECT_EQ(SDL_PollEvent(nullptr), 0);
}

TEST_F(PlayKeys, StockKeysReachThePlayerActions)
{
    push_key(SDLK_m);
    handle_play_input();
    EXPECT_EQ(decoy_count, 4);
    EXPECT_GT(decoy_timer, DECOY_WIPE_FRAMES);
    EXPECT_EQ(decoy_x, 4);

    push_key(SDLK_n);
    handle_play_input();
    EXPECT_EQ(power_mode, 1);
    EXPECT_EQ(power_charges, 4);

    push_key(SDLK_b);
    handle_play_input();
    EXPECT_EQ(enemies[0].next_speed, BOOST_SPEED);

    player.knockout = 1;
    push_key(SDLK_v);
    handle_play_input();
    EXPECT_EQ(player.knockout, 0);
    EXPECT_EQ(catch_interval, 2);

    push_key(SDLK_SPACE);
    handle_play_input();
    EXPECT_EQ(lives, 2);
    EXPECT_EQ(catch_interval, 1);
}

TEST_F(PlayKeys, ReleasesMouseFocusGainAndOtherKeysChangeNothing)
{
    player.wanted_direction = DIR_UP;
    push_key(SDLK_LEFT, KMOD_NONE, SDL_KEYUP);
    push_key(SDLK_p, KMOD_NONE, SDL_KEYUP);
    push_key(SDLK_m, KMOD_NONE, SDL_KEYUP);
    push_event_of_type(SDL_MOUSEMOTION);
    push_event_of_type(SDL_MOUSEBUTTONDOWN);
    push_focus(1);
    push_key(SDLK_F4);            // F4 without Alt
    push_key(SDLK_F4, KMOD_LCTRL);
    push_key(SDLK_a);
    push_key(SDLK_RETURN);
    handle_play_input();
    EXPECT_EQ(player.wanted_direction, DIR_UP);
    EXPECT_EQ(decoy_count, 5);
    EXPECT_EQ(decoy_timer, 0);
    EXPECT_EQ(power_mode, 0);
    EXPECT_EQ(lives, 3);
    EXPECT_EQ(enemies[0].next_speed, NORMAL_SPEED);
}

TEST_F(PlayKeys, AltF4AndAClosedWindowEndTheProgram)
{
    EXPECT_EXIT((push_key(SDLK_F4, KMOD_LALT), handle_play_input()), testing::ExitedWithCode(0), "");
    EXPECT_EXIT((push_key(SDLK_F4, KMOD_RALT), handle_play_input()), testing::ExitedWithCode(0), "");
    EXPECT_EXIT((push_event_of_type(SDL_QUIT), handle_play_input()), testing::ExitedWithCode(0), "");
}

// The keys pressed during the pause belong to the pause; p ends it, the box is taken away
// and the pacer starts a fresh slot.
TEST_F(PlayKeys, PauseHoldsPlayUntilPAndTakesItsBoxAway)
{
    texts[TEXT_PAUSE] = "PAUSE";
    set_test_clock(7000, 1);
    frame_base = 0;
    player.wanted_direction = DIR_NONE;
    push_key(SDLK_p);
    push_key(SDLK_LEFT);
    push_key(SDLK_SPACE);
    push_key(SDLK_p);
    push_key(SDLK_DOWN);
    handle_play_input();
    EXPECT_EQ(player.wanted_direction, DIR_DOWN);   // the key after the pause
    EXPECT_EQ(lives, 3);                            // space during the pause did nothing
    EXPECT_GE(frame_base, 7000u);
    EXPECT_EQ(message_box_rect.x, 457);             // the box of the five-letter text
    EXPECT_EQ(message_box_rect.w, 110);
    EXPECT_EQ(screen_pixel(457, 369), tile_pixel(CELL_FLOOR));   // and taken away again
    EXPECT_EQ(screen_pixel(512, 384), tile_pixel(CELL_FLOOR));
}

// Losing the focus during play: once it is back the skin is loaded again and play stays
// paused until p (pressed here a little later, after the focus wait has drained the queue).
TEST(PlayFocus, FocusLossPausesUntilPAfterReloadingTheSkin)
{
    enter_shipped_skin();
    free_skin();
    drain_events();
    texts[TEXT_PAUSE] = "PAUSE";
    player.wanted_direction = DIR_NONE;
    push_focus(0);
    push_key(SDLK_LEFT);   // while away: dropped
    push_focus(1);
    push_keys_when_waiting({SDLK_p});
    handle_play_input();
    EXPECT_NE(font, nullptr);
    EXPECT_NE(enemy_sprites[DIR_RIGHT], nullptr);
    EXPECT_EQ(player.wanted_direction, DIR_NONE);
    EXPECT_EQ(event.key.keysym.sym, SDLK_p);
    texts[TEXT_PAUSE].clear();
}

static void push_joystick(Uint8 type, Uint8 index, int value = 0)
{
    SDL_Event e{};
    e.type = type;
    if (type == SDL_JOYHATMOTION) {
        e.jhat.hat = index;
        e.jhat.value = Uint8(value);
    } else if (type == SDL_JOYAXISMOTION) {
        e.jaxis.axis = index;
        e.jaxis.value = Sint16(value);
    } else {
        e.jbutton.button = index;
        e.jbutton.state = type == SDL_JOYBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    }
    ASSERT_EQ(SDL_PushEvent(&e), 0);
}

// The gamepad: the hat and the first stick steer (a stick within its dead zone does not),
// its buttons reach the play keys during play; in a wait and in the text entry the confirm
// buttons press the awaited key or Return, and releases press nothing.
TEST_F(PlayKeys, GamepadSteersAndItsButtonsDoWhatTheKeysDo)
{
    push_joystick(SDL_JOYHATMOTION, 0, SDL_HAT_UP);
    handle_play_input();
    EXPECT_EQ(player.wanted_direction, DIR_UP);
    push_joystick(SDL_JOYHATMOTION, 0, SDL_HAT_UP | SDL_HAT_RIGHT);   // right added
    handle_play_input();
    EXPECT_EQ(player.wanted_direction, DIR_RIGHT);
    push_joystick(SDL_JOYHATMOTION, 0, SDL_HAT_CENTERED);
    push_joystick(SDL_JOYAXISMOTION, 0, -3000);     // within the dead zone
    handle_play_input();
    EXPECT_EQ(player.wanted_direction, DIR_RIGHT);
    push_joystick(SDL_JOYAXISMOTION, 0, -30000);
    handle_play_input();
    EXPECT_EQ(player.wanted_direction, DIR_LEFT);
    push_joystick(SDL_JOYAXISMOTION, 1, 32767);
    handle_play_input();
    EXPECT_EQ(player.wanted_direction, DIR_DOWN);
    push_joystick(SDL_JOYAXISMOTION, 0, 0);
    push_joystick(SDL_JOYAXISMOTION, 1, 0);

    push_joystick(SDL_JOYBUTTONDOWN, 1);   // B: a decoy
    push_joystick(SDL_JOYBUTTONUP, 1);
    push_joystick(SDL_JOYBUTTONDOWN, 0);   // A: power mode
    push_joystick(SDL_JOYBUTTONDOWN, 2);   // X: boost
    push_joystick(SDL_JOYBUTTONDOWN, 4);   // a shoulder: give up a life
    handle_play_input();
    EXPECT_EQ(decoy_count, 4);
    EXPECT_EQ(power_mode, 1);
    EXPECT_EQ(enemies[0].next_speed, BOOST_SPEED);
    EXPECT_EQ(lives, 2);
    EXPECT_EQ(SDL_PollEvent(nullptr), 0);

    set_test_clock(1000, 1);
    push_joystick(SDL_JOYBUTTONUP, 0);
    push_joystick(SDL_JOYBUTTONDOWN, 0);   // A in a wait for space: space
    EXPECT_EQ(wait_for_key(SDLK_SPACE), 0);
    EXPECT_EQ(event.key.keysym.sym, SDLK_SPACE);
    push_joystick(SDL_JOYBUTTONDOWN, 1);   // B on a screen: Escape
    EXPECT_EQ(wait_for_key(0), 0);
    EXPECT_EQ(event.key.keysym.sym, SDLK_ESCAPE);
    char text[256] = "ab";
    push_joystick(SDL_JOYBUTTONDOWN, 7);   // Start in the text entry: Return
    text_entry("", text);
    EXPECT_STREQ(text, "ab");
    EXPECT_EQ(gamepad_confirm_key, SDLK_RETURN);
}
