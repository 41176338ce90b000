// SPDX-License-Identifier: GPL-3.0-or-later
// config.cpp: the configuration file "data/gobrant.cfg": read by start-up, written back by
// the quit sequence.
#include "files.h"
#include <cstdlib>
#include <cstring>

const char *const CONFIG_PATH = "data/gobrant.cfg";
char player_name[NAME_SIZE];
Uint8 skin_index = 0;
Uint8 language_index = 0;
bool config_read = false;
int sound_volume = DEFAULT_SOUND_VOLUME;
int music_volume = DEFAULT_MUSIC_VOLUME;
bool fullscreen = true;
int frame_delay = SLOWEST_FRAME_DELAY;

const char *const DEFAULT_PLAYER_NAME = "jmeno";

// Matches "KEY: %d" the way sscanf would (key and colon at the very start, any white space,
// an optional sign, digits, anything after ignored), but without sscanf's undefined result on
// numbers too large for an int: the value is read into a long long, saturating.
static bool match_number(const char *line, const char *key, long long &value)
{
    size_t key_length = strlen(key);
    if (strncmp(line, key, key_length) != 0)
        return false;
    const char *start = line + key_length;
    char *end = nullptr;
    long long number = strtoll(start, &end, 10);
    if (end == start)
        return false;
    value = number;
    return true;
}

// The number's low 8 bits, or 0 when that is not an index of a list of `count` entries.
static Uint8 list_index(long long number, size_t count)
{
    Uint8 index = (Uint8)(number & 0xFF);
    return index < count ? index : 0;
}

// The settings added after the four: each line "KEY: n" in any order after them; a missing
// line keeps the value in memory, a value out of range is held inside it.
static void read_later_settings(FILE *file)
{
    std::string line;
    while (read_line(file, line)) {
        long long number = 0;
        if (match_number(line.c_str(), "SOUND:", number))
            sound_volume = clamp_volume(number);
        else if (match_number(line.c_str(), "MUSIC:", number))
            music_volume = clamp_volume(number);
        else if (match_number(line.c_str(), "FULLSCREEN:", number))
            fullscreen = number != 0;
    }
}

// Reads the four settings by position: the first content line is always TIMER, the second
// NAME, and so on. A missing or malformed line keeps the value in memory. Each line is read
// whole, so that a name as long as the game writes it comes back whole. Writes frame_delay,
// player_name, skin_index, language_index and config_read; reads skin_list and language_list.
void read_config(const char *path)
{
    FILE *file = open_required_file(path);
    std::string line;
    long long number = frame_delay;
    if (read_line(file, line))
        match_number(line.c_str(), "TIMER:", number);
    frame_delay = clamp_frame_delay(number);

    player_name[0] = '\0';
    if (read_line(file, line))
        sscanf(line.c_str(), "NAME: %255s", player_name);
    if (player_name[0] == '\0')
        snprintf(player_name, NAME_SIZE, "%s", DEFAULT_PLAYER_NAME);

    number = skin_index;
    if (read_line(file, line))
        match_number(line.c_str(), "SKIN:", number);
    skin_index = list_index(number, skin_list.size());

    number = language_index;
    if (read_line(file, line))
        match_number(line.c_str(), "TEXTS:", number);
    language_index = list_index(number, language_list.size());

    read_later_settings(file);
    fclose(file);
    config_read = true;
}

int clamp_volume(long long volume)
{
    return volume < 0 ? 0 : volume > MAX_VOLUME ? MAX_VOLUME : static_cast<int>(volume);
}

static void write_settings(FILE *file)
{
    fprintf(file, "TIMER: %d\nNAME: %s\nSKIN: %d\nTEXTS: %d\nSOUND: %d\nMUSIC: %d\nFULLSCREEN: %d",
            frame_delay, player_name, skin_index, language_index, sound_volume, music_volume,
            fullscreen ? 1 : 0);
}

// Writes the four described settings and the later ones after them, the last line without
// a line end, replacing the file whole;
// on failure writes the message and returns 1, the old file untouched.
int write_config(const char *path)
{
    return save_file(path, write_settings, "\n");
}

int clamp_frame_delay(long long delay)
{
    if (delay > SLOWEST_FRAME_DELAY)
        return SLOWEST_FRAME_DELAY;
    if (delay < FASTEST_FRAME_DELAY)
        return FASTEST_FRAME_DELAY;
    return (int)delay;
}
