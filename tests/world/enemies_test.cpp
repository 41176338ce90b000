// SPDX-License-Identifier: GPL-3.0-or-later
// enemies_test.cpp: the enemies' think step (teleports, chasing) and their choices at walls.
#include "world.h"
#include "frame.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <set>

namespace {

// One enemy on (x, y) and the player free on (px, py), power mode off.
Actor &one_enemy(int x, int y, int px, int py)
{
    enemies.assign(1, Actor());
    enemies[0].cell_x = x;
    enemies[0].cell_y = y;
    player = Actor();
    player.cell_x = px;
    player.cell_y = py;
    power_mode = 0;
    return enemies[0];
}

// A seed whose first coin comes up `coin`.
unsigned seed_for_coin(int coin)
{
    for (unsigned seed = 1;; seed++) {
        srand(seed);
        if (rand() % 2 == coin)
            return seed;
    }
}

// The wanted direction chosen with the first coin forced to `coin`.
Uint8 choose_with_coin(int coin)
{
    srand(seed_for_coin(coin));
    choose_enemy_direction(0);
    return enemies[0].wanted_direction;
}

// A crossing: a row from (1, 2) to (5, 2) and a column from (3, 1) to (3, 3).
const std::vector<std::string> CROSS = {
    "#######",
    "###.###",
    "#.....#",
    "###.###",
    "#######",
};

} // namespace

TEST(EnemyThink, ChasesAlongTheRowOrColumnThroughWalls)
{
    set_level({"##########",
               "#.#.#.#..#",
               "##########"});
    const struct { int px, py; Uint8 wish, wanted; } cases[] = {
        {8, 1, DIR_NONE, DIR_RIGHT}, {0, 1, DIR_NONE, DIR_LEFT},
        {1, 9, DIR_NONE, DIR_DOWN},  {1, 0, DIR_NONE, DIR_UP},
        {1, 1, DIR_NONE, DIR_LEFT},                 // on the enemy's own cell
        {5, 6, DIR_DOWN, DIR_DOWN},                 // neither row nor column: no change
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "player on " << c.px << "," << c.py);
        Actor &enemy = one_enemy(1, 1, c.px, c.py);
        enemy.wanted_direction = c.wish;
        think_tick = 7;
        enemy_think(enemy);
        EXPECT_EQ(enemy.wanted_direction, c.wanted);
        EXPECT_EQ(think_tick, 0);
    }
}

TEST(EnemyThink, NoChaseInPowerModeOrWhileThePlayerIsCaught)
{
    set_level({"##########",
               "#........#",
               "##########"});
    Actor &enemy = one_enemy(1, 1, 8, 1);
    enemy.wanted_direction = DIR_UP;
    power_mode = 1;
    enemy_think(enemy);
    EXPECT_EQ(enemy.wanted_direction, DIR_UP);
    power_mode = 0;
    player.knockout = 1;
    think_tick = 3;
    enemy_think(enemy);
    EXPECT_EQ(enemy.wanted_direction, DIR_UP);
    EXPECT_EQ(think_tick, 0);
    player.knockout = 0;
}

TEST(EnemyThink, TurnsToAnAdjacentTeleportUnlessItSharesARowOrColumnWithTheExit)
{
    set_level({"#######",
               "###A###",
               "#...B##",
               "###.###",
               "#######"});
    Actor &enemy = one_enemy(3, 2, 20, 20);    // player far away: no chase
    enemy.direction = DIR_LEFT;
    enemy_think(enemy);
    EXPECT_EQ(enemy.wanted_direction, DIR_UP);  // B (right) first, then A (up) wins
    EXPECT_EQ(enemy.last_direction, DIR_LEFT);

    enemy.wanted_direction = DIR_LEFT;
    enemy.exit_x = 3;                           // came out in A's column: only B attracts
    enemy.exit_y = 9;
    enemy_think(enemy);
    EXPECT_EQ(enemy.wanted_direction, DIR_RIGHT);

    enemy.wanted_direction = DIR_LEFT;
    enemy.exit_x = 9;                           // a mark in B's row keeps B out as well
    enemy.exit_y = 2;
    enemy_think(enemy);
    EXPECT_EQ(enemy.wanted_direction, DIR_UP);

    set_level({"#####",
               "#.AB#",
               "#####"});
    Actor &out = one_enemy(2, 1, 20, 20);       // standing on the teleport it came out of
    out.exit_x = 2;
    out.exit_y = 1;
    out.wanted_direction = DIR_LEFT;
    enemy_think(out);
    EXPECT_EQ(out.wanted_direction, DIR_LEFT);
}

