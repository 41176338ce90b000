// SPDX-License-Identifier: GPL-3.0-or-later
// editor.h: the map editor: the map being edited with its undo history, its live check and
// files, the editor's texts, its screen and its event loop.
#pragma once
#include <SDL.h>
#include <string>
#include <utility>
#include <vector>
#include "checks.h"
#include "world.h"

const char *const MAP_FILE_SUFFIX = ".txt";

// One line of the live check: a fault of the map as it stands and the cells it concerns.
struct EditFault {
    std::string line;                             // in the configured language
    std::vector<std::pair<int, int>> cells;       // (x, y) it concerns
};

// The editor's own texts. ET_KIND_DOT to ET_KIND_POWER name the map characters in the order
// of MAP_CHARACTERS.
enum EditorText {
    ET_NEW_MAP, ET_CHANGED, ET_KIND_DOT, ET_KIND_WALL, ET_KIND_FLOOR, ET_KIND_PLAYER,
    ET_KIND_ENEMY, ET_KIND_LIFE, ET_KIND_DECOY, ET_KIND_POWER, ET_KIND_TELEPORT, ET_CELL,
    ET_SKIN, ET_HELP_HINT, ET_NO_FAULTS, ET_FAULTS, ET_MORE_FAULTS, ET_SAVED, ET_SAVE_FAILED,
    ET_ASK_NAME, ET_ASK_REPLACE, ET_ASK_FAULTY, ET_ASK_LIST, ET_LIST_HERE, ET_LIST_ADDED,
    ET_ASK_QUIT, ET_NO_GAME, ET_HELP_TITLE, ET_HELP_FIRST,
    ET_HELP_LAST = ET_HELP_FIRST + 13,
    ET_HELP_CLOSE,
    ET_FAULT_FIRST,                               // one line per MapFaultKind, in its order
    ET_AUTOPLAY_RUNNING = ET_FAULT_FIRST + MAP_FAULT_KIND_COUNT,   // the automatic player's lines
    ET_AUTOPLAY_CLEARED, ET_AUTOPLAY_STUCK, ET_HELP_AUTOPLAY, ET_HELP_RECTANGLE,
    EDITOR_TEXT_COUNT
};

// The editor's variables, grouped by how long they live. Each group has one function that
// puts the whole group back to its starting values; the editor and its tests call these
// instead of resetting fields one by one.

// ---------- Program state: from start_editor to the editor's end ----------
// What the editor keeps whichever map is open: its texts, whether it runs on, the cursor, the
// pointer's cell, the kind being painted and the note. The gestures under way live in
// editor_loop.cpp beside the keys and mouse that change them: space held, the left button
// painting a line (from the cell it painted last) or filling a rectangle (from the cell
// pressed); the presses and releases set and clear them. Beside them, what the editor last
// read of each key (so that a press no key made is dropped) and a close of the window asked
// while the map was being tried.
extern std::string editor_texts[EDITOR_TEXT_COUNT];   // editor_texts.cpp; empty entries for a missing file
extern bool editor_running;                       // editor_loop.cpp; false once the editor is to end
extern int cursor_x, cursor_y;                    // editor_screen.cpp; the keyboard cursor's cell
extern int pointer_x, pointer_y;                  // editor_screen.cpp; the maze cell under the pointer; -1 off the maze
extern char edit_kind;                            // edit_map.cpp; the map character that painting puts down
extern std::string status_note;                   // editor_screen.cpp; a passing message after the status line
// Running, every text empty, the cursor in the middle of the maze, the pointer off it, walls
// to paint, no note and no gesture under way. Called by start_editor before it reads the texts.
void reset_editor_program_state();

// ---------- Map state: from opening a map (or a new one) to the next open ----------
// The map being edited, as rows and as the file's lines, its name, whether it has unsaved
// changes, and in edit_map.cpp its undo and redo histories and the stroke under way (begun,
// and whether its rows before the change are on the undo history yet). Painting, undo, redo
// and a save change these as the editor's rules say.
extern std::vector<std::string> edit_rows;        // edit_map.cpp; MAP_ROWS rows of MAP_COLUMNS map characters
extern std::vector<std::string> edit_lines;       // edit_map.cpp; the opened file's lines; rows marked by row_line
extern std::vector<int> edit_row_line;            // edit_map.cpp; index in edit_lines of each row, -1 none
extern std::string edit_name;                     // edit_map.cpp; map name without ".txt"; empty: not yet named
extern bool edit_changed;                         // edit_map.cpp; changes since the last open or save
// Every row walls, no kept lines, no row marked: part of reset_edit_map_state, and what each
// save clears before it takes the saved text back.
void reset_edit_map_text();
// reset_edit_map_text, no name, no changes, both histories empty, no stroke under way. Called
// by new_edit_map and open_edit_map.
void reset_edit_map_state();

