// SPDX-License-Identifier: GPL-3.0-or-later
// frame.h: the program frame: start-up and the quit sequence, the main loop with its
// frame pacing and play keys, the shared key and focus waits, and the clock seam.
#pragma once
#include <SDL.h>

// ---------- Program state: from start-up to the quit sequence ----------
// Set once at start-up (the screen, the configured frame length, the pad, the trace, the
// platform's pacing) or kept running across games (the pacer and the frame-rate measure,
// the clock seam); every screen that waits for the player resets the pacer when it returns
// (reset_frame_pacer). The game starts them at their definitions' values; tests and tools
// put them back there with reset_frame_program_state.
extern SDL_Surface *screen;     // startup.cpp: the 1024x768x16 surface (full screen or a window; a switch replaces it); SDL owns it
extern int frame_delay;         // main_loop.cpp: milliseconds per frame slot (config TIMER)
extern Uint32 frame_base;       // main_loop.cpp: ticks at which the current slot began
extern Uint32 frame_now;        // main_loop.cpp: last ticks value read by the pacer
extern Uint8 fps_frames;        // main_loop.cpp: frames counted since the last rate measurement
extern Uint32 fps_elapsed;      // main_loop.cpp: milliseconds accumulated over those frames
extern char fps_text[20];       // main_loop.cpp: the last measured rate, "%.1f", 5 characters
extern bool quit_in_progress;   // shutdown.cpp: the quit sequence has begun (its name entry must not exit again)
extern bool quit_requested;     // shutdown.cpp: a quit arrived while quit_in_progress
extern bool shut_down;          // shutdown.cpp: shutdown_game has run (a second run returns at once)
extern Sint64 spin_margin_ns;   // clock.cpp: the end of a slot wait_until spins through, in ns
// clock.cpp: set by a platform whose sleeps end a millisecond late or more anyway and whose
// display shows frames at its own pace (the web build): wait_until then sleeps to the slot's
// end and does not spin.
extern bool sleep_to_slot_end;
extern Sint64 clock_start_ns;   // clock.cpp: the monotonic moment the game's clock read 0; -1 not read yet
extern bool test_clock_on;      // clock.cpp: the test clock stands in for the real one
extern Uint32 test_clock_ms;    // clock.cpp: the test clock's next reading
extern Uint32 test_clock_step;  // clock.cpp: what each reading adds to it
extern bool test_seed_on;       // clock.cpp: every seed_random uses test_seed instead
extern unsigned test_seed;      // clock.cpp
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
// Every member above but the screen (SDL owns it; set_video_mode replaces it) back to its
// value at program start: the slowest frame, the pacer and the rate measure at 0, no quit
// under way, the real clock (from its next reading) and seed, no pad (an open one is
// closed), no hook, the trace variable unread (an open trace closed).
void reset_frame_program_state();

// ---------- Frame state: from one poll to the next, and on purpose beyond ----------
// main_loop.cpp: the one record every event loop polls into. A screen opened by a play key
// (the main menu on Escape, the end of a run on space) polls into it too, and the play keys
// tested after it then see the last event that screen read, not the key that opened it.
extern SDL_Event event;

// ===================== startup.cpp =====================
const int SCREEN_WIDTH = 1024;
const int SCREEN_HEIGHT = 768;
const int SCREEN_DEPTH = 16;
extern const char *const WINDOW_CAPTION;   // "Gobrant beta"
extern const char *const MENU_MAP_PATH;    // "data/menumap.txt"
extern const char *const MAP_LIST_PATH;    // "maps/AAA_maplist.txt"
const char *const PLAY_TEST_OPTION = "--play-test";   // the editor's play-test: the map at once

// Opens the full-screen mode, or a window when the configuration's fullscreen is off (a
// second request accepts any pixel format); 0 on success, 1 when both requests fail.
int set_video_mode();
// The whole start-up, up to the first main menu; ends the program on a fatal error.
void start_game();

// ===================== shutdown.cpp =====================
void shutdown_game();           // the quit sequence, registered with atexit
bool display_gone();            // display_check.cpp: the X display has gone away
// Ends the program with status 0 after the running score's name entry, or, inside the quit
// sequence, only notes the request.
// Callers that can run inside the quit sequence (the text entry and the focus wait) return
// after it when quit_requested is set.
void request_quit();

// ===================== main_loop.cpp =====================
const int FASTEST_FRAME_DELAY = 20;   // the shortest frame the configuration and options allow
const int SLOWEST_FRAME_DELAY = 25;   // the longest one, and the frame length before configuration
void main_loop();               // runs frames for ever
void run_frame();               // one frame: input, rules, wait, flip, measure
void handle_play_input();       // handles every pending event during play
void pace_frame();              // waits for the end of the slot, flips, measures, advances
// `delay` held between FASTEST_FRAME_DELAY and SLOWEST_FRAME_DELAY; used by the configuration
// reader and the options menu.
int clamp_frame_delay(long long delay);
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

// ===================== clock.cpp =====================
// The game's only view of the millisecond clock and of the random seed, so that tests can
// run real frames instantly and repeatably.
const Sint64 NS_PER_MS = 1000000;
const Uint32 SPIN_MARGIN = 2;   // ms: the widest end of a slot that wait_until spins through
const Sint64 SPIN_MARGIN_LEAST_NS = 400000;   // the narrowest, kept while sleeps end on time
const Sint64 SPIN_MARGIN_EASE_NS = 20000;     // narrowed by this at each on-time wake-up
// The game's millisecond clock: the monotonic clock from its first reading, so a change of
// the system time neither stops play nor fires catch-up frames; or the test clock.
Uint32 game_ticks();
Sint64 monotonic_ns();                 // the system's monotonic clock in ns, for the real clock
Sint64 tick_moment_ns(Uint32 ticks);   // the monotonic moment (ns) the real clock reaches ticks
void sleep_until_ns(Sint64 moment);   // sleeps until that monotonic moment (the real clock only)
// Sleeps ms milliseconds; on the test clock it only moves the clock on by ms.
void rest(Uint32 ms);
// Waits until game_ticks() reaches target (unsigned comparison: a target already passed
// returns at once). On the real clock it sleeps once, until spin_margin_ns before the exact
// moment (to the moment itself under sleep_to_slot_end), then reads the clock until that
// moment. A sleep that ends late widens the margin (up to SPIN_MARGIN) for the next frames,
// because a machine that wakes the game late tends to do so several times in a row; on-time
// sleeps narrow it back to SPIN_MARGIN_LEAST_NS. On the test clock it rests until
// SPIN_MARGIN is left, then reads the clock. Returns the last reading.
Uint32 wait_until(Uint32 target);
// Widens spin_margin_ns after a sleep that ended `late` ns after it was asked to, so that a
// wake-up as late again still leaves a millisecond; eases it back while sleeps end on time.
void learn_wake_up(Sint64 late);
void seed_random(Uint32 seed);                  // srand(seed), or the fixed test seed
void set_test_clock(Uint32 start, Uint32 step); // each read returns the clock, then adds step
void advance_test_clock(Uint32 ms);             // moves the test clock on
void clear_test_clock();                        // back to the real clock
void set_test_seed(unsigned seed);              // every seed_random uses this seed instead
