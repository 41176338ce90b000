// SPDX-License-Identifier: GPL-3.0-or-later
// sound.h: the sound layer: SDL_mixer opened after the video mode, the skin's effects and
// music loops, the hand-over of what happened in play, pause, volumes. Every call returns at
// once and does nothing when audio could not be opened; play never depends on it.
#pragma once
#include "sound_events.h"
#include "files.h"
#include <SDL.h>
#include <string>
#include <vector>

const int AUDIO_RATE = 44100;             // samples a second per channel
const int AUDIO_CHANNELS = 2;             // stereo
const int AUDIO_BUFFER_FRAMES = 512;      // sample frames a mix: 11.6 ms, so a sound starts within 30 ms
const int MIX_CHANNELS = 16;              // effects heard at once
const int LEVEL_FADE_MS = 1500;           // the music fades out over this at a level's or run's end
// A run of dots goes on while the next dot is caught within this many frames of the last.
const int DOT_RUN_BREAK_FRAMES = 24;

// ---------- Program state: from open_sound to close_sound ----------
// The loaded skin's sounds, replaced whole at each skin load, and the state of the music and
// of the pause. close_sound is their reset: everything freed, audio closed, every member
// back to its value at program start (the dot run's too).
extern bool sound_open;                   // audio is open: effects and music can be heard
// Set by a platform whose page may start sound only once the player has pressed a key (the
// web build): open_sound then leaves audio closed, and the platform opens it at the first key.
extern bool sound_waits_for_key;
extern struct Mix_Chunk *effects[SOUND_EVENT_COUNT];   // by SoundEvent; null: missing or unreadable, silent
extern struct _Mix_Music *music[MUSIC_LOOP_COUNT];     // by MusicLoop, opened for streaming; null: silent
extern std::string loaded_skin;           // the skin whose sounds are loaded; empty: none
extern int music_wanted;                  // the loop asked for, -1 none
extern int music_playing;                 // the loop last started, -1 none
extern bool music_faded;                  // faded out: the loop starts afresh when asked
extern int pause_depth;                   // pauses within pauses (a focus loss in the pause)

// ---------- Dot-run state: from one caught dot to the next ----------
// A run of dots rises note by note while each dot follows the last within
// DOT_RUN_BREAK_FRAMES; play_happenings counts it.
extern int dot_run;                       // dots caught in the current run
extern int frames_since_dot;              // frames since the last caught dot, up to DOT_RUN_BREAK_FRAMES
void reset_sound_dot_run_state();         // no run under way; close_sound calls it

// Opens audio at AUDIO_RATE, 16-bit stereo, AUDIO_BUFFER_FRAMES; when it cannot, writes one
// line and leaves sound_open false; while sound_waits_for_key it does nothing. Also sets
// happenings_hook so that the rules' own waits are heard. Returns whether audio is open.
bool open_sound();
void close_sound();                        // frees everything and closes audio
// Loads the effects and both music loops of skin_list[skin_index] (an index past the list
// means the first skin), replacing the last skin's; a missing or unreadable file writes one
// line and stays silent. Does nothing when that skin is already loaded.
void load_skin_sounds();
// The loaders the skin load uses, with SDL_mixer's own types: an effect decoded whole, a loop
// opened for streaming; null (and one line written) when the file is missing or unreadable.
struct Mix_Chunk *load_effect(const std::string &path);
struct _Mix_Music *load_music(const std::string &path);
void play_sound(SoundEvent sound);         // one effect, on a free channel, at sound_volume
void play_sound_at(SoundEvent sound, int volume);   // at a volume setting, 0 to MAX_VOLUME
// Hands the frame record (happened) to the sound and clears it: each happening plays its
// effect, dots rise along a run, a level's or run's end fades the music out; during play
// the play loop is kept going. Called by the frame once a play frame, after update_frame.
void play_happenings();
// Asks for a loop of music; it starts at once, or once a fade-out has ended (update_music).
void play_music(MusicLoop loop);
void update_music();                       // starts the asked loop when nothing fades out
void fade_out_music(int ms);
// Every effect and the music stop where they are; pauses nest (a focus loss within the
// pause), and the sound goes on at the resume of the outermost.
void pause_sound();
void resume_sound();
void apply_volumes();                      // sound_volume and music_volume, 0 silent to MAX_VOLUME
