// SPDX-License-Identifier: GPL-3.0-or-later
// sound_test.cpp: listens to what the game plays through SDL's disk audio driver: each
// effect of a scenario of real frames where it belongs, silence at volume 0, a music loop
// without gap or click, and the lines for a skin's missing and unreadable sounds.
#include <gtest/gtest.h>
#include "test_support.h"
#include "checks.h"
#include "files.h"
#include "frame.h"
#include "sound.h"
#include "world.h"
#include <SDL_mixer.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const int TONE_FRAMES = 2646;             // 60 ms: every test effect
const int WINDOW = 1024;                  // sample frames a tone is measured over
const Sint16 TONE_AMPLITUDE = 8000;
const int LOOP_PERIOD = 100;              // the music: 441 Hz, whole periods in the file
const int LOOP_FRAMES = 220 * LOOP_PERIOD;
const int FRAME_LIMIT = 600;              // a scenario that has not ended by then has failed

// Each effect has a tone of its own, far enough from the others to be told apart.
double tone_hz(int sound)
{
    return 300.0 + 150.0 * sound;
}

// A mono 16-bit WAV at the audio rate: a cosine (its first sample is loud, so an onset is
// found exactly) or a sine of whole periods (a loop that joins without a step).
void write_wav(const std::string &path, double hz, int frames, bool cosine)
{
    std::string data;
    for (int n = 0; n < frames; n++) {
        double phase = 2 * M_PI * hz * n / AUDIO_RATE;
        Sint16 v = Sint16(TONE_AMPLITUDE * (cosine ? cos(phase) : sin(phase)));
        data += char(v & 0xff);
        data += char((v >> 8) & 0xff);
    }
    auto u32 = [](Uint32 v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    auto u16 = [](Uint16 v) { return std::string{char(v), char(v >> 8)}; };
    write_file(path, "RIFF" + u32(36 + data.size()) + "WAVEfmt " + u32(16) + u16(1) + u16(1) +
                         u32(AUDIO_RATE) + u32(AUDIO_RATE * 2) + u16(2) + u16(16) + "data" +
                         u32(data.size()) + data);
}

// The same as OGG Vorbis, the only format the game reads, made with sox (quality 10).
void write_ogg(const std::string &path, double hz, int frames, bool cosine)
{
    write_wav(path + ".wav", hz, frames, cosine);
    const std::string encode = "sox '" + path + ".wav' -C 10 -t ogg '" + path + "'";
    ASSERT_EQ(system(encode.c_str()), 0) << encode;
    remove((path + ".wav").c_str());
}

Uint64 mixed_frames = 0;                  // sample frames SDL_mixer has handed to the driver

void count_mixed(void *, Uint8 *, int bytes)
{
    mixed_frames += bytes / (2 * AUDIO_CHANNELS);
}

Uint64 mixed_now()
{
    SDL_LockAudio();
    Uint64 now = mixed_frames;
    SDL_UnlockAudio();
    return now;
}

// Lets the audio thread mix at least one more buffer: about one buffer a frame of play.
void wait_for_mix(Uint64 after)
{
    for (int waited = 0; mixed_now() <= after && waited < 1000; waited++) SDL_Delay(1);
}

// The first sample frame whose left channel is not silent (the output's length when none is).
long first_sound(const std::vector<Sint16> &out)
{
    long start = 0;
    while (start * 2 < (long)out.size() && out[start * 2] == 0)
        start++;
    return start;
}

// The amplitude of a tone in the left channel over WINDOW frames from `from` (Hann window).
double tone_level(const std::vector<Sint16> &out, long from, double hz)
{
    if (from < 0 || (from + WINDOW) * 2 > (long)out.size())
        return -1;
    double w = 2 * M_PI * hz / AUDIO_RATE, re = 0, im = 0;
    for (int n = 0; n < WINDOW; n++) {
        double x = out[(from + n) * 2] * (0.5 - 0.5 * cos(2 * M_PI * n / WINDOW));
        re += x * cos(w * n);
        im -= x * sin(w * n);
    }
    return 4 * sqrt(re * re + im * im) / WINDOW;
}

// One corridor of dots, the player at its left end and one enemy at its right.
const std::vector<std::string> CORRIDOR = {
    "11111111111111111111111",
    "13000000000000000000041",
};

class SoundOutput : public testing::Test {
protected:
    std::string root, output, sounds;

    void SetUp() override
    {
        enter_play_tree();
        char *cwd = getcwd(nullptr, 0);
        root = cwd ? cwd : "";
        free(cwd);
        output = root + "/audio.raw";
        sounds = root + "/skins/" + skin_list[0] + "/sounds/";
        std::filesystem::remove_all(sounds);
        std::filesystem::create_directories(sounds);
        for (int i = 0; i < SOUND_EVENT_COUNT; i++)
            write_ogg(sounds + SOUND_FILES[i], tone_hz(i), TONE_FRAMES, true);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "5", 1);
        mixed_frames = 0;
    }

    void TearDown() override
    {
        close_sound();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        reset_game_state();
        clear_test_clock();
        leave_scratch_tree(root);
    }

    void open_audio()
    {
        ASSERT_TRUE(open_sound());
        load_skin_sounds();
        Mix_SetPostMix(count_mixed, nullptr);
    }

    // A play loop of a pure tone, the effects silent, and play started in the corridor.
    void play_with_music_only()
    {
        write_ogg(sounds + MUSIC_FILES[MUSIC_PLAY], AUDIO_RATE / LOOP_PERIOD, LOOP_FRAMES, false);
        sound_volume = 0;
        music_volume = MAX_VOLUME;
        open_audio();
        start_game_on({{"corridor.txt", CORRIDOR}});
    }

    // Everything mixed, once audio is closed (the driver's file is complete then).
    std::vector<Sint16> heard()
    {
        close_sound();
        std::string bytes = read_file(output);
        std::vector<Sint16> samples(bytes.size() / 2);
        memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }
};

