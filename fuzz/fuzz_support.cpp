// SPDX-License-Identifier: GPL-3.0-or-later
// fuzz_support.cpp: shared helpers of the fuzz targets (see fuzz_support.h).
#include "fuzz_support.h"
#include "frame.h"
#include "gfx.h"
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

void enter_fuzz_tree()
{
    static bool entered = false;
    if (entered)
        return;
    // Inputs are written once per execution: a memory file system keeps that cheap.
    std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/gobrant-fuzz-XXXXXX"
                                                       : "/tmp/gobrant-fuzz-XXXXXX";
    if (!mkdtemp(&pattern[0]) || chdir(pattern.c_str()) != 0) {
        perror("scratch tree");
        abort();
    }
    mkdir("data", 0755);
    mkdir("data/texts", 0755);
    mkdir("maps", 0755);
    entered = true;
}

void write_input(const char *path, const uint8_t *data, size_t size)
{
    FILE *file = fopen(path, "wb");
    if (!file || fwrite(data, 1, size, file) != size || fclose(file) != 0) {
        perror(path);
        abort();
    }
    connect_layers();
}

static std::string served_path;
static const uint8_t *served_data = nullptr;
static size_t served_size = 0;

void serve_input(const char *path, const uint8_t *data, size_t size)
{
    served_path = path;
    served_data = data;
    served_size = size;
}

extern "C" FILE *__real_fopen(const char *path, const char *mode);

// The game's fopen: the served path opened for reading comes from memory. fmemopen refuses an
// empty buffer, so an empty input is served as one line end, which every reader of the game
// skips like the end of the file.
extern "C" FILE *__wrap_fopen(const char *path, const char *mode)
{
    if (mode[0] != 'r' || served_path != path)
        return __real_fopen(path, mode);
    static char empty_line[] = "\n";
    if (served_size == 0)
        return fmemopen(empty_line, 1, "r");
    return fmemopen(const_cast<uint8_t *>(served_data), served_size, "r");
}

void open_fuzz_screen()
{
    if (screen)
        return;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || set_video_mode() != 0) {
        fprintf(stderr, "no video: %s\n", SDL_GetError());
        abort();
    }
}

void require(bool holds, const char *what)
{
    if (holds)
        return;
    fprintf(stderr, "property failed: %s\n", what);
    abort();
}

std::string typed_name(const uint8_t *data, size_t size, bool spaces)
{
    static const char LETTERS[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ ";
    const size_t choices = sizeof LETTERS - (spaces ? 1 : 2);
    std::string name;
    for (size_t i = 0; i < size; i++)
        name += LETTERS[data[i] % choices];
    return name;
}

bool write_bitmap_input(const char *path, const uint8_t *data, size_t size)
{
    long long claimed = bitmap_claimed_pixels(data, size);
    if (claimed > MAX_FUZZ_PIXELS && claimed <= MAX_BITMAP_PIXELS)
        return false;
    write_input(path, data, size);
    return true;
}
