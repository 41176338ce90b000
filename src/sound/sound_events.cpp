// SPDX-License-Identifier: GPL-3.0-or-later
// sound_events.cpp: the file name of every sound and loop of music of a skin.
#include "sound_events.h"

const char *const SOUND_FOLDER_FORMAT = "skins/%s/sounds/";

const char *const SOUND_FILES[SOUND_EVENT_COUNT] = {
    "dot1.ogg", "dot2.ogg", "dot3.ogg", "dot4.ogg", "dot5.ogg", "dot6.ogg",
    "extra_life.ogg",
    "decoy_pickup.ogg",
    "power_pickup.ogg",
    "decoy_drop.ogg",
    "decoy_clear.ogg",
    "power_on.ogg",
    "power_ending.ogg",
    "power_off.ogg",
    "enemy_knocked_out.ogg",
    "enemy_back.ogg",
    "player_caught.ogg",
    "life_given_up.ogg",
    "knot.ogg",
    "boost_on.ogg",
    "boost_off.ogg",
    "teleport.ogg",
    "level_done.ogg",
    "run_over.ogg",
    "high_score.ogg",
    "menu_move.ogg",
    "menu_change.ogg",
    "menu_confirm.ogg",
    "menu_back.ogg",
};

const char *const MUSIC_FILES[MUSIC_LOOP_COUNT] = {"music_menu.ogg", "music_play.ogg"};