// What a frame of the scenario made happen, told from the game state alone.
struct Expected {
    int sound;
    Uint64 from, to;                      // mixed sample frames before and after that frame
};

TEST_F(SoundOutput, EachEffectOfAPlayScenarioIsHeardWhereItsFrameWas)
{
    write_file(sounds + SOUND_FILES[SOUND_TELEPORT], "OggS not really");
    write_wav(sounds + SOUND_FILES[SOUND_KNOT], 1000, TONE_FRAMES, true);   // WAV is refused too
    // The content checker warns of the same four files of this skin, and no more.
    int warned = 0;
    for (const ContentFault &warning : check_skin_sounds("."))
        if (warning.file.find("/" + skin_list[0] + "/") != std::string::npos)
            warned += warning.what.find(warning.file.find("music") != std::string::npos
                                        ? "missing" : "not readable") != std::string::npos ? 1 : 100;
    EXPECT_EQ(warned, 4);
    testing::internal::CaptureStdout();
    open_audio();
    std::string lines = testing::internal::GetCapturedStdout();
    // Both music loops are missing and two effects unreadable: one line each, and no other.
    EXPECT_NE(lines.find(std::string("missing: ") + "skins/" + skin_list[0] + "/sounds/" +
                         MUSIC_FILES[MUSIC_MENU] + "\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find(MUSIC_FILES[MUSIC_PLAY]), std::string::npos) << lines;
    EXPECT_NE(lines.find(std::string("unreadable: skins/") + skin_list[0] + "/sounds/teleport.ogg"),
              std::string::npos) << lines;
    EXPECT_NE(lines.find(std::string("unreadable: skins/") + skin_list[0] + "/sounds/knot.ogg"),
              std::string::npos) << lines;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 4) << lines;

    start_game_on({{"corridor.txt", CORRIDOR}});
    // A marker at a known mix count finds where the driver's file begins counting.
    const Uint64 marker = mixed_now();
    play_sound(SOUND_MENU_CONFIRM);
    wait_for_mix(marker);
    push_key(SDLK_n);
    push_key(SDLK_RIGHT);
    std::vector<Expected> expected;
    int dots = 0, after_knockout = -1;
    for (int frame = 0; frame < FRAME_LIMIT && after_knockout < 10; frame++) {
        const Uint16 dots_before = level_map.dots_left;
        const Uint8 power_before = power_mode;
        const Uint16 knockout_before = enemies[0].knockout;
        const Uint64 from = mixed_now();
        run_frame();
        const Uint64 to = mixed_now();
        if (level_map.dots_left < dots_before) {
            const int step = dots++ % (2 * (DOT_SOUND_COUNT - 1));
            expected.push_back({SOUND_DOT_1 + (step < DOT_SOUND_COUNT ? step : 2 * (DOT_SOUND_COUNT - 1) - step), from, to});
        }
        if (power_mode && !power_before)
            expected.push_back({SOUND_POWER_ON, from, to});
        if (enemies[0].knockout && !knockout_before)
            expected.push_back({SOUND_ENEMY_KNOCKED_OUT, from, to});
        if (after_knockout >= 0 || enemies[0].knockout)
            after_knockout++;
        wait_for_mix(to);
    }
    ASSERT_GE(after_knockout, 0) << "the enemy was never knocked out";
    ASSERT_GE(dots, DOT_SOUND_COUNT + 1);
    wait_for_mix(mixed_now() + 2 * TONE_FRAMES);
    std::vector<Sint16> out = heard();

    long first = 0;
    while (first * 2 < (long)out.size() && out[first * 2] == 0)
        first++;
    const long offset = first - (long)marker;
    ASSERT_GE(offset, 0);
    EXPECT_EQ(offset % AUDIO_BUFFER_FRAMES, 0) << "an effect starts on a buffer's first frame";
    const double loud = TONE_AMPLITUDE * sound_volume / MAX_VOLUME / 2.0, quiet = loud / 10;
    for (const Expected &e : expected) {
        const double hz = tone_hz(e.sound);
        SCOPED_TRACE(SOUND_FILES[e.sound]);
        EXPECT_LT(tone_level(out, offset + e.from - WINDOW, hz), quiet) << "heard before its frame";
        EXPECT_GT(tone_level(out, offset + e.to, hz), loud) << "not heard right after its frame";
    }
}

TEST_F(SoundOutput, BothVolumesAtZeroAreSilence)
{
    write_ogg(sounds + MUSIC_FILES[MUSIC_PLAY], 441, LOOP_FRAMES, false);
    sound_volume = 0;
    music_volume = 0;
    open_audio();
    start_game_on({{"corridor.txt", CORRIDOR}});
    push_key(SDLK_n);
    push_key(SDLK_RIGHT);
    for (int frame = 0; frame < 60; frame++) {
        run_frame();
        wait_for_mix(mixed_now());
    }
    EXPECT_TRUE(power_mode);
    EXPECT_GT(score, 2u);
    std::vector<Sint16> out = heard();
    ASSERT_GE(out.size(), size_t(40 * AUDIO_BUFFER_FRAMES * AUDIO_CHANNELS));
    EXPECT_EQ(std::count(out.begin(), out.end(), 0), (long)out.size());
}

// The play loop repeats three times: no run of silent samples and no step larger than the
// sine itself makes anywhere, the joins included.
TEST_F(SoundOutput, TheMusicLoopJoinsWithoutGapOrClick)
{
    play_with_music_only();
    for (int frame = 0; frame < FRAME_LIMIT * 4 && mixed_now() < Uint64(4 * LOOP_FRAMES); frame++) {
        run_frame();
        wait_for_mix(mixed_now());
    }
    std::vector<Sint16> out = heard();
    long start = first_sound(out);
    ASSERT_GE((long)out.size(), (start + 3 * LOOP_FRAMES + 1) * 2) << "too little music";
    // Vorbis is lossy: a little above the sine's own steepest step (a click is many times it).
    const double largest_step = TONE_AMPLITUDE * 2 * M_PI / LOOP_PERIOD * 1.5;
    int zeros = 0, longest_zeros = 0;
    double steepest = 0;
    for (long n = start; n < start + 3 * LOOP_FRAMES; n++) {
        zeros = out[n * 2] == 0 ? zeros + 1 : 0;
        longest_zeros = std::max(longest_zeros, zeros);
        steepest = std::max(steepest, fabs(double(out[n * 2 + 2]) - out[n * 2]));
    }
    EXPECT_LE(longest_zeros, 1);
    EXPECT_LT(steepest, largest_step);
}

// A focus loss during play pauses the music until the focus is back and p is pressed.
Uint64 paused_at = 0, resumed_at = 0;

int pause_step = 0;

// Answers the focus wait with the focus back, lets that wait end, then answers the pause with
// p; before each answer several buffers go by.
void answer_pause()
{
    if (pause_step == 1) {
        pause_step++;
        return;
    }
    if (pause_step == 0)
        paused_at = mixed_now();
    wait_for_mix(mixed_now() + 8 * AUDIO_BUFFER_FRAMES);
    if (pause_step++ == 0) {
        push_focus(1);
        return;
    }
    resumed_at = mixed_now();
    push_key(SDLK_p);
}

TEST_F(SoundOutput, AFocusLossPausesTheMusicUntilPlayGoesOn)
{
    play_with_music_only();
    const Uint64 music_from = mixed_now();   // the first frame starts the play loop
    for (int frame = 0; frame < 8; frame++) {
        run_frame();
        wait_for_mix(mixed_now());
    }
    idle_input = answer_pause;
    push_focus(0);
    run_frame();
    idle_input = nullptr;
    ASSERT_GT(resumed_at, paused_at + 8 * AUDIO_BUFFER_FRAMES);
    for (int frame = 0; frame < 8; frame++) {
        run_frame();
        wait_for_mix(mixed_now());
    }
    std::vector<Sint16> out = heard();
    long start = first_sound(out);
    const long offset = start - 1 - (long)music_from;   // the sine's first sample is 0
    auto loudest = [&](Uint64 from, Uint64 to) {
        int most = 0;
        for (Uint64 n = from; n < to && (n + offset) * 2 < out.size(); n++)
            most = std::max(most, abs(out[(n + offset) * 2]));
        return most;
    };
    const Uint64 buffer = AUDIO_BUFFER_FRAMES;
    EXPECT_GT(loudest(paused_at - 4 * buffer, paused_at - 2 * buffer), TONE_AMPLITUDE / 2);
    EXPECT_EQ(loudest(paused_at + 2 * buffer, resumed_at - buffer), 0) << "heard in the pause";
    EXPECT_GT(loudest(resumed_at + 2 * buffer, resumed_at + 6 * buffer), TONE_AMPLITUDE / 2);
}

} // namespace
