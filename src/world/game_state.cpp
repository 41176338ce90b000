// SPDX-License-Identifier: GPL-3.0-or-later
// game_state.cpp: the game world's variables, the LevelMap and Actor records and the grid
// helpers; read and written by every subsystem.
#include "world.h"
#include "files.h"

// The cells are left alone: they are zero at program start and never cleared between maps.
LevelMap::LevelMap() : dots_left(0) {}

// Before its first drawing an actor counts as a 32 by 32 sprite for the hit test.
Actor::Actor()
    : rect{0, 0, CELL_SIZE, CELL_SIZE}, cell_x(0), cell_y(0), exit_x(0), exit_y(0),
      entry_x(0), entry_y(0), trail_x{0, 0, 0}, trail_y{0, 0, 0}
{
    reset();
}

void Actor::reset()
{
    next_speed = speed = phase = NORMAL_SPEED;
    step_counter = 0;
    direction = wanted_direction = last_direction = DIR_NONE;
    knockout = 0;
}

// Program state
LevelMap menu_map;
std::vector<std::string> map_list;
Uint16 power_charges = 0;   // start-up stocks it
Uint16 decoy_count = 0;     // start-up stocks it
bool play_test_run = false;

void reset_stocks()
{
    power_charges = START_STOCK;
    decoy_count = START_STOCK;
}

void reset_program_state()
{
    map_list.clear();
    reset_stocks();
    row_being_named = -1;
}

// Run state
Uint8 level_index = 0;
Actor player;
Uint8 lives = 0;
Uint32 score = 0;
Uint8 catch_interval = 1;
Uint8 catch_streak = 0;
Uint8 power_mode = 0;
Uint16 power_timer = 0;

// catch_streak starts at 0 with the interval at 1, so the first dot visited is caught.
void reset_run_state()
{
    level_index = 0;
    player = Actor();
    lives = START_LIVES;
    score = 0;
    catch_interval = 1;
    catch_streak = 0;
    power_mode = 0;
    power_timer = 0;
}

// Level state
LevelMap level_map;
Uint8 player_start_x = 0, player_start_y = 0;
std::vector<Uint8> enemy_start_x, enemy_start_y;
Uint8 enemy_count = 0;
std::vector<Actor> enemies;
Uint32 boost_reserve = 0;
Uint16 decoy_timer = 0;
Uint8 decoy_x = 0, decoy_y = 0;
Uint8 think_tick = 0;
Uint8 think_period = 1;
Uint8 message_frames = 0;

// What a level load clears before it opens the map, so that a map that cannot be opened
// leaves no start cells of the level before to play on.
void reset_level_reserve_and_starts()
{
    boost_reserve = 0;
    enemy_start_x.clear();
    enemy_start_y.clear();
}

// A level begins with no message running and the enemies' think schedule from its start,
// whatever the level before left. decoy_timer is left to the level start (start_level),
// which every level load runs.
void reset_level_state()
{
    reset_level_reserve_and_starts();
    enemy_count = 0;
    enemies.clear();
    decoy_x = decoy_y = 0;
    think_tick = 0;
    think_period = 1;
    message_frames = 0;
    reset_frame_scratch();
}

// Frame state
Uint8 boost_flag = 0;
Uint8 saved_player_x = 0, saved_player_y = 0;

void reset_frame_scratch()
{
    boost_flag = 0;
    saved_player_x = saved_player_y = 0;
}

// Frame record
Happenings happened = {};
void (*happenings_hook)() = nullptr;
ScreenHooks screen_hooks = {};

// Frames per second at the current frame_delay.
int frames_per_second()
{
    return 1000 / frame_delay;
}

Uint8 cell_at(const LevelMap &map, int x, int y)
{
    if (x < 0 || y < 0 || x >= MAP_COLUMNS || y >= MAP_ROWS)
        return CELL_WALL;
    return map.cells[x + y * MAP_COLUMNS];
}
