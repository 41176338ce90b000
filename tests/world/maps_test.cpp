// SPDX-License-Identifier: GPL-3.0-or-later
// maps_test.cpp: reading map files and the map list, loading and starting levels, new games.
#include "world.h"
#include "files.h"
#include "frame.h"
#include "test_support.h"
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string join(const std::vector<std::string> &rows)
{
    std::string text;
    for (const std::string &row : rows)
        text += row + "\n";
    return text;
}

// Reads `text` as a map file into `map`.
void read_map_text(LevelMap &map, const std::string &text)
{
    FILE *file = stream_with(text);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(read_map(map, file), 0);
    fclose(file);
}

Uint8 cell(const LevelMap &map, int x, int y)
{
    return map.cells[x + y * MAP_COLUMNS];
}

// A walled map's text with `marks` ({column, row, character}) written over the walls.
struct Mark { int x, y; char c; };
std::string walled_text(std::initializer_list<Mark> marks)
{
    std::vector<std::string> rows = walled_rows();
    for (const Mark &m : marks)
        rows[m.y][m.x] = m.c;
    return join(rows);
}

void clear_starts()
{
    enemy_start_x.clear();
    enemy_start_y.clear();
    player_start_x = player_start_y = 0;
}

// An empty working directory with a maps/ directory and the given map files.
void enter_map_tree(const std::vector<std::pair<std::string, std::string>> &maps)
{
    open_test_screen();
    enter_scratch_tree(false);
    mkdir("maps", 0755);
    for (const auto &m : maps)
        write_file("maps/" + m.first, m.second);
}

} // namespace

TEST(ReadMap, CommentsAndBlankLinesBetweenRowsChangeNothing)
{
    std::vector<std::string> rows = walled_rows();
    rows[3][4] = MAP_DOT;
    rows[7][9] = 'A';
    rows[9][2] = 'A';
    std::string plain = join(rows);
    std::string noisy = "# a comment first\n\n";
    for (const std::string &row : rows)
        noisy += row + "\r\n\n#1111 not a row\n";

    LevelMap a, b;
    clear_starts();
    read_map_text(a, plain);
    clear_starts();
    read_map_text(b, noisy);
    EXPECT_EQ(memcmp(a.cells, b.cells, MAP_CELLS), 0);
    EXPECT_EQ(a.dots_left, 1);
    EXPECT_EQ(b.dots_left, 1);
    ASSERT_EQ(b.teleports.size(), 1u);
    EXPECT_EQ(b.teleports[0].x1, 9);
    EXPECT_EQ(b.teleports[0].y1, 7);
    EXPECT_EQ(b.teleports[0].x2, 2);
    EXPECT_EQ(b.teleports[0].y2, 9);
}

TEST(ReadMap, CharacterTable)
{
    std::vector<std::string> rows = walled_rows();
    rows[1] = "10123456789A";   // short row: the rest are walls
    LevelMap map;
    memset(map.cells, 2, sizeof map.cells);
    map.cells[1 * MAP_COLUMNS + 9] = 5;    // under the '8'
    map.cells[1 * MAP_COLUMNS + 10] = 0;   // under the '9'
    clear_starts();
    read_map_text(map, join(rows));
    const Uint8 expected[] = {1, 0, 1, 2, 2, 0, 3, 4, 5, 5, 0, 'A'};
    for (int x = 0; x < 12; x++)
        EXPECT_EQ(cell(map, x, 1), expected[x]) << "column " << x;
    EXPECT_EQ(map.dots_left, 3);   // the '0', the '4' and the old dot kept under the '9'
    EXPECT_EQ(player_start_x, 4);
    EXPECT_EQ(player_start_y, 1);
    ASSERT_EQ(enemy_start_x.size(), 1u);
    EXPECT_EQ(enemy_start_x[0], 5);
    EXPECT_EQ(enemy_start_y[0], 1);
}

