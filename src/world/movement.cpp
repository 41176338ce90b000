// SPDX-License-Identifier: GPL-3.0-or-later
// movement.cpp: actor steps over the grid of level_map, teleports, trail repaint, glide and
// the hit test; called by the per-frame rules and the enemies.
#include "world.h"

bool neighbour_cell(int x, int y, Uint8 direction, int &nx, int &ny)
{
    nx = x;
    ny = y;
    switch (direction) {
    case DIR_RIGHT: nx++; break;
    case DIR_DOWN: ny++; break;
    case DIR_LEFT: nx--; break;
    case DIR_UP: ny--; break;
    default: return false;
    }
    return nx >= 0 && ny >= 0 && nx < MAP_COLUMNS && ny < MAP_ROWS;
}

// Off the grid counts as a wall.
bool way_free_on(const LevelMap &map, int x, int y, Uint8 direction)
{
    int nx, ny;
    return neighbour_cell(x, y, direction, nx, ny) && cell_at(map, nx, ny) != CELL_WALL;
}

bool way_free(int x, int y, Uint8 direction)
{
    return way_free_on(level_map, x, y, direction);
}

static bool is_direction(Uint8 direction)
{
    return direction >= DIR_RIGHT && direction <= DIR_UP;
}

bool teleport_target(const LevelMap &map, int x, int y, int &tx, int &ty)
{
    Uint8 letter = cell_at(map, x, y);
    if (letter < TELEPORT_FIRST)
        return false;
    for (const TeleportPair &pair : map.teleports) {
        if (pair.letter != letter)
            continue;
        if (pair.x1 == pair.x2 && pair.y1 == pair.y2)
            return false;
        bool on_first = x == pair.x1 && y == pair.y1;
        tx = on_first ? pair.x2 : pair.x1;
        ty = on_first ? pair.y2 : pair.y1;
        return true;
    }
    return false;
}

static void set_trail(Actor &actor, int i, int x, int y)
{
    actor.trail_x[i] = x;
    actor.trail_y[i] = y;
}

// Jumps, exits or clears the exit mark on the actor's current cell before its move.
static void check_teleport(Actor &actor)
{
    int tx, ty;
    if (!teleport_target(level_map, actor.cell_x, actor.cell_y, tx, ty)) {
        actor.exit_x = 0;
        actor.exit_y = 0;
    } else if (actor.cell_x == actor.exit_x && actor.cell_y == actor.exit_y) {
        if (actor.entry_x != 0) {
            screen_hooks.draw_cell(actor.entry_x, actor.entry_y);
            actor.entry_x = 0;
        }
    } else {
        teleport_actor(actor);
    }
}

// One step of `direction`; a wall or the grid's edge stops the actor and keeps the
// direction in last_direction.
static void move_one_cell(Actor &actor)
{
    if (!is_direction(actor.direction))
        return;
    int nx, ny;
    if (!way_free(actor.cell_x, actor.cell_y, actor.direction)) {
        actor.last_direction = actor.direction;
        actor.direction = DIR_NONE;
        return;
    }
    neighbour_cell(actor.cell_x, actor.cell_y, actor.direction, nx, ny);
    actor.cell_x = nx;
    actor.cell_y = ny;
}

// Returns 1 when a step was due this frame (a standing actor has one every frame), else 0.
int step_actor(Actor &actor)
{
    actor.step_counter++;
    if (actor.step_counter < actor.speed && actor.direction != DIR_NONE)
        return 0;
    actor.step_counter = 0;
    actor.speed = actor.next_speed;
    actor.phase = actor.next_speed;
    if (is_direction(actor.wanted_direction)
        && way_free(actor.cell_x, actor.cell_y, actor.wanted_direction))
        actor.direction = actor.wanted_direction;
    if (actor.direction == DIR_NONE)
        return 1;
    check_teleport(actor);
    set_trail(actor, 0, actor.trail_x[1], actor.trail_y[1]);
    set_trail(actor, 1, actor.cell_x, actor.cell_y);
    move_one_cell(actor);
    set_trail(actor, 2, actor.cell_x, actor.cell_y);
    return 1;
}

// Moves an actor on a teleport cell to the other cell of its pair and marks that cell as
// its exit. An actor on a teleport that leads nowhere is left alone.
void teleport_actor(Actor &actor)
{
    int tx, ty;
    if (!teleport_target(level_map, actor.cell_x, actor.cell_y, tx, ty))
        return;
    screen_hooks.draw_cell(actor.trail_x[1], actor.trail_y[1]);
    set_trail(actor, 0, actor.trail_x[1], actor.trail_y[1]);
    actor.entry_x = actor.cell_x;
    actor.entry_y = actor.cell_y;
    set_trail(actor, 1, actor.cell_x, actor.cell_y);
    actor.cell_x = tx;
    actor.cell_y = ty;
    actor.exit_x = tx;
    actor.exit_y = ty;
    set_trail(actor, 2, tx, ty);
    if (&actor == &player)
        happened.teleports++;
}

void repaint_trail(const Actor &actor)
{
    for (int i = 0; i < 3; i++)
        screen_hooks.draw_cell(actor.trail_x[i], actor.trail_y[i]);
}

// Counts the glide down one frame and places rect that far short of the current cell.
void update_glide(Actor &actor)
{
    actor.phase--;
    actor.rect.x = actor.cell_x * CELL_SIZE;
    actor.rect.y = actor.cell_y * CELL_SIZE;
    if (actor.direction == DIR_NONE) {
        actor.phase++;
        return;
    }
    int offset = actor.speed ? actor.phase * CELL_SIZE / actor.speed : 0;
    switch (actor.direction) {
    case DIR_RIGHT: actor.rect.x -= offset; break;
    case DIR_DOWN: actor.rect.y -= offset; break;
    case DIR_LEFT: actor.rect.x += offset; break;
    case DIR_UP: actor.rect.y += offset; break;
    }
}

// The player's size bounds the left and top, the enemy's the right and bottom.
bool actors_touch(const Actor &p, const Actor &e)
{
    int px = p.rect.x, py = p.rect.y, ex = e.rect.x, ey = e.rect.y;
    return ex - p.rect.w / 2 < px && px < ex + e.rect.w / 2
        && ey - p.rect.h / 2 < py && py < ey + e.rect.h / 2;
}
