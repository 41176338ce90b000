// SPDX-License-Identifier: GPL-3.0-or-later
// play_scenarios_test.cpp: whole frames of real play on small maps, driven by keys in SDL's
// queue, the test clock and a fixed random seed.
#include "world.h"
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <cstring>
#include <functional>


namespace {

// Runs whole frames until `done` holds; false when `limit` frames were not enough.
bool run_frames_until(const std::function<bool()> &done, int limit)
{
    for (int i = 0; i < limit; i++) {
        if (done())
            return true;
        run_frame();
    }
    return done();
}

void run_frames(int count)
{
    for (int i = 0; i < count; i++)
        run_frame();
}

// The rules catch the level's last dot in the coming frame.
bool last_dot_falls_next_frame()
{
    Uint8 cell = level_map.cells[player.cell_x + player.cell_y * MAP_COLUMNS];
    return level_map.dots_left == 1 && player.knockout == 0 && cell == CELL_DOT
        && player.step_counter + 1 == player.speed && catch_streak + 1 == catch_interval;
}

// A frame whose rules end in a wait for keys (the end of a level): the frame's play input
// is handled first, then `keys` are queued for the waits and screens the rules open.
void run_frame_answering(std::initializer_list<SDLKey> keys)
{
    handle_play_input();
    push_keys(keys);
    update_frame();
    pace_frame();
}

const std::vector<std::string> TWO_DOTS = {
    "11111111",
    "13001111",
};

} // namespace

class PlayScenario : public ::testing::Test {
protected:
    void SetUp() override { enter_play_tree(); }
};

TEST_F(PlayScenario, EatingEveryDotFinishesTheLevelAndLoadsTheNext)
{
    start_game_on({{"one.txt", TWO_DOTS},
                   {"two.txt", {"111111", "100001", "101101", "100031", "111111"}}});
    push_key(SDLK_RIGHT);
    ASSERT_TRUE(run_frames_until(last_dot_falls_next_frame, 100));
    EXPECT_EQ(score, 1u);
    EXPECT_EQ(boost_reserve, 50u);
    run_frame_answering({SDLK_SPACE});

    EXPECT_EQ(level_index, 1);
    EXPECT_EQ(score, 2u);
    EXPECT_EQ(lives, START_LIVES);
    EXPECT_EQ(boost_reserve, 0u);                 // starts again on each level
    EXPECT_EQ(level_map.dots_left, 9);
    EXPECT_EQ(player.cell_x, 4);
    EXPECT_EQ(player.cell_y, 3);
    EXPECT_EQ(player.direction, DIR_NONE);
    // The new level plays on: the player walks up its own map.
    push_key(SDLK_UP);
    run_frame();
    EXPECT_EQ(player.cell_y, 2);
    run_frames(8);
    EXPECT_EQ(player.cell_y, 1);
    EXPECT_EQ(level_map.dots_left, 8);
}

TEST_F(PlayScenario, ANewLevelStartsWithNobodyCaughtAndAFreshThinkSchedule)
{
    start_game_on({{"one.txt", TWO_DOTS}, {"two.txt", {"111111", "140031", "111111"}}});
    // The level ends with the player caught and the think schedule a busy level left.
    player.knockout = 1;
    message_frames = 3;
    think_tick = 10;
    level_map.dots_left = 0;
    run_frame_answering({SDLK_SPACE});
    ASSERT_EQ(level_index, 1);
    EXPECT_EQ(player.knockout, 0);
    EXPECT_EQ(message_frames, 0);
    ASSERT_EQ(think_period, 2);
    run_frames(2);
    EXPECT_EQ(think_tick, 0);                     // the one enemy thought in its second frame
}

TEST_F(PlayScenario, FinishingTheLastMapEndsTheRunWithANameEntry)
{
    start_game_on({{"only.txt", TWO_DOTS}});
    high_scores[9] = {"last", 0};
    push_key(SDLK_RIGHT);
    ASSERT_TRUE(run_frames_until(last_dot_falls_next_frame, 100));
    // Space ends the summary wait, "ab" and Return the name entry, Return starts a new game.
    run_frame_answering({SDLK_SPACE, SDLK_a, SDLK_b, SDLK_RETURN, SDLK_RETURN});

    EXPECT_EQ(high_scores[9].first, "ab");
    EXPECT_EQ(high_scores[9].second, 2u);
    EXPECT_EQ(lives, START_LIVES);                // the menu's new game
    EXPECT_EQ(level_index, 0);
    EXPECT_EQ(score, 0u);
    EXPECT_EQ(level_map.dots_left, 2);
}

