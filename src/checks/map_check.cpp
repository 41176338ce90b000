// SPDX-License-Identifier: GPL-3.0-or-later
// map_check.cpp: checks of map files as the content is meant to be written, made on what the
// game's own map reader makes of them; used by the content check, the map editor and the tests.
#include "checks.h"
#include "world.h"
#include "files.h"
#include <array>
#include <cstring>
#include <map>
#include <queue>

// A read-only stream over text; a stream over one line end stands for an empty text.
static FILE *text_stream(const std::string &text)
{
    static const char empty[] = "\n";
    if (text.empty())
        return fmemopen((void *)empty, 1, "r");
    return fmemopen((void *)text.data(), text.size(), "r");
}

std::vector<std::string> text_lines(const std::string &text, size_t line_size)
{
    std::vector<std::string> lines;
    FILE *file = text_stream(text);
    if (!file)
        return lines;
    std::vector<char> line(line_size);
    while (read_line(file, line.data(), line.size()))
        lines.push_back(line.data());
    fclose(file);
    return lines;
}

std::vector<std::string> map_rows(const std::string &text)
{
    return text_lines(text, MAP_LINE_SIZE);
}

static void add_fault(std::vector<MapFault> &faults, int kind,
                      std::vector<std::pair<int, int>> cells, const char *format, int a = 0,
                      int b = 0, int c = 0)
{
    char line[160];
    snprintf(line, sizeof line, format, a, b, c);
    faults.push_back(MapFault{kind, line, std::move(cells)});
}

std::vector<MapFault> check_map_text_format(const std::string &text)
{
    std::vector<MapFault> faults;
    std::vector<std::string> rows = map_rows(text);
    if ((int)rows.size() != MAP_ROWS)
        add_fault(faults, MAP_FAULT_FORMAT, {}, "has %d rows, not %d", (int)rows.size(), MAP_ROWS);
    for (int y = 0; y < (int)rows.size() && y < MAP_ROWS; y++) {
        const std::string &row = rows[y];
        if ((int)row.size() != MAP_COLUMNS) {
            std::vector<std::pair<int, int>> cells;   // the cells it lacks, or all of a long row
            for (int x = (int)row.size() < MAP_COLUMNS ? row.size() : 0; x < MAP_COLUMNS; x++)
                cells.push_back({x, y});
            add_fault(faults, MAP_FAULT_FORMAT, cells, "row %d has %d characters, not %d", y,
                      (int)row.size(), MAP_COLUMNS);
        }
        for (int x = 0; x < (int)row.size() && x < MAP_COLUMNS; x++)
            if (map_character_cell((unsigned char)row[x]) < 0)
                add_fault(faults, MAP_FAULT_CHARACTER, {{x, y}},
                          "row %d column %d: character %d is not a map character", y, x,
                          (unsigned char)row[x]);
    }
    return faults;
}

static bool open_cell(const LevelMap &map, int x, int y)
{
    return cell_at(map, x, y) != CELL_WALL;
}

static int cell_index(int x, int y)
{
    return x + y * MAP_COLUMNS;
}

// The cells the player can reach from its start, following the game's movement: the player
// may turn into any free way at a cell; a teleport cell entered is left at the next step
// through its partner, one cell on in the direction then held (kept from the way in, or
// turned into a way free from the teleport cell), or standing on the partner when a wall
// is there; standing on a teleport it came out of, it walks off without jumping.
static std::vector<bool> reachable_cells(const LevelMap &map, int start)
{
    std::vector<char> standing(MAP_CELLS, 0);                  // free to take any way
    std::vector<std::array<char, 5>> entered(MAP_CELLS, std::array<char, 5>{});   // teleport entered going d
    std::queue<std::pair<int, int>> todo;                      // cell, direction (0: standing)
    auto leads_on = [&](int cell) {
        int tx, ty;
        return teleport_target(map, cell % MAP_COLUMNS, cell / MAP_COLUMNS, tx, ty);
    };
    auto arrive = [&](int cell, int direction) {
        bool jumps = direction != 0 && leads_on(cell);
        char &seen = jumps ? entered[cell][direction] : standing[cell];
        if (!seen) {
            seen = 1;
            todo.push({cell, jumps ? direction : 0});
        }
    };
    arrive(start, 0);
    while (!todo.empty()) {
        auto [cell, held] = todo.front();
        todo.pop();
        int x = cell % MAP_COLUMNS, y = cell / MAP_COLUMNS;
        int ex = x, ey = y;
        if (held != 0)
            teleport_target(map, x, y, ex, ey);
        for (int d = DIR_RIGHT; d <= DIR_UP; d++) {
            int nx, ny;
            bool turn_free = way_free_on(map, x, y, d);
            if (held == 0) {
                if (turn_free && neighbour_cell(x, y, d, nx, ny))
                    arrive(cell_index(nx, ny), d);
                continue;
            }
            if (!turn_free && d != held)
                continue;
            if (way_free_on(map, ex, ey, d) && neighbour_cell(ex, ey, d, nx, ny))
                arrive(cell_index(nx, ny), d);
            else
                arrive(cell_index(ex, ey), 0);
        }
    }
    std::vector<bool> reached(MAP_CELLS, false);
    for (int i = 0; i < MAP_CELLS; i++) {
        reached[i] = standing[i];
        for (char e : entered[i])
            reached[i] = reached[i] || e;
    }
    return reached;
}

