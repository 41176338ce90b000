// SPDX-License-Identifier: GPL-3.0-or-later
// game_state_test.cpp: the actor and level records and the grid helpers.
#include "world.h"
#include "files.h"
#include <gtest/gtest.h>
#include <cstring>

TEST(GameState, ActorResetKeepsPlaceAndTrail)
{
    Actor actor;
    EXPECT_EQ(actor.rect.w, CELL_SIZE);
    EXPECT_EQ(actor.rect.h, CELL_SIZE);
    EXPECT_EQ(actor.speed, NORMAL_SPEED);
    actor.cell_x = 4;
    actor.trail_y[1] = 9;
    actor.exit_x = 3;
    actor.rect.x = 77;
    actor.next_speed = actor.speed = BOOST_SPEED;
    actor.phase = 2;
    actor.step_counter = 5;
    actor.direction = actor.wanted_direction = actor.last_direction = DIR_UP;
    actor.knockout = 400;
    actor.reset();
    EXPECT_EQ(actor.next_speed, NORMAL_SPEED);
    EXPECT_EQ(actor.speed, NORMAL_SPEED);
    EXPECT_EQ(actor.phase, NORMAL_SPEED);
    EXPECT_EQ(actor.step_counter, 0);
    EXPECT_EQ(actor.direction, DIR_NONE);
    EXPECT_EQ(actor.wanted_direction, DIR_NONE);
    EXPECT_EQ(actor.last_direction, DIR_NONE);
    EXPECT_EQ(actor.knockout, 0);
    EXPECT_EQ(actor.cell_x, 4);
    EXPECT_EQ(actor.trail_y[1], 9);
    EXPECT_EQ(actor.exit_x, 3);
    EXPECT_EQ(actor.rect.x, 77);
}

TEST(GameState, CellsOutsideTheGridAreWalls)
{
    LevelMap map;
    memset(map.cells, CELL_FLOOR, sizeof map.cells);
    map.cells[3 + 2 * MAP_COLUMNS] = CELL_DOT;
    map.cells[MAP_CELLS - 1] = 'K';
    EXPECT_EQ(cell_at(map, 3, 2), CELL_DOT);
    EXPECT_EQ(cell_at(map, MAP_COLUMNS - 1, MAP_ROWS - 1), 'K');
    EXPECT_EQ(cell_at(map, 0, 0), CELL_FLOOR);
    EXPECT_EQ(cell_at(map, -1, 0), CELL_WALL);
    EXPECT_EQ(cell_at(map, 0, -1), CELL_WALL);
    EXPECT_EQ(cell_at(map, MAP_COLUMNS, 0), CELL_WALL);   // not row 1's first cell
    EXPECT_EQ(cell_at(map, 0, MAP_ROWS), CELL_WALL);
}

TEST(GameState, FramesPerSecondFollowsTheFrameLength)
{
    int saved = frame_delay;
    frame_delay = 25;
    EXPECT_EQ(frames_per_second(), 40);
    frame_delay = 23;
    EXPECT_EQ(frames_per_second(), 43);
    frame_delay = 20;
    EXPECT_EQ(frames_per_second(), 50);
    frame_delay = saved;
}
