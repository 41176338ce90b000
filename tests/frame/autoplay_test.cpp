// SPDX-License-Identifier: GPL-3.0-or-later
// autoplay_test.cpp: the automatic player clears every shipped level in most runs, caught
// fewer times than it has lives, and on hand-made maps it walks a corridor without a catch,
// beats a chasing enemy with power mode and gives up at once on dots that no way leads to.
#include "autoplay.h"
#include "checks.h"
#include "files.h"
#include "frame.h"
#include "test_support.h"
#include "world.h"
#include <cctype>
#include <gtest/gtest.h>

namespace {

const int SEEDS = 3;   // runs a level; "most" is all but one

// The shipped map list, read when the tests are listed: each level is a test of its own.
std::vector<std::string> shipped_levels()
{
    return map_rows(read_file(std::string(SOURCE_DIR) + "/content/" + MAP_LIST_PATH));
}

TEST(Autoplay, TheCampaignHasTwentyFourLevels)
{
    EXPECT_GE(shipped_levels().size(), 24u);
}

class ShippedLevel : public testing::TestWithParam<std::string> {};

TEST_P(ShippedLevel, IsClearedInMostRuns)
{
    enter_play_tree();
    read_config(CONFIG_PATH);
    AutoplayReport report = autoplay_level(GetParam(), SEEDS);
    EXPECT_GE(report.cleared, SEEDS - 1) << "stuck at " << report.stuck_x << "," << report.stuck_y;
    // Fair, not absurd: fewer catches a run than a game has lives (a player taking knot after
    // knot in an enemy's way would not pass).
    EXPECT_LT(report.catches, START_LIVES);
    EXPECT_GT(report.median_seconds, 0);
}

INSTANTIATE_TEST_SUITE_P(Autoplay, ShippedLevel, testing::ValuesIn(shipped_levels()),
                         [](const testing::TestParamInfo<std::string> &info) {
                             std::string name = info.param.substr(0, info.param.find('.'));
                             for (char &c : name)
                                 if (!isalnum((unsigned char)c))
                                     c = '_';
                             return name;
                         });

TEST(Autoplay, PlaysHandMadeMapsSoundly)
{
    enter_play_tree();
    std::vector<std::string> corridor = walled_rows(), chase = walled_rows(), walled = walled_rows();
    for (std::string &row : corridor)
        row = std::string(MAP_COLUMNS, MAP_WALL);
    corridor[5] = "13" + std::string(MAP_COLUMNS - 3, MAP_DOT) + "1";
    for (int y = 1; y < MAP_ROWS - 1; y++)
        chase[y] = y <= 8 ? "1" + std::string(12, MAP_DOT) + std::string(MAP_COLUMNS - 13, MAP_WALL)
                          : std::string(MAP_COLUMNS, MAP_WALL);
    chase[8][1] = MAP_PLAYER_START;
    chase[1][12] = MAP_ENEMY_START;
    walled = corridor;
    walled[7] = "11111000011111111111111111111111";   // four dots behind walls
    start_game_on({{"corridor.txt", corridor}, {"chase.txt", chase}, {"walled.txt", walled}});

    AutoplayRun run = autoplay_run("corridor.txt", 1);
    EXPECT_TRUE(run.cleared);
    EXPECT_EQ(run.catches, 0);
    EXPECT_LE(run.frames, (MAP_COLUMNS - 3) * NORMAL_SPEED + 2);   // straight along, no detour

    AutoplayReport chased = autoplay_level("chase.txt", 3);
    EXPECT_EQ(chased.cleared, 3);
    EXPECT_GE(chased.power, 1);
    EXPECT_EQ(chased.lives_lost, 0);

    run = autoplay_run("walled.txt", 1);
    EXPECT_FALSE(run.cleared);
    EXPECT_TRUE(run.hopeless);
    EXPECT_EQ(run.frames, 0);
    EXPECT_EQ(run.stuck_y, 7);
    EXPECT_EQ(level_map.cells[run.stuck_x + run.stuck_y * MAP_COLUMNS], CELL_DOT);
    EXPECT_EQ(autoplay_level("walled.txt", 5).runs, 1);   // no seed is tried after a hopeless run
}

} // namespace
