// test_support.h: what many tests share: a headless screen, a scratch copy of the content
// tree as working directory, and small file helpers.
#pragma once
#include <SDL.h>
#include <string>

// Starts SDL video on the dummy driver with the game's 1024x768x16 mode and stores it in
// `screen`. Safe to call from every test; SDL stays up for the whole test program.
void open_test_screen();

// Makes a fresh temporary directory, copies the shipped content tree (data, maps, skins)
// into it unless `copy_content` is false, and makes it the working directory. Returns its path.
std::string enter_scratch_tree(bool copy_content = true);

std::string read_file(const std::string &path);
void write_file(const std::string &path, const std::string &text);

// Runs the built game binary in `dir` with the dummy video driver; captures its standard
// output into `output`. If `term_after_ms` is above 0 the process is sent SIGTERM after
// that many milliseconds. Returns the exit status, or -1 when it did not exit normally.
int run_game_binary(const std::string &dir, std::string &output, int term_after_ms = 0);

extern const char *const SOURCE_DIR;   // the repository root
