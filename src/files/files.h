// SPDX-License-Identifier: GPL-3.0-or-later
// files.h: the data files: the line reader and list files, the configuration, the
// language texts and the high-score table.
#pragma once
#include <SDL.h>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

// ===================== line_reader.cpp =====================
const int TEXT_BUFFER_SIZE = 256;

// The rule for a line of every content file: a line ends at a line feed, a carriage return or
// the end of the file; its text ends at its first zero byte (what follows is dropped); it is a
// content line when that text is neither empty nor a "#" comment. Other lines are skipped.
bool is_content_line(const std::string &line);   // of a line without its line end
std::string line_text(const std::string &line);  // the line up to its first zero byte
// Where each line of a text stands, lines counted as a person counts them (LF, CR or CRLF ends
// one; no empty line after a last line end): for tools that report line numbers or keep a
// file's other lines as they are.
struct LineSpan {
    size_t start, end;                 // the line without its line end: [start, end)
    size_t next;                       // where the next line starts
};
std::vector<LineSpan> line_spans(const std::string &text);
std::vector<std::string> split_lines(const std::string &text);   // the lines of line_spans

// Reads the next content line (not empty, not a "#" comment) into buffer, without its line
// end (LF, CR or end of file). A line longer than size - 1 keeps what fits; the rest of that
// line is dropped. Returns false at the end of the file with no further content line.
bool read_line(FILE *file, char *buffer, size_t size);
// The same, keeping the whole text of the content line however long: for readers that must
// not lose what stands at the end of a long line.
bool read_line(FILE *file, std::string &line);

// Larger than any valid map, list or text file (a map is 24 rows of 32 cells; comments aside).
const long long MAX_TEXT_FILE_SIZE = 1 << 20;
// Larger than any valid bitmap of a skin or the font sheet.
const long long MAX_BITMAP_FILE_SIZE = 16 << 20;
// The whole file as it is on disk; false when it cannot be read, is not a regular file (a
// FIFO, a device, a folder) or is larger than MAX_TEXT_FILE_SIZE.
bool read_whole_file(const std::string &path, std::string &text);
// Why path is not a file to read (missing, not a regular file, larger than max_size); empty
// when it is one.
std::string file_refusal(const std::string &path, long long max_size);

// Opens a text file for reading. When it cannot be opened, writes "ERROR opening file
// <path>" and two line ends and returns null; the caller goes on without it.
FILE *open_text_file(const char *path);
// Opens a text file the game cannot run without. When it cannot be opened, writes
// "ERROR opening file <path>" and one line end and ends the program with status 1.
FILE *open_required_file(const char *path);

// ===================== lists.cpp =====================
extern const char *const SKIN_LIST_PATH;       // "skins/skins.txt"
extern const char *const LANGUAGE_LIST_PATH;   // "data/texts.txt"

void read_list(const char *path, std::vector<std::string> &list);  // exits 1 on a missing file
// Appends each content line (up to 255 characters kept) of the open list file at path to
// list when it is a plain name, one that names an entry of the list's own folder: a line
// holding "/", "\" or ".." is refused with "ERROR not a plain name in <path>: <line>"
// and skipped.
void read_names(FILE *file, const char *path, std::vector<std::string> &list);
// Whether name is plain: no "/", "\\" or ".."; the game's one rule, used by its tools too.
bool is_plain_name(const char *name);

// ===================== config.cpp =====================
extern const char *const CONFIG_PATH;          // "data/gobrant.cfg"
const int NAME_SIZE = 256;

const int MAX_VOLUME = 10;                     // the loudest sound and music setting
const int DEFAULT_SOUND_VOLUME = 8;            // SOUND before a configuration names it
const int DEFAULT_MUSIC_VOLUME = 6;            // MUSIC before a configuration names it

void read_config(const char *path);            // exits 1 on a missing file
int write_config(const char *path);            // 0 written, 1 not (message written, old file whole)
int clamp_volume(long long volume);            // held between 0 and MAX_VOLUME
const int FASTEST_FRAME_DELAY = 20;   // the shortest frame the configuration and options allow
const int SLOWEST_FRAME_DELAY = 25;   // the longest one, and the frame length before configuration
// `delay` held between FASTEST_FRAME_DELAY and SLOWEST_FRAME_DELAY; used by the configuration
// reader and the options menu.
int clamp_frame_delay(long long delay);