TEST_F(PlayScenario, EscapeInTheMenuAfterTheLastMapEndsTheProgram)
{
    start_game_on({{"only.txt", TWO_DOTS}});
    push_key(SDLK_RIGHT);
    ASSERT_TRUE(run_frames_until(last_dot_falls_next_frame, 100));
    EXPECT_EXIT(
        {
            run_frame_answering({SDLK_SPACE, SDLK_ESCAPE});
            exit(lives == 0 ? 3 : 4);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(PlayScenario, GivingUpTheLastLifeEndsTheRun)
{
    start_game_on({{"only.txt", TWO_DOTS}});
    push_key(SDLK_RIGHT);
    run_frames(9);
    ASSERT_EQ(score, 1u);
    lives = 1;
    high_scores[9] = {"last", 0};
    // Space gives up, space ends the summary, "c" Return the name, Return a new game.
    push_keys({SDLK_SPACE, SDLK_SPACE, SDLK_c, SDLK_RETURN, SDLK_RETURN});
    run_frame();
    EXPECT_EQ(high_scores[9].first, "c");
    EXPECT_EQ(high_scores[9].second, 1u);
    EXPECT_EQ(lives, START_LIVES);
    EXPECT_EQ(level_map.dots_left, 2);
    EXPECT_EQ(player.cell_x, 1);
}

TEST_F(PlayScenario, GivingUpALifeWithLivesLeftPutsEverybodyBack)
{
    start_game_on({{"box.txt", {"11111111111", "10000000001", "10111111101", "10000300041",
                                "11111111111"}}});
    run_frames(20);
    ASSERT_NE(enemies[0].cell_x * 100 + enemies[0].cell_y, 9 * 100 + 3);
    push_key(SDLK_LEFT);
    run_frames(9);
    ASSERT_NE(player.cell_x, 5);
    push_key(SDLK_SPACE);
    run_frame();
    EXPECT_EQ(lives, START_LIVES - 1);
    // Back on the start cells, then one frame of moving: the enemy has taken one step.
    EXPECT_EQ(player.cell_x, 5);
    EXPECT_EQ(player.cell_y, 3);
    EXPECT_EQ(abs(enemies[0].cell_x - 9) + abs(enemies[0].cell_y - 3), 1);
}

// A vertical corridor at column 6 from the enemy's start down to row 20; a branch to the
// left on row 12 and one on row 15, joined at column 1. The player starts on row 15.
const std::vector<std::string> H_MAZE = {
    "11111111",
    "11111141",
    "11111101", "11111101", "11111101", "11111101", "11111101", "11111101", "11111101",
    "11111101", "11111101",
    "11111101",
    "10000001",   // row 12
    "10111101",
    "10111101",
    "10030001",   // row 15
    "11111101", "11111101", "11111101", "11111101",
    "11111101",   // row 20
    "11111111",
};

// The player walks from its start to (1, 12), where it waits on row 12.
static void walk_player_to_row_12()
{
    push_key(SDLK_LEFT);
    run_frame();
    ASSERT_TRUE(run_frames_until([] { return player.cell_x == 1; }, 40));
    push_key(SDLK_UP);
    ASSERT_TRUE(run_frames_until([] { return player.cell_y == 12; }, 40));
}

TEST_F(PlayScenario, AnEnemyOnThePlayersRowTurnsTowardsIt)
{
    start_game_on({{"h.txt", H_MAZE}});
    walk_player_to_row_12();
    ASSERT_TRUE(run_frames_until([] { return enemies[0].cell_y >= 12; }, 200));
    ASSERT_TRUE(run_frames_until([] { return enemies[0].cell_x < 6 || enemies[0].cell_y > 12; },
                                 40));
    EXPECT_EQ(enemies[0].cell_y, 12);
    EXPECT_EQ(enemies[0].cell_x, 5);
}

TEST_F(PlayScenario, ADecoyDrawsTheEnemiesAwayFromThePlayer)
{
    start_game_on({{"h.txt", H_MAZE}});
    push_key(SDLK_m);
    run_frame();
    EXPECT_EQ(decoy_count, START_STOCK - 1);
    EXPECT_EQ(decoy_x, 3);
    EXPECT_EQ(decoy_y, 15);
    walk_player_to_row_12();
    // The enemy runs past the player's row and turns for the decoy's.
    bool turned_on_player_row = false;
    ASSERT_TRUE(run_frames_until(
        [&] {
            turned_on_player_row |= enemies[0].cell_y == 12 && enemies[0].cell_x < 6;
            return enemies[0].cell_y > 15 || enemies[0].cell_x < 6;
        },
        300));
    EXPECT_FALSE(turned_on_player_row);
    EXPECT_EQ(enemies[0].cell_y, 15);
    EXPECT_EQ(enemies[0].cell_x, 5);
    EXPECT_GT(decoy_timer, 2);

    // Withdrawn, the decoy is wiped over two frames and not given back.
    push_key(SDLK_m);
    run_frame();
    EXPECT_EQ(decoy_timer, 1);
    run_frame();
    EXPECT_EQ(decoy_timer, 0);
    EXPECT_EQ(decoy_count, START_STOCK - 1);
}

TEST_F(PlayScenario, EnemiesNeverTurnBackInACorridorButDoInADeadEnd)
{
    // A corridor on row 1 from the enemy to a wall, a side way down at column 10 that ends
    // in a dead end; the player sits walled in far away.
    std::vector<std::string> rows = {
        "111111111111",
        "140000000001",
        "111111111101",
        "111111111101",
        "111111111101",
        "111111111111",
    };
    rows.resize(20, "1111111111111111111111");
    rows[18] = "1111111111111111111131";
    for (unsigned seed = 1; seed <= 6; seed++) {
        reset_game_state();
        set_test_seed(seed);
        start_game_on({{"corridor.txt", rows}});
        std::vector<std::pair<int, int>> path;
        for (int i = 0; i < 200; i++) {
            std::pair<int, int> cell{enemies[0].cell_x, enemies[0].cell_y};
            if (path.empty() || path.back() != cell)
                path.push_back(cell);
            run_frame();
        }
        // Right along the corridor, down the side way, and back up from its dead end.
        std::vector<std::pair<int, int>> expected;
        for (int x = 1; x <= 10; x++)
            expected.push_back({x, 1});
        for (int y = 2; y <= 4; y++)
            expected.push_back({10, y});
        for (int y = 3; y >= 1; y--)
            expected.push_back({10, y});
        ASSERT_GE(path.size(), expected.size()) << "seed " << seed;
        path.resize(expected.size());
        EXPECT_EQ(path, expected) << "seed " << seed;
    }
}

// The enemy runs down column 1 onto the standing player at (1, 5); dots lie to the right.
const std::vector<std::string> RUN_IN = {
    "1111111111111",
    "1411111111111",
    "1011111111111",
    "1011111111111",
    "1011111111111",
    "1300000000001",
    "1111111111111",
};

TEST_F(PlayScenario, PowerModeKnocksAnEnemyOutForTenSecondsAndScoresOnce)
{
    start_game_on({{"runin.txt", RUN_IN}});
    const int ten_seconds = frames_per_second() * 10;
    push_key(SDLK_n);
    ASSERT_TRUE(run_frames_until([] { return enemies[0].knockout != 0; }, 60));
    EXPECT_EQ(power_mode, 1);
    EXPECT_EQ(power_charges, START_STOCK - 1);
    EXPECT_EQ(score, 100u);
    EXPECT_EQ(enemies[0].knockout, ten_seconds);
    EXPECT_EQ(player.knockout, 0);
    Uint8 x = enemies[0].cell_x, y = enemies[0].cell_y;
    run_frames(ten_seconds - 1);
    EXPECT_EQ(enemies[0].knockout, 1);
    EXPECT_EQ(enemies[0].cell_x, x);
    EXPECT_EQ(enemies[0].cell_y, y);
    EXPECT_EQ(score, 100u);                       // the touches while it lies score nothing
    EXPECT_EQ(power_mode, 0);                     // power mode ran out meanwhile
    // Awake again, with power mode over, it catches the player.
    ASSERT_TRUE(run_frames_until([] { return player.knockout != 0; }, 40));
    EXPECT_EQ(score, 100u);
    EXPECT_EQ(lives, START_LIVES);
}

TEST_F(PlayScenario, AContinueWithAKnotThenCatchesEverySecondDot)
{
    start_game_on({{"runin.txt", RUN_IN}});
    ASSERT_TRUE(run_frames_until([] { return player.knockout != 0; }, 60));
    run_frames(3);
    EXPECT_EQ(message_frames, 4);
    // Free again with a knot; power mode knocks out the enemy still touching the player.
    push_keys({SDLK_v, SDLK_n, SDLK_RIGHT});
    run_frame();
    EXPECT_EQ(catch_interval, 2);
    EXPECT_EQ(player.knockout, 0);
    EXPECT_NE(enemies[0].knockout, 0);
    EXPECT_EQ(lives, START_LIVES);
    run_frames(8 * 11);
    ASSERT_EQ(player.cell_x, 11);
    std::string caught;
    for (int x = 2; x <= 11; x++)
        caught += level_map.cells[x + 5 * MAP_COLUMNS] == CELL_FLOOR ? 'x' : '.';
    EXPECT_EQ(caught, ".x.x.x.x.x");
    EXPECT_EQ(message_frames, 0);                 // the message was wiped
}

TEST_F(PlayScenario, BoostHalvesEnemySpeedSpendsTheReserveAndSwitchesOff)
{
    std::vector<std::string> rows = {"111111111111111111111111111111", "1400000000000000000000000001"};
    rows.resize(6, "1111111111111111111111111111111");
    rows[4] = "1111111111111111111111111111131";
    start_game_on({{"track.txt", rows}});
    push_key(SDLK_b);                             // no reserve: nothing happens
    run_frame();
    EXPECT_EQ(enemies[0].next_speed, NORMAL_SPEED);

    const Uint32 reserve = 10 * frame_delay + 5;
    boost_reserve = reserve;
    push_key(SDLK_b);
    run_frame();
    EXPECT_EQ(enemies[0].next_speed, BOOST_SPEED);
    // The reserve is spent only once the enemy runs at the boost pace, from its next step.
    ASSERT_TRUE(run_frames_until([] { return enemies[0].speed == BOOST_SPEED; }, 10));
    EXPECT_EQ(boost_reserve, reserve);
    Uint8 x = enemies[0].cell_x;
    for (int frame = 1; frame <= 10; frame++) {
        run_frame();
        EXPECT_EQ(boost_reserve, reserve - frame * frame_delay);
    }
    EXPECT_EQ(enemies[0].cell_x, x);              // 16 frames a cell now
    run_frame();
    EXPECT_EQ(enemies[0].next_speed, NORMAL_SPEED);  // the reserve could not pay
    EXPECT_EQ(boost_reserve, 5u);
    run_frames(6);
    EXPECT_EQ(enemies[0].cell_x, x + 1);
    EXPECT_EQ(enemies[0].speed, NORMAL_SPEED);

    // Switched on and at once off again by the key.
    boost_reserve = reserve;
    push_key(SDLK_b);
    run_frame();
    EXPECT_EQ(enemies[0].next_speed, BOOST_SPEED);
    push_key(SDLK_b);
    run_frame();
    EXPECT_EQ(enemies[0].next_speed, NORMAL_SPEED);
}

TEST_F(PlayScenario, TeleportsIncludingALetterUsedThreeTimes)
{
    start_game_on({{"tele.txt", {
        "1111111111111111111111111",
        "1322A22222222222222A22221",   // A pairs (4, 1) with (19, 1)
        "1111111111111111111111111",
        "1011111111111111111111111",   // a dot out of reach keeps the level going
    }}});
    push_key(SDLK_RIGHT);
    run_frames(1 + 8 * 2);
    EXPECT_EQ(player.cell_x, 4);                  // on the teleport
    run_frames(8);
    EXPECT_EQ(player.cell_x, 20);                 // through it and one cell on
    EXPECT_EQ(player.cell_y, 1);

    // B on (1, 3), (4, 3) and (7, 3): the pair is the first and the last; the middle one
    // leads to the first.
    reset_game_state();
    start_game_on({{"tele3.txt", {
        "1111111111",
        "1011111111",
        "1111111111",
        "1B22B32B21",
        "1111111111",
    }}});
    push_key(SDLK_LEFT);
    run_frame();
    EXPECT_EQ(player.cell_x, 4);
    run_frames(8);
    EXPECT_EQ(player.cell_x, 1);                  // out on the first B, stopped by the wall
    EXPECT_EQ(player.cell_y, 3);
    EXPECT_EQ(player.direction, DIR_NONE);
    push_key(SDLK_RIGHT);
    run_frame();
    EXPECT_EQ(player.cell_x, 2);                  // walks off its exit without jumping back
    run_frames(8 * 2);
    EXPECT_EQ(player.cell_x, 4);                  // onto the middle B again
    run_frames(8);
    EXPECT_EQ(player.cell_x, 2);                  // to the first B and one cell on
}
