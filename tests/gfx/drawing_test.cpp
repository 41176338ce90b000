// SPDX-License-Identifier: GPL-3.0-or-later
// drawing_test.cpp: maze cells on the screen; every tile has its own flat colour, and the
// screen's pixels tell which tile a cell shows.
#include <gtest/gtest.h>
#include <set>
#include <utility>
#include "frame.h"
#include "gfx.h"
#include "test_support.h"
#include "world.h"

namespace {

const Uint32 BACKGROUND = 0xFFFF;
Uint32 tile_colour(int code) { return 0x100 + code; }   // codes 0..5
const Uint32 TELEPORT_COLOUR = 0x200;

typedef std::set<std::pair<int, int>> CellSet;

class Drawing : public testing::Test {
protected:
    void SetUp() override
    {
        open_test_screen();
        free_skin();
        for (int code = 0; code <= CELL_POWER; code++)
            tile_sprites[code] = screen_format_surface(CELL_SIZE, CELL_SIZE, tile_colour(code));
        teleport_sprite = screen_format_surface(CELL_SIZE, CELL_SIZE, TELEPORT_COLOUR);
        fill_map(level_map, CELL_FLOOR);
        fill_map(menu_map, CELL_WALL);
        SDL_FillRect(screen, nullptr, BACKGROUND);
    }

    void TearDown() override { free_skin(); }

    static void fill_map(LevelMap &map, Uint8 code)
    {
        for (Uint8 &cell : map.cells)
            cell = code;
    }

    // The colour at the middle of cell (x, y).
    static Uint32 cell_colour(int x, int y)
    {
        return locked_pixel(screen, x * CELL_SIZE + CELL_SIZE / 2, y * CELL_SIZE + CELL_SIZE / 2);
    }

    // The cells a rectangle redraw repaints on a blank screen.
    static CellSet redrawn_cells(Sint16 x, Sint16 y, Uint16 w, Uint16 h)
    {
        SDL_FillRect(screen, nullptr, BACKGROUND);
        redraw_cells_in_rect(SDL_Rect{x, y, w, h});
        CellSet cells;
        for (int row = 0; row < MAP_ROWS; row++)
            for (int column = 0; column < MAP_COLUMNS; column++)
                if (cell_colour(column, row) != BACKGROUND)
                    cells.insert({column, row});
        return cells;
    }
};

TEST_F(Drawing, EachCodeShowsItsTile)
{
    const Uint8 row[] = {CELL_DOT, CELL_WALL, CELL_FLOOR, CELL_LIFE, CELL_DECOY, CELL_POWER, 'A', 'z'};
    for (int i = 0; i < 8; i++)
        level_map.cells[2 + i + 5 * MAP_COLUMNS] = row[i];
    level_map.cells[12 + 5 * MAP_COLUMNS] = 7;   // a code no map holds: left undrawn
    draw_maze(level_map);
    for (int code = 0; code <= CELL_POWER; code++)
        EXPECT_EQ(tile_colour(code), cell_colour(2 + code, 5)) << int(code);
    EXPECT_EQ(TELEPORT_COLOUR, cell_colour(8, 5));
    EXPECT_EQ(TELEPORT_COLOUR, cell_colour(9, 5));
    EXPECT_EQ(BACKGROUND, cell_colour(12, 5));
    EXPECT_EQ(tile_colour(CELL_FLOOR), cell_colour(31, 23));
    // The tile covers its whole cell and nothing more.
    EXPECT_EQ(TELEPORT_COLOUR, locked_pixel(screen, 8 * 32, 5 * 32));
    EXPECT_EQ(TELEPORT_COLOUR, locked_pixel(screen, 8 * 32 + 31, 5 * 32 + 31));
    EXPECT_EQ(tile_colour(CELL_FLOOR), locked_pixel(screen, 8 * 32 + 31, 6 * 32));

    SDL_FillRect(screen, nullptr, BACKGROUND);
    draw_cell(8, 5);
    EXPECT_EQ(TELEPORT_COLOUR, cell_colour(8, 5));
    EXPECT_EQ(BACKGROUND, cell_colour(9, 6));
    draw_cell(32, 0);   // off the grid: nothing
    draw_cell(0, 24);
    draw_cell(255, 255);
    EXPECT_EQ(BACKGROUND, cell_colour(0, 1));
    EXPECT_EQ(BACKGROUND, cell_colour(0, 0));
}

TEST_F(Drawing, SingleCellsComeFromThePlayedMap)
{
    draw_maze(menu_map);
    EXPECT_EQ(tile_colour(CELL_WALL), cell_colour(3, 4));
    EXPECT_EQ(tile_colour(CELL_WALL), cell_colour(0, 0));
    draw_cell(3, 4);
    EXPECT_EQ(tile_colour(CELL_FLOOR), cell_colour(3, 4));
    EXPECT_EQ(tile_colour(CELL_WALL), cell_colour(4, 4));
    redraw_cells_in_rect(SDL_Rect{320, 320, 10, 10});
    EXPECT_EQ(tile_colour(CELL_FLOOR), cell_colour(10, 10));
}

TEST_F(Drawing, RectangleEdgesCountInclusively)
{
    EXPECT_EQ((CellSet{{0, 0}, {1, 0}}), redrawn_cells(0, 0, 32, 10));
    EXPECT_EQ((CellSet{{1, 1}}), redrawn_cells(40, 40, 5, 5));
    EXPECT_EQ((CellSet{{3, 0}, {4, 0}}), redrawn_cells(100, 0, 28, 1));
    EXPECT_EQ((CellSet{{3, 0}}), redrawn_cells(100, 0, 27, 1));
    EXPECT_EQ((CellSet{{5, 2}, {5, 3}}), redrawn_cells(170, 70, 1, 26));
}

TEST_F(Drawing, RectangleIsClippedToTheGrid)
{
    EXPECT_EQ((CellSet{{0, 0}, {1, 0}, {0, 1}, {1, 1}}), redrawn_cells(-40, -40, 72, 72));
    EXPECT_EQ((CellSet{{31, 23}}), redrawn_cells(1000, 740, 200, 200));
    EXPECT_EQ(CellSet{}, redrawn_cells(2000, 10, 10, 10));
    EXPECT_EQ(CellSet{}, redrawn_cells(-200, -200, 100, 100));
    EXPECT_EQ(size_t(MAP_CELLS), redrawn_cells(-32000, -32000, 65535, 65535).size());
    EXPECT_EQ(size_t(MAP_COLUMNS), redrawn_cells(-32768, 300, 65535, 0).size());
}

}  // namespace
