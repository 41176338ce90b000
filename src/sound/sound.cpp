// SPDX-License-Identifier: GPL-3.0-or-later
// sound.cpp: the sound layer on SDL_mixer: opening audio, the skin's effects and streamed
// music loops, what play hands over each frame, pause and volumes.
#include "sound.h"
#include "files.h"
#include "world.h"
#include <SDL_mixer.h>
#include <cstdio>
#include <cstring>
#include <string>

bool sound_open = false;
bool sound_waits_for_key = false;
Mix_Chunk *effects[SOUND_EVENT_COUNT];
Mix_Music *music[MUSIC_LOOP_COUNT];
std::string loaded_skin;
int music_wanted = -1;
int music_playing = -1;
bool music_faded = false;
int pause_depth = 0;
int dot_run = 0;
int frames_since_dot = DOT_RUN_BREAK_FRAMES;

// Which effect each count of the frame record plays (dots apart: they rise along a run).
static const struct {
    Uint8 Happenings::*count;
    SoundEvent sound;
} HEARD[] = {
    {&Happenings::lives_picked, SOUND_EXTRA_LIFE},
    {&Happenings::decoys_picked, SOUND_DECOY_PICKUP},
    {&Happenings::charges_picked, SOUND_POWER_PICKUP},
    {&Happenings::decoys_dropped, SOUND_DECOY_DROP},
    {&Happenings::decoys_cleared, SOUND_DECOY_CLEAR},
    {&Happenings::power_on, SOUND_POWER_ON},
    {&Happenings::power_ending, SOUND_POWER_ENDING},
    {&Happenings::power_off, SOUND_POWER_OFF},
    {&Happenings::enemies_knocked_out, SOUND_ENEMY_KNOCKED_OUT},
    {&Happenings::enemies_back, SOUND_ENEMY_BACK},
    {&Happenings::player_caught, SOUND_PLAYER_CAUGHT},
    {&Happenings::lives_given_up, SOUND_LIFE_GIVEN_UP},
    {&Happenings::knots, SOUND_KNOT},
    {&Happenings::boost_on, SOUND_BOOST_ON},
    {&Happenings::boost_off, SOUND_BOOST_OFF},
    {&Happenings::teleports, SOUND_TELEPORT},
    {&Happenings::levels_done, SOUND_LEVEL_DONE},
    {&Happenings::runs_over, SOUND_RUN_OVER},
    {&Happenings::high_scores, SOUND_HIGH_SCORE},
};

// Heard by the rules just before their own waits: the record so far, without the play loop.
static void hear_before_wait()
{
    play_happenings();
}

