// SPDX-License-Identifier: GPL-3.0-or-later
// sound_test.cpp: listens to what the game plays through SDL's disk audio driver: each
// effect of a scenario of real frames where it belongs, silence at volume 0, a music loop
// without gap or click, the music fading out at a level's and a run's end, the menus' sounds
// and the volume rows' samples, and the lines for a skin's missing and unreadable sounds.
// ctest runs them on the system's SDL 1.2 and again on sdl12-compat (sound.compat).
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

// Where mix count 0 lies in the driver's file, from the marker's first (loud) sample.
long output_offset(const std::vector<Sint16> &out, Uint64 marker)
{
    const long offset = first_sound(out) - (long)marker;
    EXPECT_GE(offset, 0);
    EXPECT_EQ(offset % AUDIO_BUFFER_FRAMES, 0) << "an effect starts on a buffer's first frame";
    return offset;
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
        // A run on another SDL 1.2 (sdl12-compat) names its folder: the library came from there.
        if (const char *dir = getenv("GOBRANT_TEST_SDL_DIR")) {
            ASSERT_NE(read_file("/proc/self/maps").find(std::filesystem::canonical(dir).string() + "/libSDL"),
                      std::string::npos) << "SDL was not loaded from " << dir;
        }
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
        // SDL_mixer keeps the counter across a close: unhooked, the content check's own
        // opening of audio in the next test counts nothing.
        Mix_SetPostMix(nullptr, nullptr);
        idle_input = nullptr;
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

    // A marker effect heard at a known mix count, before anything else: where it is found in
    // the driver's file tells where the file begins counting (see output_offset). No buffer
    // is mixed between reading the count and starting the marker, whatever the load.
    Uint64 play_marker()
    {
        SDL_LockAudio();
        const Uint64 marker = mixed_frames;
        play_sound_at(SOUND_MENU_CONFIRM, MAX_VOLUME);
        SDL_UnlockAudio();
        wait_for_mix(marker);
        return marker;
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
    const Uint64 marker = play_marker();
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
    const long offset = output_offset(out, marker);
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
    const Uint64 marker = play_marker();
    wait_for_mix(marker + TONE_FRAMES);      // heard out before the music starts
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
    const Uint64 ended = mixed_now();
    std::vector<Sint16> out = heard();
    const long offset = output_offset(out, marker);
    auto loudest = [&](Uint64 from, Uint64 to) {
        int most = 0;
        for (Uint64 n = from; n < to && (n + offset) * 2 < out.size(); n++)
            most = std::max(most, abs(out[(n + offset) * 2]));
        return most;
    };
    const Uint64 buffer = AUDIO_BUFFER_FRAMES;
    EXPECT_GT(loudest(paused_at - 4 * buffer, paused_at - 2 * buffer), TONE_AMPLITUDE / 2);
    EXPECT_EQ(loudest(paused_at + 2 * buffer, resumed_at - buffer), 0) << "heard in the pause";
    EXPECT_GT(loudest(resumed_at + 2 * buffer, ended), TONE_AMPLITUDE / 2) << "not heard after the pause";
}

// Two short levels and the menus after the run: the play loop fades out at the level's end
// and at the run's end and is silent until play goes on; the menu loop follows the run; each
// menu key is heard when it is handled, and a volume row's sample at the row's new level.
const std::vector<std::string> SHORT_ROW = {
    "1111111",
    "1300001",   // no enemy
};
const double PLAY_HZ = 210, MENU_HZ = 252;        // below every effect's tone
const int MUSIC_LOOP_FRAMES = 21000;              // whole periods of both tones
const Uint64 FADE_FRAMES = Uint64(LEVEL_FADE_MS) * AUDIO_RATE / 1000;
const Uint64 RING_FRAMES = TONE_FRAMES + 3 * WINDOW;   // an effect heard out, and a margin

// What a waiting screen is given each time it finds its queue empty, in turn.
struct Answer {
    SDLKey key;
    int sound;                // the effect the key plays, -1 none
    int *volume;              // the volume it is heard at, after the key
};
const Answer ANSWERS[] = {
    {SDLK_SPACE, -1, nullptr},                            // the level's end, once faded out
    {SDLK_SPACE, -1, nullptr},                            // the run's end, the same
    {SDLK_DOWN, SOUND_MENU_MOVE, &sound_volume},          // the main menu: options
    {SDLK_RETURN, SOUND_MENU_CONFIRM, &sound_volume},
    {SDLK_DOWN, SOUND_MENU_MOVE, &sound_volume},          // the options: down to the sound row
    {SDLK_DOWN, SOUND_MENU_MOVE, &sound_volume},
    {SDLK_DOWN, SOUND_MENU_MOVE, &sound_volume},
    {SDLK_DOWN, SOUND_MENU_MOVE, &sound_volume},
    {SDLK_DOWN, SOUND_MENU_MOVE, &sound_volume},
    {SDLK_RIGHT, SOUND_MENU_CHANGE, &sound_volume},       // louder: the sample at the new level
    {SDLK_DOWN, SOUND_MENU_MOVE, &sound_volume},
    {SDLK_LEFT, SOUND_MENU_CHANGE, &music_volume},        // the music softer: its sample too
    {SDLK_ESCAPE, SOUND_MENU_BACK, &sound_volume},
    {SDLK_UP, SOUND_MENU_MOVE, &sound_volume},            // the main menu: a new game, which leaves
    {SDLK_RETURN, SOUND_MENU_CONFIRM, &sound_volume},
};
const size_t ANSWER_COUNT = sizeof ANSWERS / sizeof ANSWERS[0];

struct Answered {
    Uint64 frame_from;        // mixed before the frame that led to the wait
    Uint64 waited_at;         // mixed when the wait first found its queue empty
    Uint64 pushed_at;         // mixed when the key was pushed
    Uint64 handled_at;        // mixed when a wait next found its queue empty
    int volume;               // the volume the key's effect must be heard at
};
Answered answered[ANSWER_COUNT];
size_t answers_given = 0;
Uint64 frame_from = 0;        // mixed before the frame being played

void wait_until_mixed(Uint64 count)
{
    while (mixed_now() < count)
        wait_for_mix(mixed_now());
}

// Notes when the last key given was handled: a wait finds its queue empty again, or play
// goes on.
void note_handled()
{
    if (answers_given == 0 || answered[answers_given - 1].handled_at)
        return;
    answered[answers_given - 1].handled_at = mixed_now();
    const Answer &last = ANSWERS[answers_given - 1];
    answered[answers_given - 1].volume = last.volume ? *last.volume : 0;
}

// The end of a level or run is answered once its fade is over and some silence is heard; a
// menu key once the last key's effect has rung out.
void answer_waits()
{
    note_handled();
    if (answers_given == ANSWER_COUNT)
        return;
    Answered &next = answered[answers_given];
    next.frame_from = frame_from;
    next.waited_at = mixed_now();
    wait_until_mixed(next.waited_at +
                     (ANSWERS[answers_given].sound < 0 ? FADE_FRAMES * 3 / 2 : RING_FRAMES));
    next.pushed_at = mixed_now();
    push_key(ANSWERS[answers_given++].key);
}

// The loudest level of a tone over the window starts from `from` to `to`.
double loudest_tone(const std::vector<Sint16> &out, long from, long to, double hz)
{
    double loudest = 0;
    for (long at = from; at <= to; at += WINDOW / 8)
        loudest = std::max(loudest, tone_level(out, at, hz));
    return loudest;
}

TEST_F(SoundOutput, TheMusicFadesAtEachEndAndTheMenusAreHeardAtTheirVolumes)
{
    write_ogg(sounds + MUSIC_FILES[MUSIC_PLAY], PLAY_HZ, MUSIC_LOOP_FRAMES, false);
    write_ogg(sounds + MUSIC_FILES[MUSIC_MENU], MENU_HZ, MUSIC_LOOP_FRAMES, false);
    sound_volume = 5;
    music_volume = MAX_VOLUME;
    open_audio();
    const Uint64 marker = play_marker();
    start_game_on({{"first.txt", SHORT_ROW}, {"second.txt", SHORT_ROW}});
    answers_given = 0;
    for (Answered &a : answered)
        a = Answered{};
    idle_input = answer_waits;
    for (int frame = 0; frame < FRAME_LIMIT && answers_given < ANSWER_COUNT; frame++) {
        push_key(SDLK_RIGHT);
        frame_from = mixed_now();
        run_frame();   // the level's end, the run's end and the menus wait inside
        note_handled();
        wait_for_mix(mixed_now());
    }
    idle_input = nullptr;
    ASSERT_EQ(answers_given, ANSWER_COUNT) << "the scenario stopped short";
    EXPECT_EQ(sound_volume, 6);
    EXPECT_EQ(music_volume, MAX_VOLUME - 1);
    EXPECT_NE(lives, 0) << "the new game did not start";
    wait_for_mix(mixed_now() + RING_FRAMES);
    std::vector<Sint16> out = heard();
    const long offset = output_offset(out, marker);

    const double full = TONE_AMPLITUDE;
    const SoundEvent end_sounds[] = {SOUND_LEVEL_DONE, SOUND_RUN_OVER};
    for (int end = 0; end < 2; end++) {
        SCOPED_TRACE(end == 0 ? "the level's end" : "the run's end");
        const Answered &a = answered[end];
        const long ended = offset + a.waited_at;
        EXPECT_GT(tone_level(out, offset + a.frame_from - 2 * WINDOW, PLAY_HZ), full * 0.8)
            << "no music before the end";
        EXPECT_GT(loudest_tone(out, offset + a.frame_from, ended, tone_hz(end_sounds[end])), full * 0.4)
            << "the end's effect is not heard";
        const double halfway = tone_level(out, ended + FADE_FRAMES / 2, PLAY_HZ);
        EXPECT_GT(halfway, full * 0.25) << "cut, not faded";
        EXPECT_LT(halfway, full * 0.75) << "not fading";
        const long silent_from = ended + FADE_FRAMES * 5 / 4, silent_to = offset + a.pushed_at;
        ASSERT_LT(silent_from, silent_to);
        EXPECT_EQ(std::count(out.begin() + silent_from * 2, out.begin() + silent_to * 2, 0),
                  (silent_to - silent_from) * 2) << "heard after the fade";
    }
    // The menu loop after the run, at the music's volume, then a step softer.
    EXPECT_NEAR(tone_level(out, offset + answered[2].pushed_at - WINDOW, MENU_HZ), full, full * 0.1);
    EXPECT_NEAR(tone_level(out, offset + answered[ANSWER_COUNT - 1].pushed_at - WINDOW, MENU_HZ),
                full * (MAX_VOLUME - 1) / MAX_VOLUME, full * 0.05);
    for (size_t i = 2; i < ANSWER_COUNT; i++) {
        const Answered &a = answered[i];
        const double hz = tone_hz(ANSWERS[i].sound), level = full * a.volume / MAX_VOLUME;
        SCOPED_TRACE(testing::Message() << "menu key " << i << ", " << SOUND_FILES[ANSWERS[i].sound]);
        EXPECT_LT(tone_level(out, offset + a.pushed_at - WINDOW, hz), level / 10) << "heard before its key";
        EXPECT_NEAR(loudest_tone(out, offset + a.pushed_at, offset + a.handled_at + TONE_FRAMES - WINDOW, hz),
                    level, level * 0.1) << "not heard at its volume when its key was handled";
    }
}

} // namespace
