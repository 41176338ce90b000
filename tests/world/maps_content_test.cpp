// SPDX-License-Identifier: GPL-3.0-or-later
// maps_content_test.cpp: the shipped maps pass the map checks, and the checks find the
// faults they are there for.
#include "checks.h"
#include "world.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <numeric>

namespace {

// A small good level: walls around, a loop of dots, player, enemy, a teleport pair.
std::vector<std::string> good_rows()
{
    std::vector<std::string> rows(MAP_ROWS, std::string(MAP_COLUMNS, MAP_WALL));
    for (int y = 1; y <= 5; y++)
        for (int x = 1; x <= 10; x++)
            rows[y][x] = (y == 1 || y == 5 || x == 1 || x == 10) ? MAP_DOT : MAP_WALL;
    rows[1][1] = MAP_PLAYER_START;
    rows[5][10] = MAP_ENEMY_START;
    rows[3][1] = 'K';
    rows[3][10] = 'K';
    return rows;
}

std::string text_of(const std::vector<std::string> &rows)
{
    std::string text = "# a test level\n";
    for (const std::string &row : rows)
        text += row + "\n";
    return text;
}

// The faults of the good level after `change`, joined into one line.
std::string faults_after(void (*change)(std::vector<std::string> &))
{
    std::vector<std::string> rows = good_rows();
    change(rows);
    std::string all;
    for (const std::string &fault : check_level_map(text_of(rows)))
        all += fault + "; ";
    return all;
}

int count_of(const std::string &text, char c)
{
    int n = 0;
    for (const std::string &row : map_rows(text))
        n += std::count(row.begin(), row.end(), c);
    return n;
}

} // namespace

TEST(MapsContent, ShippedLevelsRiseInEnemiesOverall)
{
    std::string list = read_file(std::string(SOURCE_DIR) + "/content/maps/AAA_maplist.txt");
    std::vector<std::string> names = map_rows(list);
    ASSERT_GE(names.size(), 8u);
    std::vector<int> enemy_counts;
    for (const std::string &name : names)
        enemy_counts.push_back(
            count_of(read_file(std::string(SOURCE_DIR) + "/content/maps/" + name), MAP_ENEMY_START));
    EXPECT_EQ(enemy_counts.front(), 1);                       // a gentle start
    EXPECT_EQ(enemy_counts.back(), MAX_LEVEL_ENEMIES);        // and a full-strength end
    // The counts rise overall, not level by level (a big maze with few enemies may follow a
    // small one with more): each third of the campaign has more enemies a level than the
    // third before it.
    double before = 0;
    const size_t third = names.size() / 3;
    for (size_t part = 0; part < 3; part++) {
        auto from = enemy_counts.begin() + part * third;
        auto to = part == 2 ? enemy_counts.end() : from + third;
        double mean = std::accumulate(from, to, 0.0) / (to - from);
        EXPECT_GT(mean, before) << "third " << part + 1;
        before = mean;
    }
}

// The walls of a map cut to the box around its open cells, in the one of its eight turns and
// mirror images that sorts first: two maps give the same shape only when one is the other
// turned, mirrored or shifted.
std::string maze_shape(const std::vector<std::string> &rows)
{
    int left = MAP_COLUMNS, right = -1, top = MAP_ROWS, bottom = -1;
    for (int y = 0; y < (int)rows.size(); y++)
        for (int x = 0; x < (int)rows[y].size(); x++)
            if (rows[y][x] != MAP_WALL) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    std::vector<std::string> shape;
    for (int y = top; y <= bottom; y++) {
        std::string line;
        for (int x = left; x <= right; x++)
            line += rows[y][x] == MAP_WALL ? '#' : '.';
        shape.push_back(line);
    }
    std::string best;
    for (int turn = 0; turn < 8; turn++) {
        std::string flat;
        for (const std::string &line : shape)
            flat += line + "/";
        if (best.empty() || flat < best)
            best = flat;
        std::vector<std::string> next(shape[0].size(), std::string(shape.size(), ' '));
        for (size_t y = 0; y < shape.size(); y++)   // a quarter turn
            for (size_t x = 0; x < shape[y].size(); x++)
                next[x][shape.size() - 1 - y] = shape[y][x];
        shape = next;
        if (turn == 3)
            for (std::string &line : shape)
                std::reverse(line.begin(), line.end());
    }
    return best;
}

TEST(MapsContent, NoTwoShippedLevelsAreTheSameMaze)
{
    std::string maps = std::string(SOURCE_DIR) + "/content/maps/";
    std::vector<std::string> names = map_rows(read_file(maps + "AAA_maplist.txt"));
    std::vector<std::string> shapes;
    for (const std::string &name : names)
        shapes.push_back(maze_shape(map_rows(read_file(maps + name))));
    for (size_t a = 0; a < names.size(); a++)
        for (size_t b = a + 1; b < names.size(); b++)
            EXPECT_NE(shapes[a], shapes[b]) << names[a] << " and " << names[b];
    std::vector<std::string> turned = map_rows(read_file(maps + names[0])), shifted = turned;
    std::reverse(turned.begin(), turned.end());                   // upside down
    shifted.insert(shifted.begin() + 1, std::string(MAP_COLUMNS, MAP_WALL));   // one row lower
    shifted.pop_back();
    EXPECT_EQ(maze_shape(turned), shapes[0]);
    EXPECT_EQ(maze_shape(shifted), shapes[0]);
}

