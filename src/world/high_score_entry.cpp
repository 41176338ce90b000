// SPDX-License-Identifier: GPL-3.0-or-later
// high_score_entry.cpp: the running score's way into the high-score table at the end of a
// run and in the quit sequence, with the name asked through the name entry hook.
#include "world.h"
#include "files.h"
#include <string>

void (*name_entry_hook)(const char *prompt, char *name) = nullptr;

// The row whose name is being typed, -1 when no name entry is open.
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
        if (name_entry_hook)
            name_entry_hook(texts[TEXT_NAME_PROMPT].c_str(), player_name);
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

