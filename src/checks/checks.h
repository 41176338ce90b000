// SPDX-License-Identifier: GPL-3.0-or-later
// checks.h: the checks of content as the game reads it (the whole tree, map files, the skins'
// sounds), made with the game's own readers; used by the tools, the editor, the fuzz targets
// and the tests, never by the game.
#pragma once
#include "files.h"
#include "world.h"
#include <string>
#include <utility>
#include <vector>

// ===================== content_check.cpp =====================
// Checks a whole content tree as the game reads it: the lists, every map of the map list and
// the menu map, every skin's bitmaps, the font sheet, and every text file of every skin and
// language, including that each text fits where the game draws it.
struct ContentFault {
    std::string file;                          // the content directory's path joined with the file's
    int line;                                  // from 1; 1 for a fault of the whole file
    std::string what;
    bool note = false;                         // a campaign-wide remark that a player's pack may
                                               // well have: printed, but not a fault
};
std::vector<ContentFault> check_content(const std::string &content_dir);
std::string fault_line(const ContentFault &fault);   // "file:line: what"

// ===================== map_check.cpp =====================
// Checks that map files are written as the game's content should be, reading them with the
// game's own map reader. Cheap enough to run after every edit of a map.
const int MAX_LEVEL_ENEMIES = 6;
const int MIN_ENEMY_DISTANCE = 3;      // cells (row plus column) between a level's enemy and player starts

enum MapFaultKind {
    MAP_FAULT_FORMAT,                  // not 24 rows, or a row not 32 characters long
    MAP_FAULT_CHARACTER,               // a character the reader does not take as a cell
    MAP_FAULT_BORDER,                  // an outer cell that is not a wall
    MAP_FAULT_PLAYER_STARTS,           // not exactly one player start
    MAP_FAULT_ENEMY_STARTS,            // not 1 to MAX_LEVEL_ENEMIES enemy starts
    MAP_FAULT_ENEMY_WALLED_IN,         // an enemy start with walls on all four sides
    MAP_FAULT_ENEMY_BESIDE_PLAYER,     // an enemy start nearer the player start than allowed
    MAP_FAULT_TELEPORT_UNPAIRED,       // a teleport letter not used exactly twice
    MAP_FAULT_UNREACHABLE,             // a dot, pick-up or teleport the player cannot reach
    MAP_FAULT_NO_DOTS,                 // nothing to catch: the level would end at once
    MAP_FAULT_KIND_COUNT
};

struct MapFault {
    int kind;                                   // a MapFaultKind value
    std::string what;                           // one readable English line, without file name
    std::vector<std::pair<int, int>> cells;     // the (x, y) cells it concerns; may be empty
};

// The content lines of a text as the game's line reader gives them (see is_content_line; lines
// cut to line_size - 1 characters).
std::vector<std::string> text_lines(const std::string &text, size_t line_size = MAP_LINE_SIZE);
std::vector<std::string> map_rows(const std::string &text);   // text_lines of a map
// Every fault of one level map text: the format, walls all round, one player start, 1 to 6
// enemy starts with a way out and not beside the player, teleport letters used exactly
// twice, some dots, and every dot, pick-up and teleport reachable from the player start
// following the game's moves through teleports.
std::vector<MapFault> check_map_text(const std::string &text);
// The format faults alone (24 rows of exactly 32 map characters), for the menu map.
std::vector<MapFault> check_map_text_format(const std::string &text);
// The readable lines of faults.
std::vector<std::string> fault_lines(const std::vector<MapFault> &faults);
std::vector<std::string> check_map_format(const std::string &text);   // fault_lines of the format
std::vector<std::string> check_level_map(const std::string &text);    // fault_lines of check_map_text

// ===================== sound_check.cpp =====================
// For the content checker: a warning ("file:1: what") for each sound or music file of each
// listed skin that is missing or that SDL_mixer cannot read. Opens audio for the check when
// the game has not (set SDL_AUDIODRIVER=dummy where there is no device).
std::vector<ContentFault> check_skin_sounds(const std::string &content_dir);
