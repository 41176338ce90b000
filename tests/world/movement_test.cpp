// SPDX-License-Identifier: GPL-3.0-or-later
// movement_test.cpp: actor steps, turns, walls, teleports, the glide and the hit test.
#include "world.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

// An actor standing on (x, y) with an empty trail, wanting to go `wanted`.
Actor actor_at(int x, int y, Uint8 wanted = DIR_NONE)
{
    Actor actor;
    actor.wanted_direction = wanted;
    actor.cell_x = x;
    actor.cell_y = y;
    for (int i = 0; i < 3; i++) {
        actor.trail_x[i] = x;
        actor.trail_y[i] = y;
    }
    return actor;
}

// Runs frames until the next step has been taken.
void run_to_next_step(Actor &actor)
{
    for (int i = 0; i < 64; i++)
        if (step_actor(actor))
            return;
    FAIL() << "no step in 64 frames";
}

class Movement : public testing::Test {
protected:
    void SetUp() override { open_test_screen(); }
};

} // namespace

TEST_F(Movement, StandingActorStepsEveryFrameAndMovingOneEverySpeedFrames)
{
    set_level({"######",
               "#....#",
               "######"});
    Actor actor = actor_at(1, 1);
    EXPECT_EQ(step_actor(actor), 1);   // standing, nothing wanted
    EXPECT_EQ(step_actor(actor), 1);
    EXPECT_EQ(actor.direction, DIR_NONE);
    actor.wanted_direction = DIR_RIGHT;
    EXPECT_EQ(step_actor(actor), 1);
    EXPECT_EQ(actor.direction, DIR_RIGHT);
    EXPECT_EQ(actor.cell_x, 2);
    EXPECT_EQ(actor.trail_x[0], 1);
    EXPECT_EQ(actor.trail_x[1], 1);
    EXPECT_EQ(actor.trail_x[2], 2);
    for (int i = 0; i < 7; i++)
        EXPECT_EQ(step_actor(actor), 0);
    EXPECT_EQ(actor.cell_x, 2);
    EXPECT_EQ(step_actor(actor), 1);
    EXPECT_EQ(actor.cell_x, 3);
    EXPECT_EQ(actor.trail_x[0], 1);
    EXPECT_EQ(actor.trail_x[1], 2);
    EXPECT_EQ(actor.trail_x[2], 3);
}

TEST_F(Movement, WantedTurnWaitsForTheSideCorridorAndReversingWorks)
{
    set_level({"##########",
               "#........#",
               "#####.####",
               "#####.####"});
    Actor actor = actor_at(1, 1, DIR_RIGHT);
    run_to_next_step(actor);
    actor.wanted_direction = DIR_DOWN;   // a wall below until column 5
    while (actor.cell_x < 5) {
        EXPECT_EQ(actor.direction, DIR_RIGHT);
        EXPECT_EQ(actor.wanted_direction, DIR_DOWN);
        run_to_next_step(actor);
    }
    EXPECT_EQ(actor.cell_y, 1);
    run_to_next_step(actor);
    EXPECT_EQ(actor.direction, DIR_DOWN);
    EXPECT_EQ(actor.cell_x, 5);
    EXPECT_EQ(actor.cell_y, 2);
    actor.wanted_direction = DIR_UP;     // back the way it came
    run_to_next_step(actor);
    EXPECT_EQ(actor.direction, DIR_UP);
    EXPECT_EQ(actor.cell_y, 1);
}