TEST(ReadMap, LongRowsAreCutAndShortOrMissingRowsAreWalls)
{
    std::vector<std::string> rows = walled_rows();
    rows[1] = std::string(MAP_COLUMNS, MAP_DOT) + "777";   // the 7s would land in row 2
    rows[2] = "1";                                      // must not reuse row 1's dots
    rows.resize(20);                                    // rows 20 to 23 missing
    LevelMap map;
    memset(map.cells, 2, sizeof map.cells);
    clear_starts();
    read_map_text(map, join(rows));
    EXPECT_EQ(map.dots_left, MAP_COLUMNS);
    for (int x = 0; x < MAP_COLUMNS; x++) {
        EXPECT_EQ(cell(map, x, 1), CELL_DOT);
        EXPECT_EQ(cell(map, x, 2), CELL_WALL) << "column " << x;
        for (int y = 20; y < MAP_ROWS; y++)
            EXPECT_EQ(cell(map, x, y), CELL_WALL);
    }
    EXPECT_EQ(cell(map, 5, 3), CELL_FLOOR);
}

// A dot that a space keeps from the previous map is on the screen, so it counts.
TEST(ReadMap, SpaceKeepsThePreviousMapsCodeAndItsDotCounts)
{
    std::vector<std::string> first = walled_rows();
    first[5][5] = MAP_DOT;
    first[6][6] = MAP_DECOY;
    std::vector<std::string> second = walled_rows();
    second[5][5] = ' ';
    second[6][6] = ' ';
    LevelMap map;
    clear_starts();
    read_map_text(map, join(first));
    EXPECT_EQ(map.dots_left, 1);
    read_map_text(map, join(second));
    EXPECT_EQ(cell(map, 5, 5), CELL_DOT);
    EXPECT_EQ(cell(map, 6, 6), CELL_DECOY);
    EXPECT_EQ(map.dots_left, 1);
}

TEST(ReadMap, StartsAndTeleportPairing)
{
    std::vector<std::string> rows = walled_rows();
    rows[2][3] = MAP_PLAYER_START;
    rows[10][20] = MAP_PLAYER_START;          // the later start wins
    rows[4][8] = MAP_ENEMY_START;
    rows[3][9] = MAP_ENEMY_START;            // earlier in reading order
    rows[1][1] = 'B';
    rows[5][5] = 'B';
    rows[9][9] = 'B';            // third B: the pair is first and last
    rows[2][1] = 'z';
    rows[2][2] = '[';
    rows[2][4] = '_';
    rows[2][5] = '{';
    rows[2][6] = '~';
    rows[3][1] = 'z';
    LevelMap map;
    map.teleports.push_back(TeleportPair{1, 2, 3, 4, 'Q'});   // emptied by the read
    clear_starts();
    enemy_start_x.push_back(30);                            // the read appends
    enemy_start_y.push_back(20);
    read_map_text(map, join(rows));

    EXPECT_EQ(player_start_x, 20);
    EXPECT_EQ(player_start_y, 10);
    ASSERT_EQ(enemy_start_x.size(), 3u);
    EXPECT_EQ(enemy_start_x[1], 9);
    EXPECT_EQ(enemy_start_y[1], 3);
    EXPECT_EQ(enemy_start_x[2], 8);
    EXPECT_EQ(enemy_start_y[2], 4);
    EXPECT_EQ(map.dots_left, 2);

    ASSERT_EQ(map.teleports.size(), 6u);
    const TeleportPair &b = map.teleports[0];
    EXPECT_EQ(b.letter, 'B');
    EXPECT_EQ(b.x1, 1); EXPECT_EQ(b.y1, 1);
    EXPECT_EQ(b.x2, 9); EXPECT_EQ(b.y2, 9);
    EXPECT_EQ(cell(map, 5, 5), 'B');
    const char letters[] = {'z', '[', '_', '{', '~'};
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(map.teleports[i + 1].letter, letters[i]);
        EXPECT_GT(cell(map, map.teleports[i + 1].x1, map.teleports[i + 1].y1), 64);
    }
    // a letter seen once is a pair whose two cells are the same
    const TeleportPair &lone = map.teleports[2];
    EXPECT_EQ(lone.x1, lone.x2);
    EXPECT_EQ(lone.y1, lone.y2);
    EXPECT_EQ(map.teleports[1].x2, 1);
    EXPECT_EQ(map.teleports[1].y2, 3);
}

