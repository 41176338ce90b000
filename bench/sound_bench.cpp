// SPDX-License-Identifier: GPL-3.0-or-later
// sound_bench.cpp: what sound costs during play: a play frame with sound against without, the
// other threads' (the audio thread's) share of a core in real-time play, the resident memory
// that the effects and the streamed music add, and the latency from an event's frame to the
// mix that writes its first sample on the disk driver. Prints one table.
#include "bench_support.h"
#include "files.h"
#include "frame.h"
#include "sound.h"
#include "world.h"
#include <SDL_mixer.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const int TIMED_FRAMES = 4000;        // frames of play per frame-cost run
const double SHARE_SECONDS = 6;       // real-time play per share and memory run
const int LATENCY_EVENTS = 60;
const int FRAME_MS = 25;

std::string scratch;                  // a copy of the content with made sounds, when needed

// The shipped skin's sounds, or, while it has none, a scratch copy of the content whose
// first skin gets tones and a 30-second loop made with sox.
void ensure_sounds()
{
    char folder[256];
    snprintf(folder, sizeof folder, SOUND_FOLDER_FORMAT, skin_list[0].c_str());
    if (access((std::string(folder) + MUSIC_FILES[MUSIC_PLAY]).c_str(), R_OK) == 0)
        return;
    char pattern[] = "/tmp/gobrant-sound-bench-XXXXXX";
    scratch = mkdtemp(pattern);
    std::string make = "cp -r . '" + scratch + "' && cd '" + scratch + "' && mkdir -p " + folder;
    for (int i = 0; i < SOUND_EVENT_COUNT; i++)
        make += " && sox -n -r 44100 -c 1 " + std::string(folder) + SOUND_FILES[i] +
                " synth 0.2 sine " + std::to_string(300 + 40 * i) + " fade 0 0.2 0.1";
    for (const char *loop : MUSIC_FILES)
        make += " && sox -n -r 44100 -c 2 " + std::string(folder) + loop +
                " synth 30 sine 220 sine 330 tremolo 2";
    if (system(make.c_str()) != 0 || chdir(scratch.c_str()) != 0) {
        fprintf(stderr, "cannot make the scratch sounds (is sox installed?)\n");
        exit(1);
    }
}

double main_thread_seconds() { return clock_seconds(CLOCK_THREAD_CPUTIME_ID); }
double process_seconds() { return clock_seconds(CLOCK_PROCESS_CPUTIME_ID); }
double wall_seconds() { return clock_seconds(CLOCK_MONOTONIC); }

long resident_kb()
{
    std::ifstream status("/proc/self/status");
    std::string word;
    long kb = 0;
    while (status >> word)
        if (word == "VmRSS:" && status >> kb)
            break;
    return kb;
}

// One frame as the main loop plays it, input and sound hand-over included; the display's
// wait and flip are left out (they are the same with and without sound).
void play_one_frame(std::mt19937 &random, int &level)
{
    if (level_nearly_done() || lives == 0)
        start_play_on(level = (level + 1) % 3);
    push_random_player_key(random);
    handle_play_input();
    update_frame();
    play_happenings();
}

// Main-thread processor time per frame, in microseconds.
double frame_cost_us()
{
    std::mt19937 random(1);
    int level = 0;
    start_play_on(level);
    double start = main_thread_seconds();
    for (int i = 0; i < TIMED_FRAMES; i++)
        play_one_frame(random, level);
    return (main_thread_seconds() - start) / TIMED_FRAMES * 1e6;
}

// Real-time play for SHARE_SECONDS: the share of one core that threads other than the main
// one used (the audio thread, when sound is open), in per cent.
double other_threads_share()
{
    std::mt19937 random(2);
    int level = 0;
    start_play_on(level);
    double wall = wall_seconds(), process = process_seconds(), main = main_thread_seconds();
    while (wall_seconds() - wall < SHARE_SECONDS) {
        play_one_frame(random, level);
        SDL_Delay(FRAME_MS);
    }
    double others = (process_seconds() - process) - (main_thread_seconds() - main);
    return 100 * others / (wall_seconds() - wall);
}

// Postmix: the moment each buffer was mixed, by the count of frames mixed before it.
std::vector<std::pair<Uint64, double>> mixes;
Uint64 mixed = 0;
void note_mix(void *, Uint8 *, int bytes)
{
    mixes.push_back({mixed, wall_seconds()});
    mixed += bytes / 4;
}

// Milliseconds from each play_sound to the end of the mix that holds its first sample (the
// moment the disk driver writes it): median and largest.
std::pair<double, double> latency_ms()
{
    mixes.reserve(100000);
    Mix_SetPostMix(note_mix, nullptr);
    std::vector<std::pair<Uint64, double>> played;
    for (int i = 0; i < LATENCY_EVENTS; i++) {
        SDL_Delay(FRAME_MS + i % 7);
        SDL_LockAudio();
        played.push_back({mixed, wall_seconds()});
        play_sound(SOUND_MENU_CONFIRM);
        SDL_UnlockAudio();
    }
    SDL_Delay(100);
    SDL_LockAudio();
    Mix_SetPostMix(nullptr, nullptr);
    std::vector<std::pair<Uint64, double>> seen = mixes;
    SDL_UnlockAudio();
    std::vector<double> ms;
    for (const auto &p : played)
        for (const auto &m : seen)
            if (m.first == p.first) {
                ms.push_back((m.second - p.second) * 1000);
                break;
            }
    std::sort(ms.begin(), ms.end());
    return ms.empty() ? std::make_pair(-1.0, -1.0) : std::make_pair(ms[ms.size() / 2], ms.back());
}

} // namespace

int main()
{
    enter_shipped_content();
    ensure_sounds();
    setenv("SDL_AUDIODRIVER", "dummy", 1);   // paced like a sound card, heard by nobody
    const double quiet_us = frame_cost_us();
    const double quiet_share = other_threads_share();
    const long quiet_kb = resident_kb();
    if (!open_sound())
        return 1;
    load_skin_sounds();
    const double sound_us = frame_cost_us();
    const double sound_share = other_threads_share();
    const long sound_kb = resident_kb();
    close_sound();
    char delay[16];
    snprintf(delay, sizeof delay, "%d", AUDIO_BUFFER_FRAMES * 1000 / AUDIO_RATE);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", delay, 1);   // a buffer's length: paced like a device
    if (!open_sound())
        return 1;
    load_skin_sounds();
    std::pair<double, double> latency = latency_ms();
    close_sound();

    printf("\n%-46s %12s %12s\n", "figure", "without", "with sound");
    printf("%-46s %12.2f %12.2f\n", "play frame, main thread (us)", quiet_us, sound_us);
    printf("%-46s %12.2f %12.2f\n", "other threads during play (% of a core)", quiet_share, sound_share);
    printf("%-46s %12.2f %12.2f\n", "resident memory with music streaming (MB)", quiet_kb / 1024.0,
           sound_kb / 1024.0);
    printf("%-46s %12s %12.1f\n", "event to its mix on the disk driver, median ms", "", latency.first);
    printf("%-46s %12s %12.1f\n", "event to its mix on the disk driver, largest ms", "", latency.second);
    printf("goals: at most 1 %% of a core and 8 MB more with sound: %s, %s\n",
           sound_share - quiet_share <= 1 ? "met" : "NOT met",
           (sound_kb - quiet_kb) <= 8 * 1024 ? "met" : "NOT met");
    if (!scratch.empty() && chdir("/tmp") == 0)
        system(("rm -rf '" + scratch + "'").c_str());
    return 0;
}
