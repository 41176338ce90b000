// SPDX-License-Identifier: GPL-3.0-or-later
// main_loop.cpp: the frame loop that main runs after start-up: play input, the per-frame
// rules, the frame pacer with its rate measure, and the pause.
#include "frame.h"
#include "files.h"
#include "gfx.h"
#include "menus.h"
#include "sound.h"
#include "world.h"
#include <cstdio>
#include <cstdlib>

Uint32 frame_base = 0;
Uint32 frame_now = 0;
Uint8 fps_frames = 0;
Uint32 fps_elapsed = 0;
SDL_Event event;

static const Uint8 FPS_SAMPLE_FRAMES = 100;   // the rate is measured every 101 frames
static const size_t FPS_TEXT_ROOM = 6;        // five characters and the null
// The longest delay, in frame slots, that the pacer makes up by running frames back to back.
// At normal pace an actor takes 8 frames per cell, so a burst of 4 frames moves it at most
// half a cell: a short hiccup passes unnoticed and the game keeps its pace. A longer stall is
// not replayed (enemies would jump cells and a catch with its message could pass inside the
// burst unseen): the pacer starts a fresh slot grid at the end of the late frame instead.
static const int CATCH_UP_LIMIT_FRAMES = 4;

// The play screen waits through a pause from the first frame on: the main menu has already
// reset the pacer, and doing it here too keeps a slow start-up from causing catch-up frames.
void main_loop()
{
    reset_frame_pacer();
    for (;;)
        run_frame();
}

void run_frame()
{
    handle_play_input();
    update_frame();
    play_happenings();
    pace_frame();
}

// Waits until the slot is over (sleeping for most of it), shows the frame and measures the
// rate. Reads and writes frame_base, frame_now, fps_frames, fps_elapsed and fps_text. A frame
// that ends more than CATCH_UP_LIMIT_FRAMES slots late starts a fresh grid; its whole length
// counts in the rate, so the frame-rate text shows the real rate after a stall.
void pace_frame()
{
    frame_now = wait_until(Uint32(frame_base + frame_delay));
    show_screen();
    trace_frame();
    fps_frames++;
    fps_elapsed += frame_now - frame_base;
    if (fps_frames > FPS_SAMPLE_FRAMES) {
        snprintf(fps_text, FPS_TEXT_ROOM, "%.1f", fps_frames * 1000.0 / fps_elapsed);
        fps_frames = 0;
        fps_elapsed = 0;
    }
    frame_base += frame_delay;
    if (Sint32(frame_now - frame_base) > CATCH_UP_LIMIT_FRAMES * frame_delay)
        frame_base = frame_now;
}

void reset_frame_pacer()
{
    frame_base = frame_now = game_ticks();
}

bool is_alt_f4(const SDL_Event &e)
{
    return e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_F4 && (e.key.keysym.mod & ALT_KEYS);
}

// The key that `event` holds now; screens opened by a key leave their own last event there.
static SDLKey current_key()
{
    return event.type == SDL_KEYDOWN ? event.key.keysym.sym : SDLK_UNKNOWN;
}

static void show_pause_box()
{
    show_message_box(texts[TEXT_PAUSE].c_str());
    show_screen();
}

static void redraw_play_screen()
{
    draw_maze(level_map);
    draw_play_overlay();
}

static void remove_pause_box()
{
    show_screen();
    redraw_cells_in_rect(message_box_rect);
}

// Key p: the pause box until p is pressed again; a focus loss meanwhile shows it afresh.
static void pause_play()
{
    pause_sound();
    show_pause_box();
    while (wait_for_key(SDLK_p) == 1) {
        redraw_play_screen();
        show_pause_box();
        redraw_play_screen();
    }
    remove_pause_box();
    resume_sound();
}

// The focus went away during play: once it is back the game stays paused until p.
static void focus_pause()
{
    pause_sound();
    wait_for_focus();
    show_pause_box();
    redraw_play_screen();
    wait_for_key(SDLK_p);
    remove_pause_box();
    resume_sound();
}

// The keys of the player actions and the menu, in the order they are tested. Escape and
// space can open screens that read events themselves; the later tests see their last key.
static const struct {
    SDLKey key;
    void (*action)();
} ACTION_KEYS[] = {
    {SDLK_SPACE, give_up_life}, {SDLK_v, continue_with_knot}, {SDLK_m, use_decoy},
    {SDLK_b, toggle_boost},     {SDLK_n, toggle_power},       {SDLK_ESCAPE, main_menu},
};

static const struct {
    SDLKey key;
    Uint8 direction;
} ARROW_KEYS[] = {
    {SDLK_RIGHT, DIR_RIGHT}, {SDLK_DOWN, DIR_DOWN}, {SDLK_LEFT, DIR_LEFT}, {SDLK_UP, DIR_UP},
};

// The play keys, tested in this order, each on the key `event` holds at that moment.
static void handle_play_key()
{
    for (const auto &binding : ACTION_KEYS)
        if (current_key() == binding.key)
            binding.action();
    if (is_alt_f4(event))
        request_quit();
    for (const auto &arrow : ARROW_KEYS)
        if (current_key() == arrow.key)
            set_wanted_direction(arrow.direction);
    if (current_key() == SDLK_p)
        pause_play();
}

void handle_play_input()
{
    while (poll_event(true)) {
        switch (event.type) {
        case SDL_QUIT:
            request_quit();
            break;
        case SDL_ACTIVEEVENT:
            if (event.active.gain == 0)
                focus_pause();
            break;
        case SDL_KEYDOWN:
            handle_play_key();
            break;
        default:
            break;
        }
    }
}
