// SPDX-License-Identifier: GPL-3.0-or-later
// rules_test.cpp: update_frame step by step and the player actions, including the safe ends
// for walled-in enemies, missing maps and a finished game.
#include "world.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <csignal>
#include <unistd.h>


namespace {

void frames(int count)
{
    for (int i = 0; i < count; i++)
        update_frame();
}

Uint8 cell(int x, int y)
{
    return level_map.cells[x + y * MAP_COLUMNS];
}

// The player at (1, 1) runs right over a dot, an extra life, a decoy, a power pick-up and a
// second dot to a wall; one dot lies out of reach.
const std::vector<std::string> PICKUPS = {
    "11111111",
    "13056701",
    "11111111",
    "10111111",
};

// The player on (1, 1) with a row of dots; two enemies down column 7.
const std::vector<std::string> PAIR = {"111111111", "130000001", "111111101", "111111141",
                                       "111111101", "111111141", "111111111"};

// One dot right of the player; an enemy walled in below with a dot the player cannot reach.
const std::vector<std::string> FIRST = {"111111", "130111", "111111", "141111", "101111"};

} // namespace

class Rules : public ::testing::Test {
protected:
    void SetUp() override { enter_play_tree(); }
};

TEST_F(Rules, ThePlayerTakesACellWhenItsStayThereEnds)
{
    start_game_on({{"pickups.txt", PICKUPS}});
    ASSERT_EQ(level_map.dots_left, 3);
    set_wanted_direction(DIR_RIGHT);
    frames(1);
    EXPECT_EQ(player.cell_x, 2);
    frames(7);
    EXPECT_EQ(cell(2, 1), CELL_DOT);              // still there in the stay's 8th frame
    frames(1);
    EXPECT_EQ(cell(2, 1), CELL_FLOOR);
    EXPECT_EQ(score, 1u);
    EXPECT_EQ(boost_reserve, 50u);
    EXPECT_EQ(level_map.dots_left, 2);
    frames(8 * 3);
    EXPECT_EQ(lives, START_LIVES + 1);
    EXPECT_EQ(decoy_count, START_STOCK + 1);
    EXPECT_EQ(power_charges, START_STOCK + 1);
    for (int x = 3; x <= 5; x++)
        EXPECT_EQ(cell(x, 1), CELL_FLOOR) << x;
    // The last dot is taken when the wall stops the player on it; standing takes nothing more.
    frames(8 * 2);
    EXPECT_EQ(player.cell_x, 6);
    EXPECT_EQ(player.direction, DIR_NONE);
    EXPECT_EQ(score, 2u);
    EXPECT_EQ(level_map.dots_left, 1);
    frames(50);
    EXPECT_EQ(score, 2u);
}

TEST_F(Rules, TwoTouchingEnemiesCatchOnceAndTheMessageRunsFiveSeconds)
{
    start_game_on({{"pair.txt", PAIR}});
    ASSERT_EQ(enemy_count, 2);
    for (Actor &enemy : enemies) {                // both enemies right on the player
        enemy.cell_x = player.cell_x;
        enemy.cell_y = player.cell_y;
    }
    frames(1);
    EXPECT_EQ(player.knockout, 1);
    EXPECT_EQ(message_frames, 1);
    EXPECT_EQ(lives, START_LIVES);
    const int n = frames_per_second() * 5;
    // Caught, the player still moves but catches nothing.
    set_wanted_direction(DIR_RIGHT);
    frames(n + 10);
    EXPECT_GT(player.cell_x, 2);
    EXPECT_EQ(score, 0u);
    EXPECT_EQ(message_frames, n + 3);             // shown, wiped on both buffers, resting
    EXPECT_EQ(lives, START_LIVES);

    continue_with_knot();
    EXPECT_EQ(catch_interval, 2);
    EXPECT_EQ(message_frames, n + 1);
    continue_with_knot();                         // only while caught
    EXPECT_EQ(catch_interval, 2);
    toggle_power();                               // so that the enemies cannot catch again
    frames(1);
    EXPECT_EQ(message_frames, n + 2);
    frames(1);
    EXPECT_EQ(message_frames, 0);
}

TEST_F(Rules, GivingUpALifeLeavesKnockedOutEnemiesWhereTheyLie)
{
    start_game_on({{"pair.txt", PAIR}});
    enemies[0].knockout = 100;
    enemies[0].cell_x = 4;
    enemies[0].cell_y = 1;
    enemies[1].cell_x = 7;
    enemies[1].cell_y = 1;
    player.cell_x = 3;
    player.knockout = 1;
    catch_interval = 3;
    catch_streak = 2;
    message_frames = 9;
    give_up_life();
    EXPECT_EQ(lives, START_LIVES - 1);
    EXPECT_EQ(player.knockout, 0);
    EXPECT_EQ(catch_interval, 1);
    EXPECT_EQ(catch_streak, 0);
    EXPECT_EQ(message_frames, 0);
    EXPECT_EQ(player.cell_x, 1);
    EXPECT_EQ(enemies[0].cell_x, 4);              // knocked out: stays
    EXPECT_EQ(enemies[1].cell_x, 7);              // active: back on its start
    EXPECT_EQ(enemies[1].cell_y, 5);
}