TEST_F(Movement, WallStopsTheActorOnItsCell)
{
    set_level({"#####",
               "#...#",
               "#####"});
    Actor actor = actor_at(2, 1, DIR_RIGHT);
    run_to_next_step(actor);
    EXPECT_EQ(actor.cell_x, 3);
    run_to_next_step(actor);
    EXPECT_EQ(actor.cell_x, 3);
    EXPECT_EQ(actor.direction, DIR_NONE);
    EXPECT_EQ(actor.last_direction, DIR_RIGHT);
    EXPECT_EQ(actor.wanted_direction, DIR_RIGHT);
    for (int i = 0; i < 3; i++) {
        update_glide(actor);
        EXPECT_EQ(actor.rect.x, 3 * CELL_SIZE);
        EXPECT_EQ(actor.rect.y, 1 * CELL_SIZE);
        step_actor(actor);
    }
}

TEST_F(Movement, NoActorLeavesTheGrid)
{
    memset(level_map.cells, CELL_FLOOR, sizeof level_map.cells);   // no border at all
    level_map.teleports.clear();
    struct Case { int x, y; Uint8 direction; } cases[] = {{MAP_COLUMNS - 1, 5, DIR_RIGHT},
        {0, 5, DIR_LEFT}, {5, 0, DIR_UP}, {5, MAP_ROWS - 1, DIR_DOWN}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "direction " << int(c.direction));
        EXPECT_FALSE(way_free(c.x, c.y, c.direction));
        Actor actor = actor_at(c.x, c.y);
        actor.direction = c.direction;
        actor.step_counter = NORMAL_SPEED - 1;
        EXPECT_EQ(step_actor(actor), 1);
        EXPECT_EQ(actor.cell_x, c.x);
        EXPECT_EQ(actor.cell_y, c.y);
        EXPECT_EQ(actor.direction, DIR_NONE);
        EXPECT_EQ(actor.last_direction, c.direction);
    }
    int nx, ny;
    EXPECT_FALSE(neighbour_cell(3, 3, 5, nx, ny));
    EXPECT_FALSE(way_free(3, 3, DIR_NONE));
}

TEST_F(Movement, NextSpeedTakesEffectAtTheNextStep)
{
    set_level({"##########",
               "#........#",
               "##########"});
    Actor actor = actor_at(1, 1, DIR_RIGHT);
    run_to_next_step(actor);
    for (int i = 0; i < 3; i++)
        step_actor(actor);
    actor.next_speed = BOOST_SPEED;
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(step_actor(actor), 0);
    EXPECT_EQ(actor.speed, NORMAL_SPEED);
    EXPECT_EQ(step_actor(actor), 1);   // the eighth frame of the step
    EXPECT_EQ(actor.speed, BOOST_SPEED);
    EXPECT_EQ(actor.phase, BOOST_SPEED);
    for (int i = 0; i < BOOST_SPEED - 1; i++)
        EXPECT_EQ(step_actor(actor), 0);
    EXPECT_EQ(step_actor(actor), 1);
}

TEST_F(Movement, GlideSlidesIntoTheNewCell)
{
    set_level({"##########",
               "#........#",
               "##########"});
    Actor actor = actor_at(2, 1, DIR_RIGHT);
    const int at_speed_8[] = {28, 24, 20, 16, 12, 8, 4, 0};
    for (int offset : at_speed_8) {
        step_actor(actor);
        update_glide(actor);
        EXPECT_EQ(actor.rect.x, 3 * CELL_SIZE - offset);
        EXPECT_EQ(actor.rect.y, CELL_SIZE);
    }
    actor.next_speed = BOOST_SPEED;
    actor.wanted_direction = DIR_LEFT;
    for (int i = 0; i < BOOST_SPEED; i++) {
        step_actor(actor);
        update_glide(actor);
        EXPECT_EQ(actor.cell_x, 2);
        EXPECT_EQ(actor.rect.x, 2 * CELL_SIZE + 30 - 2 * i);
    }
}