static void check_border(const LevelMap &map, std::vector<MapFault> &faults)
{
    for (int y = 0; y < MAP_ROWS; y++)
        for (int x = 0; x < MAP_COLUMNS; x++) {
            bool edge = x == 0 || y == 0 || x == MAP_COLUMNS - 1 || y == MAP_ROWS - 1;
            if (edge && open_cell(map, x, y))
                add_fault(faults, MAP_FAULT_BORDER, {{x, y}}, "row %d column %d: the border is open",
                          y, x);
        }
}

static void check_teleport_letters(const LevelMap &map, std::vector<MapFault> &faults)
{
    std::map<int, std::vector<std::pair<int, int>>> uses;
    for (int y = 0; y < MAP_ROWS; y++)
        for (int x = 0; x < MAP_COLUMNS; x++)
            if (cell_at(map, x, y) >= TELEPORT_FIRST)
                uses[cell_at(map, x, y)].push_back({x, y});
    for (auto &[letter, cells] : uses) {
        if (cells.size() == 2)
            continue;
        const char *format = letter < TELEPORT_LAST ? "teleport letter %c occurs %d times, not twice"
                                                    : "teleport character %d occurs %d times, not twice";
        add_fault(faults, MAP_FAULT_TELEPORT_UNPAIRED, cells, format, letter, (int)cells.size());
    }
}

static void check_starts(const LevelMap &map, const MapStarts &starts,
                         std::vector<MapFault> &faults)
{
    std::vector<std::pair<int, int>> enemy_cells;
    for (size_t i = 0; i < starts.enemy_x.size(); i++)
        enemy_cells.push_back({starts.enemy_x[i], starts.enemy_y[i]});
    if (starts.player_count != 1)
        add_fault(faults, MAP_FAULT_PLAYER_STARTS, {}, "has %d player starts, not one",
                  starts.player_count);
    int count = enemy_cells.size();
    if (count < 1 || count > MAX_LEVEL_ENEMIES)
        add_fault(faults, MAP_FAULT_ENEMY_STARTS, enemy_cells, "has %d enemy starts, not 1 to %d",
                  count, MAX_LEVEL_ENEMIES);
    for (auto [x, y] : enemy_cells) {
        if (!open_cell(map, x + 1, y) && !open_cell(map, x - 1, y) && !open_cell(map, x, y + 1)
            && !open_cell(map, x, y - 1))
            add_fault(faults, MAP_FAULT_ENEMY_WALLED_IN, {{x, y}},
                      "row %d column %d: enemy start walled in", y, x);
        if (starts.player_count == 0)
            continue;
        if (abs(starts.player_x - x) + abs(starts.player_y - y) < MIN_ENEMY_DISTANCE)
            add_fault(faults, MAP_FAULT_ENEMY_BESIDE_PLAYER, {{x, y}, {starts.player_x, starts.player_y}},
                      "row %d column %d: enemy start beside the player start", y, x);
    }
}

// Dots, pick-ups, enemy starts and teleports must all lie on the player's way.
static void check_reachable(const LevelMap &map, const MapStarts &starts,
                            std::vector<MapFault> &faults)
{
    if (map.dots_left == 0)
        add_fault(faults, MAP_FAULT_NO_DOTS, {}, "has no dots: the level would end at once");
    if (starts.player_count == 0)
        return;
    std::vector<bool> reached = reachable_cells(map, cell_index(starts.player_x, starts.player_y));
    for (int y = 0; y < MAP_ROWS; y++)
        for (int x = 0; x < MAP_COLUMNS; x++) {
            Uint8 code = cell_at(map, x, y);
            bool wanted = code != CELL_WALL && code != CELL_FLOOR;
            if (wanted && !reached[cell_index(x, y)])
                add_fault(faults, MAP_FAULT_UNREACHABLE, {{x, y}},
                          "row %d column %d: cannot be reached from the player start", y, x);
        }
}

std::vector<MapFault> check_map_text(const std::string &text)
{
    std::vector<MapFault> faults = check_map_text_format(text);
    LevelMap map;
    memset(map.cells, CELL_WALL, sizeof map.cells);   // characters the reader skips read as walls
    MapStarts starts;
    FILE *file = text_stream(text);
    if (!file)
        return faults;
    read_map_cells(map, file, starts);
    fclose(file);
    check_border(map, faults);
    check_teleport_letters(map, faults);
    check_starts(map, starts, faults);
    check_reachable(map, starts, faults);
    return faults;
}

std::vector<std::string> fault_lines(const std::vector<MapFault> &faults)
{
    std::vector<std::string> lines;
    for (const MapFault &fault : faults)
        lines.push_back(fault.what);
    return lines;
}

std::vector<std::string> check_map_format(const std::string &text)
{
    return fault_lines(check_map_text_format(text));
}

std::vector<std::string> check_level_map(const std::string &text)
{
    return fault_lines(check_map_text(text));
}
