// SPDX-License-Identifier: GPL-3.0-or-later
// high_scores.cpp: the high-score table, its file, the name entry and the end-of-run box;
// read by start-up, written by the quit sequence, entered at the end of a run.
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include "world.h"
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>

const char *const HIGH_SCORES_PATH = "data/highscores.txt";
std::pair<std::string, Uint32> high_scores[HIGH_SCORE_COUNT];
bool high_scores_read = false;
bool high_scores_unreadable = false;

const char SCORE_SEPARATOR = '|';
const int SUMMARY_CLOSING_LINES[3] = {TEXT_SUMMARY_FIRST, TEXT_SUMMARY_SECOND, TEXT_SUMMARY_THIRD};

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

int row_being_named = -1;

// Lets `score` into the table under player_name: moves the lower entries down and clears
// score. The row it took, -1 when the score beats no entry (0 included).
static int place_score()
{
    int place = high_score_place(score);
    if (place >= 0) {
        for (int i = HIGH_SCORE_COUNT - 1; i > place; i--)
            high_scores[i] = high_scores[i - 1];
        high_scores[place] = {std::string(player_name), score};
    }
    score = 0;
    return place;
}

// Lets `score` into the table: stores the score with the name offered (player_name) and then
// asks for the name. The score goes in, and becomes 0, before the entry opens, so a quit
// while it is open cannot enter it again: the quit sequence's call lands here with the entry
// still open and only takes the name typed so far. A score that beats no entry asks nothing.
// Reads and writes score, high_scores, player_name; a name entered is saved at once with the
// configuration.
void enter_high_score()
{
    if (row_being_named >= 0) {
        high_scores[row_being_named].first = player_name;
        return;
    }
    int place = place_score();
    if (place >= 0) {
        row_being_named = place;
        happened.high_scores++;
        if (happenings_hook)
            happenings_hook();
        text_entry(texts[TEXT_NAME_PROMPT].c_str(), player_name);
        high_scores[place].first = player_name;
        row_being_named = -1;
        save_stored_files();
    }
}

void enter_high_score_unasked()
{
    if (row_being_named >= 0)
        high_scores[row_being_named].first = player_name;
    else
        place_score();
}

const char *const RUN_SUMMARY_SCORE_FORMAT = "%s    %u";

// The widest of the title and the three closing lines; the score line is not measured.
int run_summary_width(const char *title)
{
    int box_width = font_text_width(font, title);
    for (int line : SUMMARY_CLOSING_LINES) {
        int width = font_text_width(font, texts[line].c_str());
        if (width > box_width)
            box_width = width;
    }
    return box_width;
}

// Draws the end-of-run box over the menu background: the title, the run's score and the three
// closing lines, in a red and black panel run_summary_width wide. Uses text_buffer; the
// caller flips.
void show_run_summary(const char *title)
{
    int h = font_height(font);
    int box_height = 5 * h + 60;
    int box_width = run_summary_width(title);
    int x = (SCREEN_WIDTH - box_width) / 2;
    int y = (SCREEN_HEIGHT - box_height) / 2;

    draw_maze(menu_map);
    draw_panel_frame(x, y, box_width, box_height);
    snprintf(text_buffer, TEXT_BUFFER_SIZE, RUN_SUMMARY_SCORE_FORMAT, texts[TEXT_SCORE_LABEL].c_str(),
             (unsigned)score);
    font_write_centred(screen, font, y, title);
    font_write_centred(screen, font, y + h + 20, text_buffer);
    font_write_centred(screen, font, y + 2 * h + 40, texts[SUMMARY_CLOSING_LINES[0]].c_str());
    font_write_centred(screen, font, y + 3 * h + 40, texts[SUMMARY_CLOSING_LINES[1]].c_str());
    font_write_centred(screen, font, y + 4 * h + 60, texts[SUMMARY_CLOSING_LINES[2]].c_str());
}