TEST(MapsContent, TheChecksFindEachFault)
{
    EXPECT_EQ(faults_after([](std::vector<std::string> &) {}), "");
    EXPECT_NE(faults_after([](auto &r) { r[4].pop_back(); }).find("row 4 has 31 characters"),
              std::string::npos);
    EXPECT_NE(faults_after([](auto &r) { r.pop_back(); }).find("23 rows"), std::string::npos);
    EXPECT_NE(faults_after([](auto &r) { r[7][7] = '8'; }).find("not a map character"),
              std::string::npos);
    EXPECT_NE(faults_after([](auto &r) { r[0][5] = MAP_FLOOR; }).find("border is open"),
              std::string::npos);
    EXPECT_NE(faults_after([](auto &r) { r[1][5] = MAP_PLAYER_START; }).find("2 player starts"),
              std::string::npos);
    EXPECT_NE(faults_after([](auto &r) { r[5][10] = MAP_DOT; }).find("0 enemy starts"),
              std::string::npos);
    EXPECT_NE(faults_after([](auto &r) { r[1][2] = MAP_ENEMY_START; }).find("beside the player"),
              std::string::npos);
    EXPECT_NE(faults_after([](auto &r) { r[20][20] = MAP_ENEMY_START; }).find("walled in"),
              std::string::npos);
    EXPECT_NE(faults_after([](auto &r) { r[5][5] = 'K'; }).find("K occurs 3 times"),
              std::string::npos);
    EXPECT_NE(faults_after([](auto &r) { r[20][20] = MAP_DOT; }).find("row 20 column 20: cannot be reached"),
              std::string::npos);
    EXPECT_NE(faults_after([](auto &r) { r[20][20] = MAP_POWER; }).find("cannot be reached"),
              std::string::npos);
}

TEST(MapsContent, FaultsNameTheirKindAndCellsAsTheGameReadsTheMap)
{
    // Character 127 is a teleport letter to the game's reader, so a pair of them is fine.
    std::vector<std::string> rows = good_rows();
    rows[3][1] = rows[3][10] = 127;
    EXPECT_TRUE(check_map_text(text_of(rows)).empty());

    rows[3][10] = MAP_DOT;
    rows[7][7] = '9';
    rows[0][4] = MAP_DOT;
    std::vector<MapFault> faults = check_map_text(text_of(rows));
    auto find = [&](int kind) {
        for (const MapFault &fault : faults)
            if (fault.kind == kind)
                return fault;
        return MapFault{-1, "", {}};
    };
    EXPECT_EQ(find(MAP_FAULT_TELEPORT_UNPAIRED).cells,
              (std::vector<std::pair<int, int>>{{1, 3}}));
    EXPECT_EQ(find(MAP_FAULT_CHARACTER).cells, (std::vector<std::pair<int, int>>{{7, 7}}));
    EXPECT_EQ(find(MAP_FAULT_BORDER).cells, (std::vector<std::pair<int, int>>{{4, 0}}));
    // The border dot opens no way out of the grid: it is reached from the dot below it.
    EXPECT_EQ(find(MAP_FAULT_UNREACHABLE).kind, -1);
    EXPECT_EQ(faults.size(), 3u);
}

TEST(MapsContent, ReachingThroughTeleportsFollowsTheGamesMoves)
{
    // A pocket reached only through a teleport: fine.
    EXPECT_EQ(faults_after([](auto &r) { r[10][5] = 'q'; r[10][6] = MAP_DOT; r[3][10] = 'q';
                                         r[3][1] = MAP_DOT; }), "");
    // A pocket whose teleport sends the player back into the wall behind its partner: the
    // player comes out standing on the partner and can walk off it.
    EXPECT_EQ(faults_after([](auto &r) { r[10][5] = 'q'; r[10][6] = MAP_DOT; r[4][1] = 'q';
                                         r[3][1] = MAP_DOT; r[3][10] = MAP_DOT; }), "");
    // A spur teleport entered only going down leaves its partner going down or up (the way
    // back); the partner has pockets above and below and is never stood on, so the cell to
    // its right cannot be reached, although it lies beside a teleport exit.
    EXPECT_EQ(faults_after([](auto &r) { r[2][5] = 'q'; r[10][5] = 'q'; r[9][5] = MAP_DOT;
                                         r[11][5] = MAP_DOT; r[10][6] = MAP_DOT; }),
              "row 10 column 6: cannot be reached from the player start; ");
}