TEST_F(Movement, TeleportJumpsOneStepLaterAndTheExitMarkStopsTheWayBack)
{
    set_level({"################",
               "#...A.....A#####",
               "################"});
    level_map.teleports.push_back(TeleportPair{4, 10, 1, 1, 'A'});
    Actor actor = actor_at(3, 1, DIR_RIGHT);
    run_to_next_step(actor);
    EXPECT_EQ(actor.cell_x, 4);                    // on the teleport
    run_to_next_step(actor);
    EXPECT_EQ(actor.cell_x, 10);                   // jumped and blocked by the wall beyond
    EXPECT_EQ(actor.direction, DIR_NONE);
    EXPECT_EQ(actor.exit_x, 10);
    EXPECT_EQ(actor.exit_y, 1);
    EXPECT_EQ(actor.entry_x, 4);
    EXPECT_EQ(actor.trail_x[0], 4);                // the entry cell is wiped with the trail
    EXPECT_EQ(actor.trail_x[1], 10);
    EXPECT_EQ(actor.trail_x[2], 10);
    actor.wanted_direction = DIR_LEFT;
    run_to_next_step(actor);
    EXPECT_EQ(actor.cell_x, 9);                    // no jump back
    EXPECT_EQ(actor.entry_x, 0);
    run_to_next_step(actor);
    EXPECT_EQ(actor.exit_x, 0);                    // cleared on leaving a plain cell
    EXPECT_EQ(actor.exit_y, 0);

    set_level({"################",
               "#...A.....A....#",
               "################"});
    level_map.teleports.push_back(TeleportPair{4, 10, 1, 1, 'A'});
    actor = actor_at(3, 1, DIR_RIGHT);
    run_to_next_step(actor);
    run_to_next_step(actor);
    EXPECT_EQ(actor.cell_x, 11);                   // one cell beyond the paired cell
    EXPECT_EQ(actor.direction, DIR_RIGHT);
}

TEST_F(Movement, ThirdAndLoneTeleportCells)
{
    set_level({"################",
               "#.B..B..B..C...#",
               "################"});
    level_map.teleports.push_back(TeleportPair{2, 8, 1, 1, 'B'});
    level_map.teleports.push_back(TeleportPair{11, 11, 1, 1, 'C'});   // C occurs once
    Actor actor = actor_at(5, 1);                  // the middle B
    actor.direction = DIR_DOWN;                    // stopped by the wall after the jump
    actor.step_counter = NORMAL_SPEED - 1;
    step_actor(actor);
    EXPECT_EQ(actor.cell_x, 2);
    EXPECT_EQ(actor.cell_y, 1);

    actor = actor_at(10, 1, DIR_RIGHT);
    run_to_next_step(actor);
    EXPECT_EQ(actor.cell_x, 11);
    run_to_next_step(actor);
    EXPECT_EQ(actor.cell_x, 12);                   // passed over C like floor
    EXPECT_EQ(actor.exit_x, 0);
    EXPECT_EQ(actor.entry_x, 0);
    teleport_actor(actor = actor_at(11, 1));
    EXPECT_EQ(actor.cell_x, 11);
    EXPECT_EQ(actor.exit_x, 0);

    level_map.teleports.clear();                   // a letter the map no longer pairs
    actor = actor_at(4, 1, DIR_RIGHT);
    run_to_next_step(actor);
    run_to_next_step(actor);
    EXPECT_EQ(actor.cell_x, 6);
}

TEST_F(Movement, ActorsTouchWhenLessThanHalfASpriteApart)
{
    const struct { Sint16 px, py, ex, ey; bool touch; } cases[] = {
        {100, 200, 115, 200, true},  {100, 200, 116, 200, false},
        {100, 200, 85, 200, true},   {100, 200, 84, 200, false},
        {100, 200, 100, 215, true},  {100, 200, 100, 216, false},
        {0, 0, -10, -10, true},                    // signed positions
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.px << "," << c.py << " and " << c.ex << "," << c.ey);
        Actor p, e;
        p.rect = {c.px, c.py, 32, 32};
        e.rect = {c.ex, c.ey, 32, 32};
        EXPECT_EQ(actors_touch(p, e), c.touch);
    }
}