TEST(ChooseEnemyDirection, NeverTurnsBackOutsideADeadEnd)
{
    set_level({"#######",
               "#....##",
               "####.##",
               "#######"});
    Actor &enemy = one_enemy(4, 1, 1, 1);       // player behind it, to the left
    for (int coin = 0; coin < 2; coin++) {
        enemy.last_direction = DIR_RIGHT;       // stopped by the wall after running right
        enemy.wanted_direction = DIR_RIGHT;
        EXPECT_EQ(choose_with_coin(coin), DIR_DOWN) << "coin " << coin;
    }
    set_level({"#######",
               "#....##",
               "#######"});
    for (int coin = 0; coin < 2; coin++) {
        enemy.last_direction = DIR_RIGHT;
        EXPECT_EQ(choose_with_coin(coin), DIR_LEFT) << "coin " << coin;
    }
}

TEST(ChooseEnemyDirection, HeadsForThePlayerOrTakesTheFixedOrder)
{
    set_level(CROSS);
    Actor &enemy = one_enemy(3, 2, 5, 3);       // player to the right, below
    EXPECT_EQ(choose_with_coin(0), DIR_RIGHT);
    EXPECT_EQ(choose_with_coin(1), DIR_UP);     // up, down, right, left
    enemy.last_direction = DIR_LEFT;            // right would turn it back
    EXPECT_EQ(choose_with_coin(0), DIR_DOWN);
    enemy.last_direction = DIR_DOWN;            // and up as well
    EXPECT_EQ(choose_with_coin(1), DIR_DOWN);
    player.cell_x = 3;                          // same column: heads left, then up or down
    player.cell_y = 2;
    enemy.last_direction = DIR_NONE;
    EXPECT_EQ(choose_with_coin(0), DIR_LEFT);
    enemy.last_direction = DIR_RIGHT;
    EXPECT_EQ(choose_with_coin(0), DIR_UP);     // same row counts as "not below"
}

TEST(ChooseEnemyDirection, TheSameSeedGivesTheSameChoices)
{
    set_level(CROSS);
    Actor &enemy = one_enemy(3, 2, 5, 3);
    auto run = [&]() {
        set_test_seed(99);
        seed_random(12345);
        std::vector<Uint8> choices;
        for (int i = 0; i < 40; i++) {
            enemy.last_direction = DIR_NONE;
            choose_enemy_direction(0);
            choices.push_back(enemy.wanted_direction);
        }
        return choices;
    };
    std::vector<Uint8> first = run();
    EXPECT_EQ(first, run());
    std::set<Uint8> seen(first.begin(), first.end());
    EXPECT_EQ(seen, (std::set<Uint8>{DIR_RIGHT, DIR_UP}));   // both sides of the coin
}

TEST(ChooseEnemyDirection, AWalledInEnemyStaysAndKeepsItsWish)
{
    set_level({"###",
               "#.#",
               "###"});
    Actor &enemy = one_enemy(1, 1, 5, 5);
    enemy.wanted_direction = DIR_DOWN;
    enemy.last_direction = DIR_UP;
    for (int coin = 0; coin < 2; coin++)
        EXPECT_EQ(choose_with_coin(coin), DIR_DOWN);
    for (Uint8 d = DIR_RIGHT; d <= DIR_UP; d++)
        EXPECT_FALSE(way_free(1, 1, d));
    open_test_screen();
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(step_actor(enemy), 1);
    EXPECT_EQ(enemy.cell_x, 1);
    EXPECT_EQ(enemy.cell_y, 1);
    EXPECT_EQ(enemy.direction, DIR_NONE);

    choose_enemy_direction(-1);                 // no such enemy: nothing happens
    choose_enemy_direction(1);
    EXPECT_EQ(enemy.wanted_direction, DIR_DOWN);
}