TEST_F(Rules, PlayerActionsNeedTheirStock)
{
    start_game_on({{"pickups.txt", PICKUPS}});
    const int ten_seconds = frames_per_second() * 10;
    power_charges = 1;
    toggle_power();
    EXPECT_EQ(power_mode, 1);
    EXPECT_EQ(power_timer, ten_seconds);
    toggle_power();                               // off at once
    EXPECT_EQ(power_mode, 0);
    EXPECT_EQ(power_timer, 0);
    toggle_power();                               // no charge left
    EXPECT_EQ(power_mode, 0);
    EXPECT_EQ(power_charges, 0);

    power_charges = 1;
    toggle_power();
    frames(ten_seconds - 1);
    EXPECT_EQ(power_mode, 1);
    frames(1);
    EXPECT_EQ(power_mode, 0);                     // ten seconds are over

    decoy_count = 0;
    use_decoy();
    EXPECT_EQ(decoy_timer, 0);
    decoy_count = 1;
    use_decoy();
    EXPECT_EQ(decoy_timer, ten_seconds);
    EXPECT_EQ(decoy_count, 0);
    frames(1);
    EXPECT_EQ(decoy_timer, ten_seconds - 1);
}

TEST_F(Rules, AnEnemyWithNoWayOutStaysAndTheFrameGoesOn)
{
    start_game_on({{"boxed.txt", {"1111111", "1300001", "1111111", "1111411", "1111111"}}});
    EXPECT_EXIT(
        {
            signal(SIGALRM, SIG_DFL);             // a frame that never ends fails the test
            alarm(5);
            frames(20);
            bool stayed = enemies[0].cell_x == 4 && enemies[0].cell_y == 3;
            bool played = player.cell_x == 1 && lives == START_LIVES;
            exit(stayed && played ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");

    // The same enemy walled in on the far side of a teleport: it jumps, and stays there.
    reset_game_state();
    start_game_on({{"tele_box.txt", {"1111111", "1300001", "1111111", "111A411", "1111111",
                                     "11A1111", "1111111"}}});
    EXPECT_EXIT(
        {
            signal(SIGALRM, SIG_DFL);
            alarm(5);
            frames(20);
            bool jumped = enemies[0].cell_x == 2 && enemies[0].cell_y == 5;
            exit(jumped ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(Rules, AMissingNextMapEndsTheRunWithoutPlayingOnClearedStarts)
{
    write_map("first.txt", FIRST);
    map_list = {"first.txt", "missing.txt"};
    ASSERT_EQ(new_game(), 0);
    level_map.dots_left = 1;                      // the enemy's dots do not count here
    high_scores[9] = {"last", 0};
    set_wanted_direction(DIR_RIGHT);
    frames(8);
    // Space for the level's end, "z" and Return for the name, then Return on new game.
    push_keys({SDLK_SPACE, SDLK_z, SDLK_RETURN, SDLK_RETURN});
    frames(1);
    EXPECT_EQ(high_scores[9].first, "y");         // the entry swaps y and z
    EXPECT_EQ(high_scores[9].second, 1u);
    EXPECT_EQ(lives, START_LIVES);                // the new game from the menu
    EXPECT_EQ(level_index, 0);
    EXPECT_EQ(player.cell_x, 1);
    EXPECT_EQ(player.cell_y, 1);
    EXPECT_EQ(enemy_count, 1);
}

TEST_F(Rules, AMapListShorterThanTheLevelIndexEndsTheRun)
{
    write_map("first.txt", FIRST);
    map_list = {"first.txt"};
    ASSERT_EQ(new_game(), 0);
    level_index = 7;
    level_map.dots_left = 1;
    set_wanted_direction(DIR_RIGHT);
    frames(8);
    push_keys({SDLK_SPACE, SDLK_RETURN});
    frames(1);
    EXPECT_EQ(level_index, 0);
    EXPECT_EQ(lives, START_LIVES);
}

TEST_F(Rules, WithoutAGameInProgressTheFrameOpensTheMenu)
{
    level_map.dots_left = 0;
    lives = 0;
    push_key(SDLK_ESCAPE);
    EXPECT_EXIT(update_frame(), ::testing::ExitedWithCode(0), "");
    give_up_life();                               // nothing to give up
    EXPECT_EQ(lives, 0);
}

// The editor's play-test: the end of the run ends the program at once, without the name
// entry (a table any score beats would open it and wait for a Return that never comes).
TEST(PlayTestRun, TheEndOfTheRunEndsTheProgramWithoutAHighScoreEntry)
{
    EXPECT_EXIT(
        {
            child_watchdog();
            enter_play_tree();
            for (auto &entry : high_scores)
                entry.second = 0;
            play_test_run = true;
            idle_input = [] { push_key(SDLK_SPACE); };
            std::vector<std::string> rows(MAP_ROWS, std::string(MAP_COLUMNS, MAP_WALL));
            rows[3].replace(1, 3, "300");   // two dots right of the start, no enemy
            start_game_on({{"short.txt", rows}});
            push_key(SDLK_RIGHT);
            for (int frame = 0; frame < 1000; frame++)
                run_frame();
            exit(5);
        },
        testing::ExitedWithCode(0), "");
}
