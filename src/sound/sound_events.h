// SPDX-License-Identifier: GPL-3.0-or-later
// sound_events.h: every sound the game can play and the file each one is read from; the one
// table that the game, the sound maker and the content checker share.
#pragma once

// What happened, as the game tells the sound: one entry a sound file.
enum SoundEvent {
    SOUND_DOT_1,                // a dot caught: six rising notes, one after another along a run
    SOUND_DOT_2,
    SOUND_DOT_3,
    SOUND_DOT_4,
    SOUND_DOT_5,
    SOUND_DOT_6,
    SOUND_EXTRA_LIFE,           // an extra life picked up
    SOUND_DECOY_PICKUP,         // a decoy picked up
    SOUND_POWER_PICKUP,         // a power charge picked up
    SOUND_DECOY_DROP,           // a decoy put down
    SOUND_DECOY_CLEAR,          // a decoy taken away or worn out
    SOUND_POWER_ON,             // power mode switched on
    SOUND_POWER_ENDING,         // power mode in its last two seconds
    SOUND_POWER_OFF,            // power mode over
    SOUND_ENEMY_KNOCKED_OUT,    // an enemy knocked out
    SOUND_ENEMY_BACK,           // a knocked-out enemy back on its feet
    SOUND_PLAYER_CAUGHT,        // the player caught
    SOUND_LIFE_GIVEN_UP,        // a life given up
    SOUND_KNOT,                 // a knot taken
    SOUND_BOOST_ON,
    SOUND_BOOST_OFF,
    SOUND_TELEPORT,
    SOUND_LEVEL_DONE,           // every dot of a level caught
    SOUND_RUN_OVER,             // a run ended: out of lives, or the last map finished
    SOUND_HIGH_SCORE,           // a score entered the table
    SOUND_MENU_MOVE,            // the chosen row of a menu changed
    SOUND_MENU_CHANGE,          // an option's value changed
    SOUND_MENU_CONFIRM,
    SOUND_MENU_BACK,
    SOUND_EVENT_COUNT
};
const int DOT_SOUND_COUNT = SOUND_DOT_6 - SOUND_DOT_1 + 1;

// The loops of music: one behind the menus, one during play.
enum MusicLoop { MUSIC_MENU, MUSIC_PLAY, MUSIC_LOOP_COUNT };

// A skin's sounds and music lie in this folder of the skin, one OGG Vorbis file each.
extern const char *const SOUND_FOLDER_FORMAT;   // "skins/%s/sounds/": skin
extern const char *const SOUND_FILES[SOUND_EVENT_COUNT];   // file names, by SoundEvent
extern const char *const MUSIC_FILES[MUSIC_LOOP_COUNT];    // file names, by MusicLoop
