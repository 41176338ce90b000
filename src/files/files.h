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

// Reads the next content line (not empty, not a "#" comment) into buffer, without its line
// end (LF, CR or end of file). A line longer than size - 1 keeps what fits; the rest of that
// line is dropped. Returns false at the end of the file with no further content line.
bool read_line(FILE *file, char *buffer, size_t size);
// The same, keeping the whole content line however long: for readers that must not lose
// what stands at the end of a long line.
bool read_line(FILE *file, std::string &line);

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

// ===================== config.cpp =====================
extern const char *const CONFIG_PATH;          // "data/gobrant.cfg"
const int NAME_SIZE = 256;

void read_config(const char *path);            // exits 1 on a missing file
int write_config(const char *path);            // 0 written, 1 not (message written, old file whole)

// ===================== texts.cpp =====================
const int TEXT_COUNT = 43;
const int TEXT_LINE_SIZE = 1024;

int load_texts();                              // 0 read, 1 file missing (table unchanged)

// ===================== high_scores.cpp =====================
extern const char *const HIGH_SCORES_PATH;     // "data/highscores.txt"
const int HIGH_SCORE_COUNT = 10;
const int HIGH_SCORE_LINE_SIZE = 256;

int read_high_scores(const char *path);        // 0 read, 1 missing
int write_high_scores(const char *path);       // 0 written, 1 not (message written, old file whole)
int high_score_place(Uint32 points);           // first place a score would take, -1 for none
void enter_high_score();                       // lets `score` into the table with a name; score = 0
void show_run_summary(const char *title);      // the end-of-run box (the caller flips)

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

// ---------- Program state: from start-up to the quit sequence ----------
// Read at start-up; the options menu changes the settings and reloads the texts, the name
// entry after a run changes the table and the name; the quit sequence writes the settings
// and the table back.
extern std::vector<std::string> skin_list;     // lists.cpp: skin names, file order
extern std::vector<std::string> language_list; // lists.cpp: language codes, file order
extern char player_name[NAME_SIZE];            // config.cpp: config NAME, up to 255 characters
extern Uint8 skin_index;                       // config.cpp: config SKIN, index into skin_list
extern Uint8 language_index;                   // config.cpp: config TEXTS, index into language_list
extern bool config_read;                       // config.cpp: read_config has read the stored file
extern std::string texts[TEXT_COUNT];          // texts.cpp: the language text table; maybe empty
extern std::pair<std::string, Uint32> high_scores[HIGH_SCORE_COUNT];  // high_scores.cpp: best first
extern bool high_scores_read;                  // high_scores.cpp: read_high_scores has been called

// ---------- Scratch: good only until its next user ----------
extern char text_buffer[TEXT_BUFFER_SIZE];     // line_reader.cpp: composed names and numbers
