// SPDX-License-Identifier: GPL-3.0-or-later
// map.cpp: fuzz target for the map reader and the map checker.
#include "fuzz_support.h"
#include "checks.h"
#include "world.h"
#include <cstdio>

// Reads the input as a map over whatever the previous input left in level_map, then checks
// that the dot count matches the dot cells and the starts lie on the grid.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FILE *file = fmemopen(const_cast<uint8_t *>(data), size, "rb");
    if (!file)
        return 0;
    enemy_start_x.clear();
    enemy_start_y.clear();
    read_map(level_map, file);
    fclose(file);
    int dots = 0;
    for (Uint8 cell : level_map.cells)
        dots += cell == CELL_DOT;
    require(level_map.dots_left == dots, "dots_left counts every dot cell");
    require(enemy_start_x.size() == enemy_start_y.size(), "enemy starts in pairs");
    for (size_t i = 0; i < enemy_start_x.size(); i++)
        require(enemy_start_x[i] < MAP_COLUMNS && enemy_start_y[i] < MAP_ROWS, "enemy start on the grid");
    for (const TeleportPair &pair : level_map.teleports)
        require(cell_at(level_map, pair.x1, pair.y1) == pair.letter
                    && cell_at(level_map, pair.x2, pair.y2) == pair.letter,
                "teleport ends hold their letter");
    check_level_map(std::string(reinterpret_cast<const char *>(data), size));
    return 0;
}
