// SPDX-License-Identifier: GPL-3.0-or-later
// world.h: the game world: state and the level model, map files and levels, movement,
// the per-frame rules and the enemies, the high-score entry, and the hooks through which
// the world reaches the screens above it.
#pragma once
#include <SDL.h>
#include <cstdio>
#include <string>
#include <vector>

// ===================== game_state.cpp =====================
const int MAP_COLUMNS = 32;
const int MAP_ROWS = 24;
const int MAP_CELLS = MAP_COLUMNS * MAP_ROWS;
const int CELL_SIZE = 32;              // pixels per cell side

// cell codes
const Uint8 CELL_DOT = 0;
const Uint8 CELL_WALL = 1;
const Uint8 CELL_FLOOR = 2;
const Uint8 CELL_LIFE = 3;
const Uint8 CELL_DECOY = 4;
const Uint8 CELL_POWER = 5;
const Uint8 TELEPORT_FIRST = 65;       // codes from here up are teleport letters
const Uint8 TELEPORT_LAST = 127;       // the last teleport letter

// directions
const Uint8 DIR_NONE = 0;
const Uint8 DIR_RIGHT = 1;
const Uint8 DIR_DOWN = 2;
const Uint8 DIR_LEFT = 3;
const Uint8 DIR_UP = 4;

const Uint8 NORMAL_SPEED = 8;          // frames per cell
const Uint8 BOOST_SPEED = 16;          // enemy frames per cell under boost
const Uint8 START_LIVES = 5;
const Uint16 START_STOCK = 5;          // decoys and power charges at program start

struct TeleportPair {
    Uint8 x1, x2, y1, y2, letter;      // first occurrence, latest later occurrence, the letter
};

struct LevelMap {
    Uint8 cells[MAP_CELLS];            // cell codes, index x + y*32
    Uint16 dots_left;                  // dots still to catch
    std::vector<TeleportPair> teleports;
    LevelMap();                        // dots_left 0, no teleports; cells left alone
};

struct Actor {
    SDL_Rect rect;                     // destination of the last blit; w, h used by the hit test
    Uint8 cell_x, cell_y;
    Uint8 direction;                   // of the current step, 0 standing
    Uint8 wanted_direction;
    Uint8 step_counter;
    Uint8 phase;                       // frames of glide still to go
    Uint8 speed;                       // frames per cell of the current step
    Uint8 last_direction;              // direction when a wall last stopped it
    Uint8 next_speed;
    Uint8 exit_x, exit_y;              // teleport cell last come out on; (0,0) none
    Uint8 entry_x, entry_y;            // teleport cell gone in through; entry_x 0 none
    Uint16 trail_x[3], trail_y[3];     // three most recent cells, oldest first
    Uint16 knockout;                   // enemy: frames knocked out; player: 1 while caught
    Actor();                           // the reset below, rect 32x32 at (0,0), cells zero
    void reset();                      // speeds and phase 8, counters and directions 0
};

// The game's variables, grouped by how long they live. Each group has one function that
// puts the whole group back to its starting values; the game and the tests call these
// instead of resetting fields one by one.

// ---------- Program state: from start-up to the quit sequence ----------
// Read or stocked once at start-up and kept across games: the decoy and power stocks carry
// over from one game to the next within a run of the program.
extern LevelMap menu_map;              // the menus' background maze, read at start-up
extern std::vector<std::string> map_list;   // map file names, in list order, read at start-up
extern Uint16 power_charges;           // power-mode uses in stock
extern Uint16 decoy_count;             // decoys in stock
// Started by the editor's play-test (--play-test): the first map is played at once, and the end
// of the run ends the program, with no main menu and no high-score entry.
extern bool play_test_run;
extern int row_being_named;            // high_score_entry.cpp: the row the open name entry fills; -1 none open
// Both stocks START_STOCK: part of reset_program_state, and what the automatic player and the
// benchmarks start each play of a kept map list with.
void reset_stocks();
// Empties map_list, fills both stocks (reset_stocks) and closes no name entry (row_being_named
// -1); start-up calls it before reading the
// map list. Not reset: menu_map, which start-up reads over (read_map), and play_test_run,
// which main sets from its arguments before start-up.
void reset_program_state();

// ---------- Run state: from new_game to the end of the game ----------
// Carried from level to level: the knots (catch_interval) and the count towards the next
// caught dot, lives, score, power mode with its timer, and the player's record (whose cell
// each level start sets).
extern Uint8 level_index;              // index in map_list of the map being played
extern Actor player;
extern Uint8 lives;                    // non-zero: a game is in progress
extern Uint32 score;
extern Uint8 catch_interval;           // dot visits per caught dot; 1 + knots
extern Uint8 catch_streak;             // dot visits counted towards the next caught dot
extern Uint8 power_mode;
extern Uint16 power_timer;             // frames
// A fresh run: START_LIVES, score 0, no knots, catch_streak 0, level_index 0, power mode
// off, a fresh player record (not caught). Called by new_game.
void reset_run_state();