bool open_sound()
{
    if (sound_waits_for_key)
        return false;
    happenings_hook = hear_before_wait;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0 ||
        Mix_OpenAudio(AUDIO_RATE, AUDIO_S16SYS, AUDIO_CHANNELS, AUDIO_BUFFER_FRAMES) < 0) {
        printf("No sound: %s\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(MIX_CHANNELS);
    sound_open = true;
    apply_volumes();
    return true;
}

static void free_skin_sounds()
{
    if (!sound_open)
        return;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();   // never waits, unlike freeing a loop that fades out
    for (Mix_Chunk *&chunk : effects) {
        Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
    for (Mix_Music *&loop : music) {
        if (loop)
            Mix_FreeMusic(loop);
        loop = nullptr;
    }
    music_playing = -1;
    music_faded = false;
    loaded_skin.clear();
}

// Nothing asked before carries over to audio opened again: no loop is wanted, no pause held.
void close_sound()
{
    free_skin_sounds();
    if (sound_open)
        Mix_CloseAudio();
    sound_open = false;
    happenings_hook = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    music_wanted = -1;
    pause_depth = 0;
    reset_sound_dot_run_state();
}

void reset_sound_dot_run_state()
{
    dot_run = 0;
    frames_since_dot = DOT_RUN_BREAK_FRAMES;
}

// The line written for a sound file that cannot be heard: missing, or unreadable.
static void report_unheard(const std::string &path)
{
    FILE *file = fopen(path.c_str(), "rb");
    if (!file) {
        printf("Sound missing: %s\n", path.c_str());
        return;
    }
    fclose(file);
    printf("Sound unreadable: %s (%s)\n", path.c_str(), Mix_GetError());
}

// Only OGG Vorbis goes to SDL_mixer: its other decoders (WAV with compressed samples above
// all) trust what a file claims, and hostile data made them crash under the fuzzer.
static bool starts_as_ogg(const std::string &path)
{
    char magic[4] = {};
    FILE *file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    bool ogg = fread(magic, 1, sizeof magic, file) == sizeof magic && memcmp(magic, "OggS", 4) == 0;
    fclose(file);
    if (!ogg)
        Mix_SetError("not an OGG Vorbis file");
    return ogg;
}

Mix_Chunk *load_effect(const std::string &path)
{
    Mix_Chunk *chunk = starts_as_ogg(path) ? Mix_LoadWAV(path.c_str()) : nullptr;
    if (!chunk)
        report_unheard(path);
    return chunk;
}

// Opened for streaming: only the stream's headers are read here.
Mix_Music *load_music(const std::string &path)
{
    Mix_Music *loop = starts_as_ogg(path) ? Mix_LoadMUS(path.c_str()) : nullptr;
    if (!loop)
        report_unheard(path);
    return loop;
}

void load_skin_sounds()
{
    if (!sound_open || skin_list.empty())
        return;
    const std::string &skin = skin_list[skin_index < skin_list.size() ? skin_index : 0];
    if (skin == loaded_skin)
        return;
    free_skin_sounds();
    char folder[256];
    snprintf(folder, sizeof folder, SOUND_FOLDER_FORMAT, skin.c_str());
    for (int i = 0; i < SOUND_EVENT_COUNT; i++)
        effects[i] = load_effect(std::string(folder) + SOUND_FILES[i]);
    for (int i = 0; i < MUSIC_LOOP_COUNT; i++)
        music[i] = load_music(std::string(folder) + MUSIC_FILES[i]);
    loaded_skin = skin;
    update_music();
}

static int mixer_volume(int setting)
{
    return setting * MIX_MAX_VOLUME / MAX_VOLUME;
}

// The channel's volume is set under the audio lock, so no part of the effect is mixed at the
// volume an earlier effect on that channel had.
void play_sound_at(SoundEvent sound, int volume)
{
    if (!sound_open || sound < 0 || sound >= SOUND_EVENT_COUNT || !effects[sound])
        return;
    SDL_LockAudio();
    int channel = Mix_PlayChannel(-1, effects[sound], 0);
    if (channel >= 0)
        Mix_Volume(channel, mixer_volume(volume));
    SDL_UnlockAudio();
}

void play_sound(SoundEvent sound)
{
    play_sound_at(sound, sound_volume);
}

// The note of the n-th dot of a run: up the six notes and back down, so that a long
// corridor is a little tune rather than one note repeated.
static SoundEvent dot_note(int n)
{
    const int period = 2 * (DOT_SOUND_COUNT - 1);
    int step = n % period;
    return SoundEvent(SOUND_DOT_1 + (step < DOT_SOUND_COUNT ? step : period - step));
}

void play_happenings()
{
    Happenings now = happened;
    happened = Happenings{};
    if (!sound_open)
        return;
    if (frames_since_dot < DOT_RUN_BREAK_FRAMES)
        frames_since_dot++;
    else
        dot_run = 0;
    for (int i = 0; i < now.dots_caught; i++) {
        play_sound(dot_note(dot_run++));
        frames_since_dot = 0;
    }
    for (const auto &heard : HEARD)
        if (now.*heard.count)
            play_sound(heard.sound);
    if (now.levels_done || now.runs_over) {
        fade_out_music(LEVEL_FADE_MS);
        return;
    }
    if (lives != 0)
        play_music(MUSIC_PLAY);
}

void play_music(MusicLoop loop)
{
    music_wanted = loop;
    update_music();
}

// Starting a loop while another fades out would make SDL_mixer wait for the fade: the start
// waits for a later call instead. While the asked loop plays this calls nothing of SDL_mixer,
// so that a play frame takes no audio lock.
void update_music()
{
    if (!sound_open || music_wanted < 0)
        return;
    if (music_wanted == music_playing && !music_faded)
        return;
    if (Mix_FadingMusic() == MIX_FADING_OUT)
        return;
    music_playing = music_wanted;
    music_faded = false;
    if (music[music_wanted])
        Mix_PlayMusic(music[music_wanted], -1);
}

void fade_out_music(int ms)
{
    if (!sound_open || music_faded)
        return;
    music_faded = true;
    Mix_FadeOutMusic(ms);
}

void pause_sound()
{
    if (!sound_open || pause_depth++ > 0)
        return;
    Mix_Pause(-1);
    Mix_PauseMusic();
}

void resume_sound()
{
    if (!sound_open || pause_depth == 0 || --pause_depth > 0)
        return;
    Mix_Resume(-1);
    Mix_ResumeMusic();
}

void apply_volumes()
{
    if (!sound_open)
        return;
    Mix_Volume(-1, mixer_volume(sound_volume));
    Mix_VolumeMusic(mixer_volume(music_volume));
}
