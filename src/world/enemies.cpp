// SPDX-License-Identifier: GPL-3.0-or-later
// enemies.cpp: the enemies' think step and their choice of way at walls; called by the
// per-frame rules. The player's cell stands for the decoy's while a decoy is out.
#include "world.h"
#include <cstdlib>

static const Uint8 FIXED_ORDER[4] = {DIR_UP, DIR_DOWN, DIR_RIGHT, DIR_LEFT};

static Uint8 reverse_of(Uint8 direction)
{
    switch (direction) {
    case DIR_RIGHT: return DIR_LEFT;
    case DIR_DOWN: return DIR_UP;
    case DIR_LEFT: return DIR_RIGHT;
    case DIR_UP: return DIR_DOWN;
    default: return DIR_NONE;
    }
}

// Turns towards an adjacent teleport unless it lies in the row or column of the exit mark;
// the last of right, down, left, up wins.
static void seek_teleport(Actor &enemy)
{
    for (Uint8 d = DIR_RIGHT; d <= DIR_UP; d++) {
        int nx, ny;
        if (!neighbour_cell(enemy.cell_x, enemy.cell_y, d, nx, ny))
            continue;
        if (cell_at(level_map, nx, ny) < TELEPORT_FIRST)
            continue;
        if (enemy.exit_x == nx || enemy.exit_y == ny)
            continue;
        enemy.last_direction = enemy.direction;
        enemy.wanted_direction = d;
    }
}

// Turns towards the player's cell when it shares its column or row, walls or not.
static void chase_player(Actor &enemy)
{
    if (enemy.cell_x == player.cell_x)
        enemy.wanted_direction = enemy.cell_y < player.cell_y ? DIR_DOWN : DIR_UP;
    if (enemy.cell_y == player.cell_y)
        enemy.wanted_direction = enemy.cell_x < player.cell_x ? DIR_RIGHT : DIR_LEFT;
}

// Reads player, power_mode and level_map; writes think_tick 0.
void enemy_think(Actor &enemy)
{
    seek_teleport(enemy);
    if (player.knockout == 0 && power_mode == 0)
        chase_player(enemy);
    think_tick = 0;
}

// Takes `direction` as the wanted one if that way is free and, unless `back_allowed`, it
// does not reverse last_direction.
static bool try_direction(Actor &enemy, Uint8 direction, bool back_allowed)
{
    if (!back_allowed && direction == reverse_of(enemy.last_direction))
        return false;
    if (!way_free(enemy.cell_x, enemy.cell_y, direction))
        return false;
    enemy.wanted_direction = direction;
    return true;
}

// Sideways towards the player's column, else up or down towards its row; never back.
static bool head_for_player(Actor &enemy)
{
    Uint8 sideways = enemy.cell_x < player.cell_x ? DIR_RIGHT : DIR_LEFT;
    if (try_direction(enemy, sideways, false))
        return true;
    Uint8 upright = enemy.cell_y < player.cell_y ? DIR_DOWN : DIR_UP;
    return try_direction(enemy, upright, false);
}

// A coin between heading for the player and the fixed order up, down, right, left; the way
// back only in a dead end. With all four ways walled, wanted_direction stays as it was.
void choose_enemy_direction(int index)
{
    if (index < 0 || (size_t)index >= enemies.size())
        return;
    Actor &enemy = enemies[index];
    if (rand() % 2 == 0 && head_for_player(enemy))
        return;
    for (Uint8 d : FIXED_ORDER)
        if (try_direction(enemy, d, false))
            return;
    for (Uint8 d : FIXED_ORDER)
        if (try_direction(enemy, d, true))
            return;
}
