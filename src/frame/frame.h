// SPDX-License-Identifier: GPL-3.0-or-later
// frame.h: the program frame: start-up and the quit sequence, the main loop with its
// frame pacing and play keys, the shared key and focus waits, and the hooks' connection
// (the clock seam it reads lives in clock.h).
#pragma once
#include <SDL.h>
#include "clock.h"

// ---------- Program state: from start-up to the quit sequence ----------
// Set once at start-up (the pad, the trace, the platform's flags) or kept running across
// games (the pacer and the frame-rate measure); every screen that waits for the player
// resets the pacer when it returns (reset_frame_pacer). The game starts them at their
// definitions' values; tests and tools put them back there with reset_frame_program_state.
extern Uint32 frame_base;       // main_loop.cpp: ticks at which the current slot began
extern Uint32 frame_now;        // main_loop.cpp: last ticks value read by the pacer
extern Uint8 fps_frames;        // main_loop.cpp: frames counted since the last rate measurement
extern Uint32 fps_elapsed;      // main_loop.cpp: milliseconds accumulated over those frames
extern bool quit_in_progress;   // shutdown.cpp: the quit sequence has begun (its name entry must not exit again)
extern bool quit_requested;     // shutdown.cpp: a quit arrived while quit_in_progress
// shutdown.cpp: set by a platform where nothing can wait inside exit (the web build): an exit
// that did not come through request_quit (a fatal error) then enters the running score under
// the configured name instead of opening the name entry.
extern bool exit_cannot_wait;
extern bool shut_down;          // shutdown.cpp: shutdown_game has run (a second run returns at once)
extern SDL_Joystick *gamepad;   // gamepad.cpp: the opened first joystick, or null
extern Uint8 hat_held;          // gamepad.cpp: the hat's last position
extern int stick_side[2];       // gamepad.cpp: each stick axis: -1, 0 (in the dead zone) or 1
// gamepad.cpp: the key the confirm buttons press outside play: Return, or for the time of a
// wait_for_key the key it waits for.
extern SDLKey gamepad_confirm_key;
// waits.cpp: when set, called instead of the rest while a wait finds no event: a replay
// answers the game's modal screens through it by queueing the next event they are to read.
extern void (*idle_input)();
extern int trace_fd;            // trace.cpp: the event trace's file; -2 the variable not read yet, -1 no trace
// Every member above back to its value at program start: the pacer and the rate measure at
// 0, no quit under way, no pad (an open one is closed), no hook, the trace variable unread
// (an open trace closed); with them what the pacer owns in the lower layers (frame_delay at
// the slowest frame, fps_text empty) and the clock seam (reset_clock_state).
void reset_frame_program_state();

// ---------- Frame state: from one poll to the next, and on purpose beyond ----------
// main_loop.cpp: the one record every event loop polls into. A screen opened by a play key
// (the main menu on Escape, the end of a run on space) polls into it too, and the play keys
// tested after it then see the last event that screen read, not the key that opened it.
extern SDL_Event event;

// ===================== startup.cpp =====================
extern const char *const WINDOW_CAPTION;   // "Gobrant beta"
extern const char *const MENU_MAP_PATH;    // "data/menumap.txt"
const char *const PLAY_TEST_OPTION = "--play-test";   // the editor's play-test: the map at once

// Opens the full-screen mode, or a window when the configuration's fullscreen is off (a
// second request accepts any pixel format); 0 on success, 1 when both requests fail.
int set_video_mode();
// The whole start-up, up to the first main menu; ends the program on a fatal error.
void start_game();

// ===================== hooks.cpp =====================
// Points the lower layers' hooks at the layers above: the world's screen_hooks (drawing, the
// waits, the main menu), name_entry_hook (the text entry) and the graphics' event_waits (the
// frame's event source and waits that the text entry and the menus run). Start-up calls it
// first; so do the programs and tests that play without start_game.
void connect_layers();

// ===================== shutdown.cpp =====================
void shutdown_game();           // the quit sequence, registered with atexit
bool display_gone();            // display_check.cpp: the X display has gone away
// Ends the program with status 0 after the running score's name entry, or, inside the quit
// sequence, only notes the request.
// Callers that can run inside the quit sequence (the text entry and the focus wait) return
// after it when quit_requested is set.
void request_quit();

// ===================== main_loop.cpp =====================
void main_loop();               // runs frames for ever
void run_frame();               // one frame: input, rules, wait, flip, measure
void handle_play_input();       // handles every pending event during play
void pace_frame();              // waits for the end of the slot, flips, measures, advances
void reset_frame_pacer();       // frame_base = frame_now = now; screens call it when they return
bool is_alt_f4(const SDL_Event &e);   // a key press of F4 with either Alt key held
const SDLMod ALT_KEYS = SDLMod(KMOD_LALT | KMOD_RALT);

// ===================== gamepad.cpp =====================
// Opens the first joystick SDL finds, if any; without one the joystick subsystem is shut again.
void open_gamepad();
// Turns a joystick event in `event` into the key press it stands for (a play key when
// in_play, Return, Escape or an arrow otherwise); false when it stands for none (a release,
// a stick within its dead zone). Any other event is left alone and gives true.
bool translate_gamepad_event(bool in_play);

// ===================== input.cpp =====================
// Polls one event into `event` like SDL_PollEvent; Alt+Enter is handled here for every event
// loop (it switches the display) and never reaches the caller; the gamepad's events arrive
// as key presses (the play keys when in_play, the screens' keys otherwise).
bool poll_event(bool in_play = false);
bool event_waiting();           // an event is queued; nothing is taken from the queue
bool is_display_switch_key(const SDL_Event &e);   // Alt+Enter (either Enter key)
// For tests only: with this environment variable naming a file, F12 writes the screen
// surface there as a BMP (the window must show the same picture) and holds the game until
// the next F12.
const char *const SCREEN_DUMP_VARIABLE = "GOBRANT_TEST_SCREEN_DUMP";
// Full screen becomes a window or the other way round (fullscreen flips), keeping the
// picture on the screen and the game state; resets the pacer.
void switch_display();

// ===================== waits.cpp =====================
int wait_for_key(Uint16 key);   // 0: the key (0 = any) was pressed; 1: focus was lost and regained
void wait_for_focus();          // waits for the focus, reloads the skin, flips
const Uint32 IDLE_REST = 10;    // ms that an empty event queue is left alone by a waiting screen
// Polls one event into `event`; when the queue is empty it rests IDLE_REST so that a screen
// left open hardly uses the processor. Returns whether it got one.
bool poll_event_or_rest();

// ===================== trace.cpp =====================
// The event trace for end-to-end tests (GOBRANT_TRACE_FILE names the file; unset: nothing):
// "event <type>" for each event read, "idle" for each empty poll of a waiting screen, "wait"
// before a blocking wait for the next event, "frame" for each play frame shown.
void trace_event(const SDL_Event &e);
void trace_idle();
void trace_wait();
void trace_frame();
