// SPDX-License-Identifier: GPL-3.0-or-later
// fuzz_support.h: what the fuzz targets share: a scratch tree to write inputs into, the
// headless screen, and the check that stops a run when a property does not hold.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Makes (once per process) a fresh scratch tree with data/, data/texts/ and maps/ and enters it.
void enter_fuzz_tree();
// Writes the input bytes to `path` inside the scratch tree.
void write_input(const char *path, const uint8_t *data, size_t size);
// From now on the game's own fopen of `path` for reading reads these bytes from memory (the
// targets link with --wrap=fopen); a file system round trip per input would cost more than
// the reader itself. The bytes must stay alive while the game reads them.
void serve_input(const char *path, const uint8_t *data, size_t size);
// Starts SDL on the dummy driver and opens the game's video mode into `screen` (once).
void open_fuzz_screen();
// Stops the run with a message when a property of the reader does not hold.
void require(bool holds, const char *what);
// A name of the characters the name entry can type: letters, and the space when `spaces`.
std::string typed_name(const uint8_t *data, size_t size, bool spaces);

// Bitmaps claiming more pixels than this, but no more than the game's loader takes, are left
// out of fuzz runs: SDL would allocate them whole before reading, which the fuzzer counts as
// running out of memory. Larger claims reach the loader, which refuses them from the header.
const long long MAX_FUZZ_PIXELS = 1 << 16;
// Writes the input to `path`; false when it is left out of the run.
bool write_bitmap_input(const char *path, const uint8_t *data, size_t size);