// ===================== texts.cpp =====================
// The entries of the language text table, by where the game shows them.
enum TextEntry {
    TEXT_LEGEND_TITLE,            // the legend screen: its title and the descriptions below
    TEXT_LEGEND_BOOST,            // first line beside the boost icon
    TEXT_LEGEND_POWER,            // first line beside the power pick-up
    TEXT_LEGEND_DECOY,            // first line beside the decoy pick-up
    TEXT_LEGEND_KNOT,             // first line beside the knot icon
    TEXT_LEGEND_LIVES,            // first line beside the life icon
    TEXT_LEGEND_DOTS,
    TEXT_LEGEND_EXTRA_LIFE,
    TEXT_LEGEND_TELEPORT,
    TEXT_LEGEND_KEYS,             // the last line, without an icon
    TEXT_LEGEND_PLAYER,           // the three actor lines, drawn further in
    TEXT_LEGEND_POWERED_PLAYER,
    TEXT_LEGEND_ENEMY,
    TEXT_LEGEND_BOOST_MORE,       // second lines of the first five legend entries
    TEXT_LEGEND_POWER_MORE,
    TEXT_LEGEND_DECOY_MORE,
    TEXT_LEGEND_KNOT_MORE,
    TEXT_LEGEND_LIVES_MORE,
    TEXT_LIVES_LABEL,             // status panel, bottom row
    TEXT_SCORE_LABEL,             // status panel, top row, and the end-of-run box
    TEXT_FPS_LABEL,               // status panel, before the frame rate
    TEXT_OUT_OF_LIVES,            // end-of-run title after the last life
    TEXT_CAUGHT,                  // message while the player is caught
    TEXT_ALL_MAPS_DONE,           // end-of-run title after the last map
    TEXT_LEVEL_DONE,              // message at the end of a level
    TEXT_PAUSE,
    TEXT_SUMMARY_FIRST,           // the three closing lines of the end-of-run box
    TEXT_SUMMARY_SECOND,
    TEXT_SUMMARY_THIRD,
    TEXT_NAME_PROMPT,             // the name entry, after a run and in the options menu
    TEXT_MENU_TITLE,
    TEXT_OPTION_SPEED,            // the options menu's rows
    TEXT_OPTION_NAME,
    TEXT_OPTION_SKIN,
    TEXT_OPTION_LANGUAGE,
    TEXT_OPTION_APPLY,
    TEXT_ITEM_CONTINUE,           // the main menu's items; shown only while a game is on
    TEXT_ITEM_NEW_GAME,
    TEXT_ITEM_OPTIONS,            // also the options menu's title
    TEXT_ITEM_HIGH_SCORES,        // also the high-score screen's title
    TEXT_ITEM_CREDITS,
    TEXT_ITEM_LEGEND,
    TEXT_ITEM_QUIT,
    TEXT_ENTRY_COUNT
};
const int TEXT_COUNT = TEXT_ENTRY_COUNT;   // 43
const int TEXT_LINE_SIZE = 1024;
const char MAPS_FOLDER[] = "maps/";            // the map files and the map list
const char TEXTS_FOLDER[] = "data/texts/";     // the language text files
extern const char *const TEXT_FILE_FORMAT;     // "%s%s_%s.txt": TEXTS_FOLDER, skin, language

// The words of the options rows added after the described ones, one file per language
// (data/texts/options_<language>.txt), so that the 43-line files stay as they are.
enum OptionText {
    OPTION_TEXT_SOUND,            // the sound-effect volume row's label
    OPTION_TEXT_MUSIC,            // the music volume row's label
    OPTION_TEXT_FULLSCREEN,       // the full-screen row's label
    OPTION_TEXT_ON,               // the full-screen row's values
    OPTION_TEXT_OFF,
    OPTION_TEXT_COUNT
};
extern const char *const OPTION_TEXT_FILE_FORMAT;   // "%soptions_%s.txt": TEXTS_FOLDER, language

int load_texts();                              // 0 read, 1 file missing (table unchanged); also
                                               // loads the option texts
