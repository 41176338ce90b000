// SPDX-License-Identifier: GPL-3.0-or-later
// maps.cpp: map files and the map list, loading and starting levels, new games; called by
// start-up, the main menu and the per-frame rules.
#include "world.h"
#include "files.h"
#include "clock.h"
#include <algorithm>
#include <cstdio>
#include <cstring>

const char *const MAP_LIST_PATH = "maps/AAA_maplist.txt";

// The teleport pair of `letter`, or null when the map has none yet.
static TeleportPair *find_teleport(LevelMap &map, Uint8 letter)
{
    for (TeleportPair &pair : map.teleports)
        if (pair.letter == letter)
            return &pair;
    return nullptr;
}

// A teleport letter at (x, y): the first occurrence opens a pair that leads nowhere until a
// later occurrence becomes its other end.
static void pair_teleport(LevelMap &map, Uint8 letter, Uint8 x, Uint8 y)
{
    TeleportPair *pair = find_teleport(map, letter);
    if (pair) {
        pair->x2 = x;
        pair->y2 = y;
        return;
    }
    map.teleports.push_back(TeleportPair{x, x, y, y, letter});
}

int map_character_index(unsigned char c)
{
    for (int i = 0; i < MAP_CHARACTER_COUNT; i++)
        if ((unsigned char)MAP_CHARACTERS[i].character == c)
            return i;
    return -1;
}

int map_character_cell(unsigned char c)
{
    int index = map_character_index(c);
    if (index >= 0)
        return MAP_CHARACTERS[index].cell;
    return c >= TELEPORT_FIRST && c <= TELEPORT_LAST ? c : -1;
}

// One map character into cell (x, y); a start character goes into starts.
static void read_map_cell(LevelMap &map, MapStarts &starts, unsigned char c, Uint8 x, Uint8 y)
{
    int code = map_character_cell(c);
    if (code < 0)
        return;   // the cell keeps the code it already had
    map.cells[x + y * MAP_COLUMNS] = (Uint8)code;
    if (code >= TELEPORT_FIRST)
        pair_teleport(map, c, x, y);
    if (c == MAP_PLAYER_START) {
        starts.player_count++;
        starts.player_x = x;
        starts.player_y = y;
    }
    if (c == MAP_ENEMY_START) {
        starts.enemy_x.push_back(x);
        starts.enemy_y.push_back(y);
    }
}

// Reads 24 rows of 32 cells. Cells beyond a short row and rows missing at the end of the
// file are walls.
void read_map_cells(LevelMap &map, FILE *file, MapStarts &starts)
{
    map.teleports.clear();
    map.dots_left = 0;
    char line[MAP_LINE_SIZE];
    for (int y = 0; y < MAP_ROWS; y++) {
        size_t length = 0;
        if (read_line(file, line, sizeof line))
            length = strlen(line);
        for (int x = 0; x < MAP_COLUMNS; x++) {
            if ((size_t)x < length)
                read_map_cell(map, starts, (unsigned char)line[x], x, y);
            else
                map.cells[x + y * MAP_COLUMNS] = CELL_WALL;
        }
    }
    map.dots_left = (Uint16)std::count(map.cells, map.cells + MAP_CELLS, CELL_DOT);
}

// Writes player_start_x/y when the map has a player start (the last one read) and appends
// its enemy starts to enemy_start_x/y.
int read_map(LevelMap &map, FILE *file)
{
    MapStarts starts;
    read_map_cells(map, file, starts);
    if (starts.player_count > 0) {
        player_start_x = starts.player_x;
        player_start_y = starts.player_y;
    }
    size_t taken = std::min(starts.enemy_x.size(), MAX_ENEMIES - std::min(MAX_ENEMIES, enemy_start_x.size()));
    enemy_start_x.insert(enemy_start_x.end(), starts.enemy_x.begin(), starts.enemy_x.begin() + taken);
    enemy_start_y.insert(enemy_start_y.end(), starts.enemy_y.begin(), starts.enemy_y.begin() + taken);
    return 0;
}

// Appends every plain name of the list file to map_list (see read_names).
int read_map_list(const char *path)
{
    FILE *file = open_text_file(path);
    if (!file)
        return 1;
    read_names(file, path, map_list);
    fclose(file);
    return 0;
}

// Loads maps/<name> into level_map with fresh enemies and starts it: the level state is
// reset, then the map sets the start cells, enemy_count, think_period and enemies, and the
// coin of the enemies is seeded. A missing file clears only boost_reserve and the enemy
// start lists, so nothing can play on the starts of the level before.
int load_level(const char *name)
{
    snprintf(text_buffer, TEXT_BUFFER_SIZE, "%s%s", MAPS_FOLDER, name);
    FILE *file = open_text_file(text_buffer);
    if (!file) {
        reset_level_reserve_and_starts();
        return 1;
    }
    reset_level_state();
    read_map(level_map, file);
    fclose(file);
    enemy_count = (Uint8)enemy_start_x.size();
    think_period = (Uint8)(enemy_count * 3 - 1);
    enemies.assign(enemy_count, Actor());
    start_level();
    seed_random(game_ticks());
    return 0;
}

// Puts an actor on (x, y) with all three trail entries there.
static void place_actor(Actor &actor, Uint8 x, Uint8 y)
{
    actor.cell_x = x;
    actor.cell_y = y;
    for (int i = 0; i < 3; i++) {
        actor.trail_x[i] = x;
        actor.trail_y[i] = y;
    }
}

// The active enemies and the player back to their start cells, the maze on both buffers.
// Knocked-out enemies stay where they lie. Writes decoy_timer.
void start_level()
{
    for (size_t i = 0; i < enemies.size(); i++) {
        Actor &enemy = enemies[i];
        if (enemy.knockout != 0 || i >= enemy_start_x.size() || i >= enemy_start_y.size())
            continue;
        place_actor(enemy, enemy_start_x[i], enemy_start_y[i]);
        enemy.direction = DIR_NONE;
        enemy.wanted_direction = DIR_NONE;
    }
    place_actor(player, player_start_x, player_start_y);
    screen_hooks.draw_maze(level_map);
    screen_hooks.show_screen();
    screen_hooks.draw_maze(level_map);
    decoy_timer = 0;
    player.direction = DIR_NONE;
    player.wanted_direction = DIR_NONE;
}

// A fresh run on the first map. When there is no first map to play, lives is left 0 so that
// no game counts as in progress, and 1 is returned.
int new_game()
{
    reset_run_state();   // the level load resets the level state
    if (map_list.empty()) {
        printf("ERROR no maps in %s\n\n", MAP_LIST_PATH);
        lives = 0;
        return 1;
    }
    if (load_level(map_list[0].c_str()) != 0) {
        lives = 0;
        return 1;
    }
    return 0;
}
