// SPDX-License-Identifier: GPL-3.0-or-later
// test_support.h: what many tests share: a headless screen, scratch trees and small maps,
// file and stream helpers, pushed input events, surface and pixel helpers, death-test
// guards and the setup of real play.
#pragma once
#include <SDL.h>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

extern const char *const SOURCE_DIR;   // the repository root

// Starts SDL video on the dummy driver with the game's 1024x768x16 mode and stores it in
// `screen`. Safe to call from every test; SDL stays up for the whole test program.
void open_test_screen();

// --- Files and scratch trees ---

// The folder that holds every scratch folder of this test program (made on first use under
// /tmp, removed with everything in it when the program ends).
std::string scratch_root();

// Makes a fresh scratch folder in scratch_root(), copies the shipped content tree (data, maps, skins)
// into it unless `copy_content` is false, and makes it the working directory. Returns its path.
std::string enter_scratch_tree(bool copy_content = true);

std::string read_file(const std::string &path);
void write_file(const std::string &path, const std::string &text);

// Writes maps/<name> (making maps/ if needed): `rows` from the top-left corner, walls
// everywhere else.
void write_map(const std::string &name, const std::vector<std::string> &rows);

// MAP_ROWS rows of MAP_COLUMNS cells: walls ('1') around, floor ('2') inside.
std::vector<std::string> walled_rows();

// Fills level_map from picture rows: '#' wall, '.' floor, letters teleports; everything
// not drawn is wall. Teleport pairs are left for the test to add.
void set_level(const std::vector<std::string> &rows);

// An open read-only stream holding text (a temporary file, removed when closed).
FILE *stream_with(const std::string &text);

// The data-file code writes its messages to standard output, which a death test does not
// capture; the dying code calls this first so that the messages land on standard error.
void stdout_to_stderr();

// Leaves the scratch tree at `root` for scratch_root() and removes it.
void leave_scratch_tree(const std::string &root);

// Runs the built game binary in `dir` with the dummy video driver; captures its standard
// output into `output`. With `term_when_waiting` the process is sent SIGTERM once its first
// screen waits for the player (its event trace says so). Returns the exit status, or -1
// when it did not exit normally.
int run_game_binary(const std::string &dir, std::string &output, bool term_when_waiting = false);

// --- Input ---

void drain_events();
void push_key(SDLKey sym, SDLMod mod = KMOD_NONE, Uint8 type = SDL_KEYDOWN);
void push_keys(std::initializer_list<SDLKey> keys);
// Gives each key in turn to a waiting screen when it finds its event queue empty (through
// the idle-input hook), so the key comes after the screen has drawn and drained the queue.
void push_keys_when_waiting(std::initializer_list<SDLKey> keys);
void push_focus(Uint8 gain, Uint8 state = SDL_APPINPUTFOCUS);
void push_event_of_type(Uint8 type);          // an event with no payload, such as SDL_QUIT

// --- Surfaces and pixels ---

// A new surface of the given size in the screen's pixel format, filled with `pixel`.
SDL_Surface *screen_format_surface(int w, int h, Uint32 pixel = 0);
void fill_area(SDL_Surface *s, int x, int y, int w, int h, Uint32 pixel);
// Reads a pixel with the surface locked (keyed sprites may be RLE-encoded).
Uint32 locked_pixel(SDL_Surface *s, int x, int y);
std::vector<Uint32> all_pixels(SDL_Surface *s);   // row by row
Uint32 screen_pixel(int x, int y);
// A w x h surface of 24-bit RGB, the format the skin files are saved in.
SDL_Surface *rgb_surface(int w, int h);
// Saves the surface as a BMP at `path` (a test failure when it cannot) and frees it.
void save_bmp(SDL_Surface *s, const std::string &path);
// Writes a 24-bit BMP of w x h pixels in one colour.
void save_flat_bmp(const std::string &path, int w, int h, Uint8 r, Uint8 g, Uint8 b);
void fill_screen(Uint32 pixel);

// --- Death tests ---

// For death-test children: a child still running after ten seconds ends with status 4, so
// code that never leaves fails instead of hanging.
void child_watchdog();
// Starts the watchdog too; `check` runs when the child exits; if it returns false the child
// ends with status 3 instead, after printing `what` to standard error.
void check_at_exit(bool (*check)(), const char *what);

// --- Real play ---

const Uint32 UNBEATABLE = 1000000;   // a table score no test run reaches

// The world of a program with no game in progress: every lifetime of the world reset, lives
// 0. Every test begins with it and the other layers' program resets.
void reset_to_no_game();
// reset_to_no_game, and the table filled with UNBEATABLE.
void reset_game_state();
// What start-up reads of the stored files in the working directory, with two skins and two
// languages listed.
void read_stored_files();
// A scratch copy of the content tree with the first shipped skin loaded (opens the screen).
void enter_shipped_skin();
// The real content tree with the first skin and English texts, the test clock, seed 7.
void enter_play_tree();
// Writes the maps, lists them and starts a new game on the first.
void start_game_on(const std::vector<std::pair<std::string, std::vector<std::string>>> &maps);