// ---------- Level state: from a level load to the next ----------
// Cleared as each map is entered: the map and its starts, the enemies and their think
// schedule, the boost reserve, the decoy's cell and the caught message. The cells of
// level_map are not cleared: read_map overwrites them, and a map character that sets no code
// keeps the previous map's code; a map without a player start keeps the previous start.
// decoy_timer is cleared by every level start (start_level: each level load, each life given
// up), and the player's caught state (player.knockout, reset with the run's player record)
// by the catch's own rules: giving up a life, a knot, and a level finished.
extern LevelMap level_map;             // the map being played
extern Uint8 player_start_x, player_start_y;
extern std::vector<Uint8> enemy_start_x, enemy_start_y;
extern Uint8 enemy_count;
extern std::vector<Actor> enemies;     // enemy_count actors
extern Uint32 boost_reserve;           // milliseconds
extern Uint16 decoy_timer;             // above DECOY_WIPE_FRAMES a decoy stands; at or below it, being wiped; 0 none
extern Uint8 decoy_x, decoy_y;
extern Uint8 think_tick;               // enemy turns counted towards the next think
extern Uint8 think_period;             // enemy turns between two thinks
extern Uint8 message_frames;           // caught-message frame counter
// The boost reserve 0 and the start lists empty: what a level load clears before it opens
// the map, so that a map that cannot be opened leaves no starts of the level before.
void reset_level_reserve_and_starts();
// reset_level_reserve_and_starts, no enemies, the decoy's cell (0, 0), the think schedule
// from its start, no caught message, and the frame state. Called by load_level once the
// map is open (new_game resets the level through its load).
void reset_level_state();

// ---------- Frame state: what one frame's rules leave for the next ----------
// boost_flag: the boost scans' result. The boost key's toggle (toggle_boost, between two
// frames) reads it before it writes it, seeing the 0 that the last frame's boost upkeep
// left; the upkeep writes it, then leaves it 0.
extern Uint8 boost_flag;
// The player's real cell while the enemies chase a standing decoy: written by the decoy's
// countdown before the enemies' turns read it, in the same frame.
extern Uint8 saved_player_x, saved_player_y;
// Both 0; with the level state at each level load.
void reset_frame_scratch();

// ---------- Frame record: what the player should hear, from one hand-over to the next ----------
// (happenings_hook is program state: open_sound sets it once.)
// The rules and the player actions count here what happened; the frame layer hands the
// record to the sound after update_frame and clears it. The game never reads it, so sound
// cannot change play.
struct Happenings {
    Uint8 dots_caught, lives_picked, decoys_picked, charges_picked;
    Uint8 decoys_dropped, decoys_cleared;       // put down; taken away or worn out
    Uint8 power_on, power_ending, power_off;    // power_ending: its last two seconds begin
    Uint8 enemies_knocked_out, enemies_back, player_caught, lives_given_up, knots;
    Uint8 boost_on, boost_off, teleports, levels_done, runs_over;
    Uint8 high_scores;                          // a score entered the table (the name entry)
};
extern Happenings happened;
// Called by the rules just before a wait of their own (a level done, a run over), so that
// what happened is heard while the player reads the message; null: nothing is called.
extern void (*happenings_hook)();
const int POWER_ENDING_SECONDS = 2;   // the warning before power mode runs out

int frames_per_second();               // F = 1000 / frame_delay
Uint8 cell_at(const LevelMap &map, int x, int y);   // a cell outside the grid reads as a wall

// ===================== maps.cpp =====================
const int MAP_LINE_SIZE = 256;
extern const char *const MAP_LIST_PATH;     // "maps/AAA_maplist.txt"
const size_t MAX_ENEMIES = 255;             // enemy_count is 8 bits: later enemy starts are ignored
// The map characters, one per cell of a row; every byte from TELEPORT_FIRST to TELEPORT_LAST
// is a teleport letter, and any other byte leaves the cell as it was.
const char MAP_DOT = '0';
const char MAP_WALL = '1';
const char MAP_FLOOR = '2';
const char MAP_PLAYER_START = '3';          // floor, the player's start
const char MAP_ENEMY_START = '4';           // a dot, an enemy's start
const char MAP_LIFE = '5';
const char MAP_DECOY = '6';
const char MAP_POWER = '7';
// The map characters other than the teleport letters, in character order, with the cell code
// each gives.
struct MapCharacter {
    char character;
    Uint8 cell;
};
const MapCharacter MAP_CHARACTERS[] = {
    {MAP_DOT, CELL_DOT}, {MAP_WALL, CELL_WALL}, {MAP_FLOOR, CELL_FLOOR},
    {MAP_PLAYER_START, CELL_FLOOR}, {MAP_ENEMY_START, CELL_DOT}, {MAP_LIFE, CELL_LIFE},
    {MAP_DECOY, CELL_DECOY}, {MAP_POWER, CELL_POWER}};
