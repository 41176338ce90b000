// SPDX-License-Identifier: GPL-3.0-or-later
// bench_support.h: what the benchmark programs share: the shipped content on the dummy
// driver, a fixed-seed random player, and a recorder of the blits, fills and flips that
// the game makes, which can replay the same blits raw as a piece's physical floor.
#pragma once
#include <SDL.h>
#include <ctime>
#include <functional>
#include <random>
#include <vector>

// Opens the game's video mode on the dummy driver and enters the shipped content tree
// (read only) with the first skin, the first language, the menu map and the map list.
void enter_shipped_content();

// A new game on shipped level `level` (index in the map list) with the fixed enemy seed;
// the pacer is reset.
void start_play_on(int level);

// One frame's input from a player who picks a random arrow now and then, continues when
// caught and never gives up a life: pushes the key event that handle_play_input reads.
void push_random_player_key(std::mt19937 &random);

void push_key(SDLKey key);   // a key press into SDL's queue
double clock_seconds(clockid_t clock);   // the clock's reading in seconds

// True when the level should be started afresh before more frames: few dots left, so that
// no end-of-level wait can come.
bool level_nearly_done();

// --- The recorder ---

struct BlitOp {
    bool fill;                 // SDL_FillRect instead of a blit
    SDL_Surface *source;
    bool whole_source;         // source rectangle null
    SDL_Rect source_rect;
    SDL_Surface *target;
    bool whole_target;         // target rectangle null
    SDL_Rect target_rect;
    Uint32 colour;
};

// Runs `work` while recording every blit and fill it makes into `ops`.
void record_blits(std::vector<BlitOp> &ops, const std::function<void()> &work);
// Makes the recorded calls again, straight into SDL, on the same surfaces.
void replay_blits(const std::vector<BlitOp> &ops);

// Called at the start of every SDL_Flip while set (the flip itself then follows).
extern void (*flip_hook)();
