// map_check.cpp: checks of map files as the content is meant to be written; used by the
// check_maps tool and the content tests. Works on the file texts alone, not on level_map.
#include "world.h"
#include "files.h"
#include <array>
#include <cstring>
#include <map>
#include <queue>

static const char *const LIST_FILE = "maps/AAA_maplist.txt";
static const char *const MENU_MAP_FILE = "data/menumap.txt";
static const char *const CELL_CHARACTERS = "01234567";   // besides the teleport letters

static bool is_teleport_char(unsigned char c)
{
    return c >= TELEPORT_FIRST && c < 127;
}

static bool is_map_char(unsigned char c)
{
    return (c != 0 && strchr(CELL_CHARACTERS, c)) || is_teleport_char(c);
}

static std::string fault(const char *format, int a, int b = 0, int c = 0)
{
    char line[160];
    snprintf(line, sizeof line, format, a, b, c);
    return line;
}

std::vector<std::string> map_rows(const std::string &text)
{
    std::vector<std::string> rows;
    std::string line;
    for (size_t i = 0; i <= text.size(); i++) {
        char c = i < text.size() ? text[i] : '\n';
        if (c != '\n' && c != '\r') {
            line += c;
            continue;
        }
        if (!line.empty() && line[0] != '#')
            rows.push_back(line);
        line.clear();
    }
    return rows;
}

std::vector<std::string> check_map_format(const std::string &text)
{
    std::vector<std::string> faults;
    std::vector<std::string> rows = map_rows(text);
    if ((int)rows.size() != MAP_ROWS)
        faults.push_back(fault("has %d rows, not %d", (int)rows.size(), MAP_ROWS));
    for (int y = 0; y < (int)rows.size(); y++) {
        const std::string &row = rows[y];
        if ((int)row.size() != MAP_COLUMNS)
            faults.push_back(fault("row %d has %d characters, not %d", y, (int)row.size(),
                                   MAP_COLUMNS));
        for (int x = 0; x < (int)row.size(); x++)
            if (!is_map_char(row[x]))
                faults.push_back(fault("row %d column %d: character %d is not a map character",
                                       y, x, (unsigned char)row[x]));
    }
    return faults;
}

// A well-formed level, row by row; off the grid reads as a wall.
using Rows = std::vector<std::string>;

static char grid_at(const Rows &rows, int x, int y)
{
    if (x < 0 || y < 0 || x >= MAP_COLUMNS || y >= MAP_ROWS)
        return '1';
    return rows[y][x];
}

static bool grid_open(const Rows &rows, int x, int y)
{
    return grid_at(rows, x, y) != '1';
}

static int cell_index(int x, int y)
{
    return x + y * MAP_COLUMNS;
}

static void step_from(int x, int y, int direction, int &nx, int &ny)
{
    static const int dx[5] = {0, 1, 0, -1, 0};
    static const int dy[5] = {0, 0, 1, 0, -1};
    nx = x + dx[direction];
    ny = y + dy[direction];
}

// Where each teleport cell sends an actor, as the game pairs them: the first occurrence
// leads to the last, every other one to the first. -1 for cells that lead nowhere.
static std::vector<int> teleport_targets(const Rows &grid)
{
    std::map<char, std::pair<int, int>> ends;   // letter: first and last cell
    for (int y = 0; y < MAP_ROWS; y++)
        for (int x = 0; x < MAP_COLUMNS; x++) {
            char c = grid_at(grid, x, y);
            if (!is_teleport_char(c))
                continue;
            auto found = ends.find(c);
            if (found == ends.end())
                ends[c] = {cell_index(x, y), cell_index(x, y)};
            else
                found->second.second = cell_index(x, y);
        }
    std::vector<int> target(MAP_CELLS, -1);
    for (int i = 0; i < MAP_CELLS; i++) {
        char c = grid_at(grid, i % MAP_COLUMNS, i / MAP_COLUMNS);
        if (!is_teleport_char(c))
            continue;
        auto pair = ends[c];
        if (pair.first != pair.second)
            target[i] = i == pair.first ? pair.second : pair.first;
    }
    return target;
}