int load_option_texts();                       // 0 read, 1 missing (the first language's too)
int read_text_table(const char *path, std::string *table, int count);   // 0 read, 1 missing

// ===================== high_scores.cpp =====================
extern const char *const HIGH_SCORES_PATH;     // "data/highscores.txt"
const int HIGH_SCORE_COUNT = 10;
const int HIGH_SCORE_LINE_SIZE = 256;

int read_high_scores(const char *path);        // 0 read, 1 missing or unreadable
int write_high_scores(const char *path);       // 0 written, 1 not (message written, old file whole)
int high_score_place(Uint32 points);           // first place a score would take, -1 for none

// ===================== safe_write.cpp =====================
// Stored files are written to a temporary file beside them, synced to the disk and renamed
// over the old one only when everything was written, so a failed or interrupted write leaves
// the old file whole. Each save first removes the temporary files that interrupted saves of
// the same file left behind.
FILE *open_replacement(const char *path, std::string &temp_path);  // null when it cannot open
bool commit_replacement(FILE *file, const std::string &temp_path, const char *path);
// Replaces path with what write_content writes. On failure writes "ERROR opening file
// <path>" (no temporary file could be made) or "ERROR writing file <path>: <reason>",
// then line_ends, and returns 1, the old file whole; 0 when saved.
int save_file(const char *path, void (*write_content)(FILE *), const char *line_ends);
// Test seam: every sync of a saved file fails with this error (a full disk: ENOSPC); 0 ends it.
void set_test_write_failure(int error);
// Writes back what was read from the stored files: the configuration once read_config has
// read it, the table once the configuration was read too (before that no game can have run,
// so the table in memory holds nothing the file lacks). A table that is there but could not
// be read is never written over: that counts as a failed save. Both saves are tried, then
// stored_files_saved runs; 0 when both were written, 1 when either failed. Called when the
// player changed them (the options menu left, a name entered) and by the quit sequence.
int save_stored_files();

// ---------- Program state: from start-up to the quit sequence ----------
// Read at start-up; the options menu changes the settings and reloads the texts, the name
// entry after a run changes the table and the name; the quit sequence writes the settings
// and the table back. The game starts them at their definitions' values; tests and tools
// put them back there with reset_files_program_state.
extern std::vector<std::string> skin_list;     // lists.cpp: skin names, file order
extern std::vector<std::string> language_list; // lists.cpp: language codes, file order
extern char player_name[NAME_SIZE];            // config.cpp: config NAME, up to 255 characters
extern Uint8 skin_index;                       // config.cpp: config SKIN, index into skin_list
extern Uint8 language_index;                   // config.cpp: config TEXTS, index into language_list
extern bool config_read;                       // config.cpp: read_config has read the stored file
extern int sound_volume;                       // config.cpp: config SOUND, 0 to MAX_VOLUME
extern int music_volume;                       // config.cpp: config MUSIC, 0 to MAX_VOLUME
extern bool fullscreen;                        // config.cpp: config FULLSCREEN; full screen or a window
extern int frame_delay;                        // config.cpp: config TIMER, milliseconds per frame slot
extern std::string texts[TEXT_COUNT];          // texts.cpp: the language text table; maybe empty
extern std::string option_texts[OPTION_TEXT_COUNT];   // texts.cpp: the later options rows' words
extern std::pair<std::string, Uint32> high_scores[HIGH_SCORE_COUNT];  // high_scores.cpp: best first
extern bool high_scores_read;                  // high_scores.cpp: read_high_scores has been called
extern bool high_scores_unreadable;            // high_scores.cpp: the stored table is there but unreadable
extern int injected_sync_error;                // safe_write.cpp: the error every sync of a save reports (set_test_write_failure); 0 none
// safe_write.cpp: when set, called after each save_stored_files: the web build copies the
// files into the browser's storage.
extern void (*stored_files_saved)();
// Every member above back to its value at program start: empty lists, table and texts,
// nothing read, no name, the first skin and language, the default volumes, full screen, no
// name entry open, saves that succeed, no hook.
void reset_files_program_state();

// ---------- Scratch: good only until its next user ----------
extern char text_buffer[TEXT_BUFFER_SIZE];     // line_reader.cpp: composed names and numbers