// ---------- Check state: from one live check of the map to the next ----------
// What check_edit_map found, and in edit_check.cpp the rows it checked.
extern std::vector<EditFault> edit_faults;        // edit_check.cpp; of the map as it stands, one per kind found
extern size_t edit_fault_count;                   // edit_check.cpp; faults the check found, before grouping
// No faults, none counted, no rows checked. Called by check_edit_map before it fills them.
void reset_edit_check_state();

// ===================== edit_map.cpp =====================
void new_edit_map();                              // walls all round, floor inside, one player start
bool open_edit_map(const std::string &name);      // maps/<name>.txt; false when it cannot be read
std::string edit_map_path(const std::string &name);   // "maps/<name>.txt"
std::string edit_map_text();                      // the file as it will be saved
bool save_edit_map();                             // maps/<edit_name>.txt, whole or not at all
void begin_stroke();                              // starts one undoable change
void paint_cell(int x, int y);                    // edit_kind into (x, y), inside the stroke
void paint_line(int x0, int y0, int x1, int y1);  // every cell of the straight line
void end_stroke();
bool undo_edit();                                 // false when there is nothing to undo
bool redo_edit();
char map_char_at(int x, int y);
// The content entries of the map list (comments and empty lines skipped).
std::vector<std::string> map_list_entries(const char *path);
// Puts `entry` before the position-th entry (at the end for position == entries), keeping
// every other line of the list; a missing list is made. False when it cannot be written.
// Every other byte of the list is kept; an entry the game would not play ("#x", "a..b",
// "/" or "\\" in it) is refused with the game's message, and false.
bool insert_map_list_entry(const char *path, const std::string &entry, int position);
bool playable_list_entry(const std::string &entry);   // the game's list reader plays it

// ===================== edit_check.cpp =====================
void check_edit_map();                            // refills the check state from edit_rows
bool edit_map_checked();                          // the check state belongs to edit_rows as they stand

// ===================== editor_texts.cpp =====================
int load_editor_texts();                          // "data/texts/editor_<language>.txt"; 0 read
// The text with its "%s" replaced by value.
std::string editor_text(int index, const std::string &value = "");
// The text with each "%s" in turn replaced by the next of values.
std::string editor_text_with(int index, const std::vector<std::string> &values);

// ===================== editor_screen.cpp =====================
const int FAULT_LINES = 8;                        // faults the strip lists
const int STRIP_FIRST_LINE = 40;                  // below the chosen kind, from the strip top
const int STRIP_LINE_STEP = 26;
// The status strip right of the maze, so that the editor fits a 1280x768 window: the chosen
// kind, the status lines, a note or the fault count and the faults, each wrapped to its width.
const int STRIP_WIDTH = 256;
void draw_editor();                               // maze, marks, cursor and strip; flips
void draw_question(const char *text, const char *answer);   // framed text over the maze; flips
void draw_map_list_choice(const std::vector<std::string> &entries, int position);
void draw_help();

// ===================== editor_loop.cpp =====================
extern const char *const EDITOR_CAPTION;          // "Gobrant editor"
int start_editor(const char *map_name);           // video, lists, config, skin, texts, the map
void handle_editor_event(const SDL_Event &e);
void run_editor_events();                         // handles every pending event, then draws
void run_editor();                                // until Escape or the window is closed
bool ask_yes_no(const char *question);            // Return: yes, Escape: no
void save_with_questions();                       // Ctrl+S
void play_test();                                 // F5
const int EDITOR_AUTOPLAY_RUNS = 5;               // runs of the automatic player on F6
// F6: the automatic player plays the map off screen; the note tells how it went and the
// cursor goes to where it got stuck.
void try_autoplay();