const int MAP_CHARACTER_COUNT = sizeof MAP_CHARACTERS / sizeof MAP_CHARACTERS[0];

// The start cells one map file holds.
struct MapStarts {
    int player_count = 0;                   // player starts read
    Uint8 player_x = 0, player_y = 0;       // the last of them
    std::vector<Uint8> enemy_x, enemy_y;    // every enemy start, in reading order
};

// The cell code a map character gives, or -1 for a character that leaves the cell as it was.
int map_character_cell(unsigned char c);
// The index in MAP_CHARACTERS of a map character, or -1 for a teleport letter or another byte.
int map_character_index(unsigned char c);
// Reads 24 rows of a map file into map, the start cells into starts alone. dots_left counts
// every dot cell of the map as read, those that a character outside the table kept from the
// map read before included, so that a level ends exactly when its last dot is caught.
void read_map_cells(LevelMap &map, FILE *file, MapStarts &starts);
// read_map_cells, starts into the globals (enemy starts up to MAX_ENEMIES in all); always 0
int read_map(LevelMap &map, FILE *file);
int read_map_list(const char *path);        // 0 read, 1 missing (message written)
int load_level(const char *name);           // 0 loaded, 1 missing map file
void start_level();                         // actors to their starts, maze drawn on both buffers
int new_game();                             // 0 when the first level is loaded and play can go on

// ===================== movement.cpp =====================
// The neighbour of (x, y) in direction; false when it lies outside the grid.
bool neighbour_cell(int x, int y, Uint8 direction, int &nx, int &ny);
bool way_free_on(const LevelMap &map, int x, int y, Uint8 direction);   // the neighbour exists and is not a wall
bool way_free(int x, int y, Uint8 direction);   // way_free_on of level_map
int step_actor(Actor &actor);
void teleport_actor(Actor &actor);
// The other end of the teleport on (x, y) of map. False when the cell is no teleport or its
// letter has no second cell: such a cell leads nowhere.
bool teleport_target(const LevelMap &map, int x, int y, int &tx, int &ty);
void repaint_trail(const Actor &actor);
void update_glide(Actor &actor);
bool actors_touch(const Actor &p, const Actor &e);

// ===================== enemies.cpp =====================
void enemy_think(Actor &enemy);
void choose_enemy_direction(int index);

// ===================== rules.cpp =====================
const Uint16 DECOY_WIPE_FRAMES = 2;    // decoy_timer at or below this: no decoy stands
bool decoy_standing();                 // decoy_timer above DECOY_WIPE_FRAMES
void update_frame();
void set_wanted_direction(Uint8 direction);
void give_up_life();
void continue_with_knot();
void use_decoy();
void toggle_boost();
void toggle_power();
void end_run(const char *title);       // summary box, wait for space, high-score entry, menu

// ===================== state_hash.cpp =====================
// A hash of every variable of the run and the level: the maps' cells, the actors, the
// counters and stocks, the map list, the player's name and the high-score table.
Uint64 game_state_hash();

// ===================== high_score_entry.cpp =====================
void enter_high_score();                       // lets `score` into the table with a name; score = 0
void enter_high_score_unasked();               // the same under player_name, drawing nothing

// ===================== the screens above the world =====================
// What the world draws and opens lies in the layers above it (graphics, menus, frame): the
// world reaches them only through this record, which the frame fills at start-up
// (connect_layers) and the tests' support code the same way.
struct ScreenHooks {
    void (*draw_cell)(Uint8 x, Uint8 y);          // one cell of level_map repainted
    void (*draw_maze)(const LevelMap &map);       // every cell of a map
    void (*draw_play_overlay)();                  // decoy, enemies, player, status panel
    void (*show_message_box)(const char *text);   // play screen plus a framed text; no flip
    void (*wipe_message_box)();                   // the cells under the last box repainted
    void (*show_run_summary)(const char *title);  // the end-of-run box; no flip
    void (*show_screen)();                        // what was drawn is shown
    int (*wait_for_key)(Uint16 key);              // 0: the key (0 = any) came; 1: focus lost and back
    void (*main_menu)();                          // returns when play is to go on
};

// ---------- Program state: set at start-up by the frame's connect_layers, never reset ----------
// The name entry that enter_high_score opens (text_entry: the prompt, the name of 256 bytes);
// null: the name offered is kept, unasked.
extern void (*name_entry_hook)(const char *prompt, char *name);
extern ScreenHooks screen_hooks;               // what the rules draw and open (see above)
