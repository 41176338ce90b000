// SPDX-License-Identifier: GPL-3.0-or-later
// drawing.cpp: maze cells, whole mazes and the cells under a rectangle, painted on `screen`
// from the skin's tiles; used by levels, movement, the panel, boxes and the menus.
#include "gfx.h"
#include "world.h"

// Teleport letters share one tile; codes that never occur in a map (6 to 64) have none.
SDL_Surface *tile_of(Uint8 code)
{
    if (code >= TELEPORT_FIRST)
        return teleport_sprite;
    if (code <= CELL_POWER)
        return tile_sprites[code];
    return nullptr;
}

// Paints cell (x, y) of the map; cells off the 32x24 grid are not drawn.
static void paint_cell(const LevelMap &map, int x, int y)
{
    if (x < 0 || x >= MAP_COLUMNS || y < 0 || y >= MAP_ROWS)
        return;
    SDL_Surface *tile = tile_of(map.cells[x + y * MAP_COLUMNS]);
    if (!tile)
        return;
    SDL_Rect target = {(Sint16)(x * CELL_SIZE), (Sint16)(y * CELL_SIZE), CELL_SIZE, CELL_SIZE};
    blit_noted(tile, nullptr, screen, &target);
}

// Repaints cell (x, y) of level_map, the map being played.
void draw_cell(Uint8 x, Uint8 y)
{
    paint_cell(level_map, x, y);
}

void draw_maze(const LevelMap &map)
{
    for (int y = 0; y < MAP_ROWS; y++)
        for (int x = 0; x < MAP_COLUMNS; x++)
            paint_cell(map, x, y);
    note_whole_screen();
}

// Clamps a cell index to 0..last.
static int clamp_cell(int cell, int last)
{
    return cell < 0 ? 0 : (cell > last ? last : cell);
}

// Repaints from level_map every cell the rectangle touches. The right and bottom edges count
// inclusively (x 100, w 28 repaints columns 3 and 4); the range is clipped to the grid.
void redraw_cells_in_rect(SDL_Rect rect)
{
    int first_column = rect.x / CELL_SIZE;
    int first_row = rect.y / CELL_SIZE;
    int last_column = (rect.x + rect.w) / CELL_SIZE;
    int last_row = (rect.y + rect.h) / CELL_SIZE;
    if (last_column < 0 || last_row < 0 || first_column >= MAP_COLUMNS || first_row >= MAP_ROWS)
        return;
    first_column = clamp_cell(first_column, MAP_COLUMNS - 1);
    first_row = clamp_cell(first_row, MAP_ROWS - 1);
    last_column = clamp_cell(last_column, MAP_COLUMNS - 1);
    last_row = clamp_cell(last_row, MAP_ROWS - 1);
    for (int y = first_row; y <= last_row; y++)
        for (int x = first_column; x <= last_column; x++)
            paint_cell(level_map, x, y);
}
