// SPDX-License-Identifier: GPL-3.0-or-later
// high_scores.cpp: the high-score table and its file; read by start-up, written by the quit
// sequence, entered at the end of a run (high_score_entry.cpp).
#include "files.h"
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>

const char *const HIGH_SCORES_PATH = "data/highscores.txt";
std::pair<std::string, Uint32> high_scores[HIGH_SCORE_COUNT];
bool high_scores_read = false;
bool high_scores_unreadable = false;

const char SCORE_SEPARATOR = '|';

// The name as its line holds it: without leading "#" characters (a line starting with "#"
// reads as a comment, and the score would vanish from the table), up to its first "|"
// (which would end the name on reading), and short enough that "name|score" fits the line
// buffer of the reader.
static std::string written_name(const std::string &name, Uint32 points)
{
    int digits = snprintf(nullptr, 0, "%u", (unsigned)points);
    size_t room = HIGH_SCORE_LINE_SIZE - 1 - 1 - digits;
    size_t start = strspn(name.c_str(), "#");
    size_t length = strcspn(name.c_str() + start, "|");
    return name.substr(start, length < room ? length : room);
}

// The score after the "|" as "%u" reads it (leading white space skipped, an optional "+",
// the rest after the digits ignored) into points. False for a line with no score: no digits,
// a minus sign, or a number beyond 32 bits.
static bool parse_score(const char *text, Uint32 &points)
{
    while (isspace((unsigned char)*text))
        text++;
    if (*text == '+')
        text++;
    if (!isdigit((unsigned char)*text))
        return false;
    unsigned long long number = 0;
    for (; isdigit((unsigned char)*text); text++) {
        number = number * 10 + (*text - '0');
        if (number > UINT32_MAX)
            return false;
    }
    points = (Uint32)number;
    return true;
}

// Replaces the table with the file's entries: name before the first "|", score after it.
// Each line is read whole, so a long name keeps its score; the name is shortened as the
// writer would shorten it. Lines without "|" or without a score are skipped; at most ten
// entries are read. Sets high_scores_read even when the file is missing (then the table
// stays as it was). A file that is there but cannot be read (no permission, a read error)
// sets high_scores_unreadable, so that the quit sequence never writes over it. 0 read,
// 1 missing or unreadable.
int read_high_scores(const char *path)
{
    high_scores_read = true;
    FILE *file = fopen(path, "r");
    if (!file) {
        if (errno != ENOENT)
            high_scores_unreadable = true;
        printf("ERROR opening file %s\n\n", path);
        return 1;
    }
    for (auto &entry : high_scores)
        entry = {std::string(), 0};
    std::string line;
    int count = 0;
    while (count < HIGH_SCORE_COUNT && read_line(file, line)) {
        size_t separator = line.find(SCORE_SEPARATOR);
        Uint32 points = 0;
        if (separator == std::string::npos || !parse_score(line.c_str() + separator + 1, points))
            continue;
        line.resize(separator);
        high_scores[count++] = {written_name(line, points), points};
    }
    if (ferror(file)) {
        high_scores_unreadable = true;
        printf("ERROR reading file %s\n\n", path);
    }
    fclose(file);
    return high_scores_unreadable ? 1 : 0;
}

static void write_table(FILE *file)
{
    for (const auto &entry : high_scores)
        fprintf(file, "%s|%u\n", written_name(entry.first, entry.second).c_str(),
                (unsigned)entry.second);
}

// Writes exactly ten lines "name|score" and replaces the file whole; on failure writes the
// message and returns 1, the old file untouched.
int write_high_scores(const char *path)
{
    return save_file(path, write_table, "\n\n");
}

// The first place whose score is below points: equal scores stay above a newcomer.
int high_score_place(Uint32 points)
{
    for (int i = 0; i < HIGH_SCORE_COUNT; i++) {
        if (high_scores[i].second < points)
            return i;
    }
    return -1;
}