TEST(MapList, ReadsNamesInOrderAndReportsAMissingFile)
{
    enter_map_tree({});
    write_file("maps/AAA_maplist.txt", "# levels\none.txt\r\n\n../../../../etc/passwd\ntwo.txt\n");
    map_list.clear();
    testing::internal::CaptureStdout();
    EXPECT_EQ(read_map_list("maps/AAA_maplist.txt"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR not a plain name in maps/AAA_maplist.txt: ../../../../etc/passwd\n");
    ASSERT_EQ(map_list.size(), 2u);
    EXPECT_EQ(map_list[0], "one.txt");
    EXPECT_EQ(map_list[1], "two.txt");

    testing::internal::CaptureStdout();
    EXPECT_EQ(read_map_list("maps/none.txt"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR opening file maps/none.txt\n\n");
    EXPECT_EQ(map_list.size(), 2u);
}

TEST(LoadLevel, MapWithoutEnemies)
{
    enter_map_tree({{"plain.txt", walled_text({{6, 4, MAP_PLAYER_START}})}});
    enemies.assign(3, Actor());
    boost_reserve = 900;
    decoy_timer = 50;
    ASSERT_EQ(load_level("plain.txt"), 0);
    EXPECT_EQ(enemy_count, 0);
    EXPECT_EQ(think_period, 255);
    EXPECT_TRUE(enemies.empty());
    EXPECT_EQ(boost_reserve, 0u);
    EXPECT_EQ(decoy_timer, 0);
    EXPECT_EQ(player.cell_x, 6);
    EXPECT_EQ(player.cell_y, 4);
    EXPECT_EQ(player.trail_x[0], 6);
    EXPECT_EQ(player.trail_y[2], 4);
}

// Starts past the 255th are dots without an enemy: enemy_count does not wrap.
TEST(LoadLevel, EnemyStartsPastTheLastCountableAreIgnored)
{
    std::vector<std::string> rows = walled_rows();
    for (int y = 1; y < 11; y++)
        rows[y] = "1" + std::string(MAP_COLUMNS - 2, MAP_ENEMY_START) + "1";   // 300 starts
    rows[12][3] = MAP_PLAYER_START;
    enter_map_tree({{"crowd.txt", join(rows)}});
    ASSERT_EQ(load_level("crowd.txt"), 0);
    EXPECT_EQ(enemy_count, 255);
    EXPECT_EQ(enemies.size(), 255u);
    EXPECT_EQ(think_period, Uint8(255 * 3 - 1));
    EXPECT_EQ(level_map.dots_left, 300);
    EXPECT_EQ(enemies[254].cell_x, 15);   // the 255th start: row 9, column 1 + 254 - 8 * 30
    EXPECT_EQ(enemies[254].cell_y, 9);
}

TEST(LoadLevel, FreshEnemiesOnTheirStartsAndASeededCoin)
{
    enter_map_tree(
        {{"three.txt", walled_text({{2, 2, MAP_ENEMY_START}, {5, 2, MAP_ENEMY_START}, {3, 8, MAP_ENEMY_START}, {10, 10, MAP_PLAYER_START}})}});
    enemies.assign(1, Actor());
    enemies[0].knockout = 100;   // the old array is replaced, knocked-out or not
    set_test_seed(1234);
    ASSERT_EQ(load_level("three.txt"), 0);
    int after_load = rand();
    srand(1234);
    EXPECT_EQ(after_load, rand());

    EXPECT_EQ(enemy_count, 3);
    EXPECT_EQ(think_period, 8);
    ASSERT_EQ(enemies.size(), 3u);
    const int xs[] = {2, 5, 3}, ys[] = {2, 2, 8};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(enemies[i].cell_x, xs[i]);
        EXPECT_EQ(enemies[i].cell_y, ys[i]);
        EXPECT_EQ(enemies[i].trail_x[1], xs[i]);
        EXPECT_EQ(enemies[i].knockout, 0);
        EXPECT_EQ(enemies[i].next_speed, NORMAL_SPEED);
    }
}

TEST(LoadLevel, MissingMapChangesOnlyTheReserveAndTheStartLists)
{
    enter_map_tree({{"one.txt", walled_text({{2, 2, MAP_ENEMY_START}, {3, 3, MAP_PLAYER_START}})}});
    ASSERT_EQ(load_level("one.txt"), 0);
    LevelMap before = level_map;
    boost_reserve = 500;
    enemies[0].cell_x = 7;

    testing::internal::CaptureStdout();
    EXPECT_EQ(load_level("gone.txt"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR opening file maps/gone.txt\n\n");
    EXPECT_EQ(boost_reserve, 0u);
    EXPECT_TRUE(enemy_start_x.empty());
    EXPECT_TRUE(enemy_start_y.empty());
    EXPECT_EQ(memcmp(before.cells, level_map.cells, MAP_CELLS), 0);
    EXPECT_EQ(enemy_count, 1);
    ASSERT_EQ(enemies.size(), 1u);

    // starting again on the cleared start lists leaves the enemy where it is
    start_level();
    EXPECT_EQ(enemies[0].cell_x, 7);
    EXPECT_EQ(player.cell_x, 3);
}

TEST(StartLevel, KnockedOutEnemiesStayWhereTheyLie)
{
    enter_map_tree({{"two.txt", walled_text({{2, 2, MAP_ENEMY_START}, {5, 2, MAP_ENEMY_START}, {6, 6, MAP_PLAYER_START}})}});
    ASSERT_EQ(load_level("two.txt"), 0);
    for (Actor &enemy : enemies) {
        enemy.cell_x = 10;
        enemy.cell_y = 11;
        enemy.direction = DIR_RIGHT;
        enemy.wanted_direction = DIR_RIGHT;
        enemy.last_direction = DIR_UP;
    }
    enemies[1].knockout = 300;
    player.cell_x = 20;
    player.direction = player.wanted_direction = DIR_DOWN;
    decoy_timer = 9;
    start_level();

    EXPECT_EQ(enemies[0].cell_x, 2);
    EXPECT_EQ(enemies[0].cell_y, 2);
    EXPECT_EQ(enemies[0].direction, DIR_NONE);
    EXPECT_EQ(enemies[0].wanted_direction, DIR_NONE);
    EXPECT_EQ(enemies[0].last_direction, DIR_UP);
    EXPECT_EQ(enemies[1].cell_x, 10);
    EXPECT_EQ(enemies[1].cell_y, 11);
    EXPECT_EQ(enemies[1].direction, DIR_RIGHT);
    EXPECT_EQ(player.cell_x, 6);
    EXPECT_EQ(player.direction, DIR_NONE);
    EXPECT_EQ(player.wanted_direction, DIR_NONE);
    EXPECT_EQ(decoy_timer, 0);
}

TEST(NewGame, ResetsTheRunAndKeepsTheStocks)
{
    enter_map_tree({{"first.txt", walled_text({{2, 2, MAP_ENEMY_START}, {6, 6, MAP_PLAYER_START}})}});
    map_list = {"first.txt", "second.txt"};
    catch_interval = 3;
    catch_streak = 2;                 // a knot and a dot passed in the game before
    score = 77;
    message_frames = 12;
    lives = 0;
    level_index = 1;
    power_mode = 1;
    power_charges = 2;
    decoy_count = 1;
    player.next_speed = 16;
    player.knockout = 1;
    EXPECT_EQ(new_game(), 0);
    EXPECT_EQ(catch_interval, 1);
    EXPECT_EQ(catch_streak, 0);       // so the first dot visited is caught
    EXPECT_EQ(score, 0u);
    EXPECT_EQ(message_frames, 0);
    EXPECT_EQ(lives, START_LIVES);
    EXPECT_EQ(level_index, 0);
    EXPECT_EQ(power_mode, 0);
    EXPECT_EQ(power_charges, 2);
    EXPECT_EQ(decoy_count, 1);
    EXPECT_EQ(player.next_speed, NORMAL_SPEED);
    EXPECT_EQ(player.knockout, 0);
    EXPECT_EQ(enemy_count, 1);
}

TEST(NewGame, NoFirstMapMeansNoGame)
{
    enter_map_tree({});
    const struct { std::vector<std::string> list; const char *error; } cases[] = {
        {{}, "ERROR no maps in maps/AAA_maplist.txt\n\n"},
        {{"missing.txt"}, "ERROR opening file maps/missing.txt\n\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.error);
        map_list = c.list;
        lives = 3;
        testing::internal::CaptureStdout();
        EXPECT_EQ(new_game(), 1);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.error);
        EXPECT_EQ(lives, 0);
    }
    map_list.clear();
}