// The cells the player can reach from its start, following the game's movement: the player
// may turn into any free way at a cell; a teleport cell entered is left at the next step
// through its partner, one cell on in the direction then held (kept from the way in, or
// turned into a way free from the teleport cell), or standing on the partner when a wall
// is there; standing on a teleport it came out of, it walks off without jumping.
static std::vector<bool> reachable_cells(const Rows &grid, int start)
{
    std::vector<int> target = teleport_targets(grid);
    std::vector<char> standing(MAP_CELLS, 0);                  // free to take any way
    std::vector<std::array<char, 5>> entered(MAP_CELLS, std::array<char, 5>{});   // teleport entered going d
    std::queue<std::pair<int, int>> todo;                      // cell, direction (0: standing)
    auto arrive = [&](int cell, int direction) {
        bool jumps = direction != 0 && target[cell] >= 0;
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
        for (int d = DIR_RIGHT; d <= DIR_UP; d++) {
            int nx, ny;
            step_from(x, y, d, nx, ny);
            bool turn_free = grid_open(grid, nx, ny);
            if (held == 0) {
                if (turn_free)
                    arrive(cell_index(nx, ny), d);
                continue;
            }
            if (!turn_free && d != held)
                continue;
            int exit = target[cell];
            int ex = exit % MAP_COLUMNS, ey = exit / MAP_COLUMNS;
            step_from(ex, ey, d, nx, ny);
            if (grid_open(grid, nx, ny))
                arrive(cell_index(nx, ny), d);
            else
                arrive(exit, 0);
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

static void check_border(const Rows &grid, std::vector<std::string> &faults)
{
    for (int y = 0; y < MAP_ROWS; y++)
        for (int x = 0; x < MAP_COLUMNS; x++) {
            bool edge = x == 0 || y == 0 || x == MAP_COLUMNS - 1 || y == MAP_ROWS - 1;
            if (edge && grid_at(grid, x, y) != '1')
                faults.push_back(fault("row %d column %d: the border is open", y, x));
        }
}

static void check_teleport_letters(const Rows &grid, std::vector<std::string> &faults)
{
    std::map<char, int> uses;
    for (int y = 0; y < MAP_ROWS; y++)
        for (int x = 0; x < MAP_COLUMNS; x++)
            if (is_teleport_char(grid_at(grid, x, y)))
                uses[grid_at(grid, x, y)]++;
    for (auto [letter, count] : uses)
        if (count != 2)
            faults.push_back(fault("teleport letter %c occurs %d times, not twice", letter, count));
}

static void check_starts(const Rows &grid, std::vector<std::string> &faults, int &player_cell)
{
    std::vector<int> players, enemies_found;
    for (int y = 0; y < MAP_ROWS; y++)
        for (int x = 0; x < MAP_COLUMNS; x++) {
            if (grid_at(grid, x, y) == '3')
                players.push_back(cell_index(x, y));
            if (grid_at(grid, x, y) == '4')
                enemies_found.push_back(cell_index(x, y));
        }
    player_cell = players.empty() ? -1 : players.back();
    if (players.size() != 1)
        faults.push_back(fault("has %d player starts, not one", (int)players.size()));
    int count = enemies_found.size();
    if (count < 1 || count > MAX_LEVEL_ENEMIES)
        faults.push_back(fault("has %d enemy starts, not 1 to %d", count, MAX_LEVEL_ENEMIES));
    for (int cell : enemies_found) {
        int x = cell % MAP_COLUMNS, y = cell / MAP_COLUMNS;
        if (!grid_open(grid, x + 1, y) && !grid_open(grid, x - 1, y) && !grid_open(grid, x, y + 1)
            && !grid_open(grid, x, y - 1))
            faults.push_back(fault("row %d column %d: enemy start walled in", y, x));
        if (player_cell < 0)
            continue;
        int px = player_cell % MAP_COLUMNS, py = player_cell / MAP_COLUMNS;
        if (abs(px - x) + abs(py - y) < MIN_ENEMY_DISTANCE)
            faults.push_back(fault("row %d column %d: enemy start beside the player start", y, x));
    }
}

// Dots, pick-ups, enemy starts and teleports must all lie on the player's way.
static void check_reachable(const Rows &grid, int player_cell, std::vector<std::string> &faults)
{
    std::vector<bool> reached = reachable_cells(grid, player_cell);
    bool any_dot = false;
    for (int y = 0; y < MAP_ROWS; y++)
        for (int x = 0; x < MAP_COLUMNS; x++) {
            char c = grid_at(grid, x, y);
            any_dot = any_dot || c == '0' || c == '4';
            bool wanted = strchr("04567", c) || is_teleport_char(c);
            if (wanted && !reached[cell_index(x, y)])
                faults.push_back(fault("row %d column %d: cannot be reached from the player start",
                                       y, x));
        }
    if (!any_dot)
        faults.push_back("has no dots: the level would end at once");
}

std::vector<std::string> check_level_map(const std::string &text)
{
    std::vector<std::string> faults = check_map_format(text);
    if (!faults.empty())
        return faults;
    std::vector<std::string> rows = map_rows(text);
    check_border(rows, faults);
    check_teleport_letters(rows, faults);
    int player_cell = -1;
    check_starts(rows, faults, player_cell);
    if (faults.empty())
        check_reachable(rows, player_cell, faults);
    return faults;
}

static void add_faults(std::vector<std::string> &all, const std::string &file,
                       const std::vector<std::string> &found)
{
    for (const std::string &line : found)
        all.push_back(file + ": " + line);
}

// Which kinds of cell the levels use together: map characters, plus 'A' and 'a' standing for
// any upper- and lower-case teleport letter.
static void note_kinds(const std::string &text, std::map<char, bool> &used)
{
    for (const std::string &row : map_rows(text))
        for (char c : row) {
            if (c >= 'A' && c <= 'Z')
                used['A'] = true;
            else if (c >= 'a' && c <= 'z')
                used['a'] = true;
            else
                used[c] = true;
        }
}

std::vector<std::string> check_content_maps(const std::string &content_dir)
{
    std::vector<std::string> faults;
    std::string text;
    std::string menu_path = content_dir + "/" + MENU_MAP_FILE;
    if (!read_whole_file(menu_path, text))
        faults.push_back(menu_path + ": cannot be read");
    else
        add_faults(faults, menu_path, check_map_format(text));

    std::string list_path = content_dir + "/" + LIST_FILE;
    if (!read_whole_file(list_path, text)) {
        faults.push_back(list_path + ": cannot be read");
        return faults;
    }
    std::vector<std::string> names = map_rows(text);
    if (names.empty())
        faults.push_back(list_path + ": names no maps");
    std::map<char, bool> used;
    for (const std::string &name : names) {
        std::string path = content_dir + "/maps/" + name;
        if (!read_whole_file(path, text)) {
            faults.push_back(path + ": cannot be read");
            continue;
        }
        add_faults(faults, path, check_level_map(text));
        note_kinds(text, used);
    }
    for (char kind : std::string("0124567Aa"))
        if (!used[kind])
            faults.push_back(list_path + fault(": no level uses the cell kind %c", kind));
    return faults;
}
