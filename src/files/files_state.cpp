// SPDX-License-Identifier: GPL-3.0-or-later
// files_state.cpp: the reset of the data files' program state (declared in files.h).
#include "files.h"

void reset_files_program_state()
{
    skin_list.clear();
    language_list.clear();
    player_name[0] = '\0';
    skin_index = 0;
    language_index = 0;
    config_read = false;
    sound_volume = DEFAULT_SOUND_VOLUME;
    music_volume = DEFAULT_MUSIC_VOLUME;
    fullscreen = true;
    for (std::string &text : texts)
        text.clear();
    for (std::string &text : option_texts)
        text.clear();
    for (auto &entry : high_scores)
        entry = {};
    high_scores_read = false;
    high_scores_unreadable = false;
    set_test_write_failure(0);
    stored_files_saved = nullptr;
}
