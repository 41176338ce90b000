// frame.h: the program frame: start-up and the quit sequence, the main loop with its
// frame pacing and play keys, the shared key and focus waits, and the clock seam.
#pragma once
#include <SDL.h>

// ===================== startup.cpp =====================
extern SDL_Surface *screen;     // the 1024x768x16 full-screen video surface; SDL owns it

const int SCREEN_WIDTH = 1024;
const int SCREEN_HEIGHT = 768;
const int SCREEN_DEPTH = 16;
extern const char *const WINDOW_CAPTION;   // "Gobrant beta"
extern const char *const MENU_MAP_PATH;    // "data/menumap.txt"
extern const char *const MAP_LIST_PATH;    // "maps/AAA_maplist.txt"

int set_video_mode();           // steps 4-6 of start-up; 0 on success, 1 when both requests fail
void start_game();              // start-up steps 1-16; ends the program on a fatal error

// ===================== shutdown.cpp =====================
extern bool quit_in_progress;   // true while shutdown_game runs (its name entry must not exit again)
extern bool quit_requested;     // a quit event or Alt+F4 arrived while quit_in_progress

void shutdown_game();           // the quit sequence, registered with atexit
// Ends the program with status 0, or, inside the quit sequence, only notes the request.
// Callers that can run inside the quit sequence (the text entry and the focus wait) return
// after it when quit_requested is set.
void request_quit();

// ===================== main_loop.cpp =====================
extern int frame_delay;         // milliseconds per frame slot, 20..25 (config TIMER)
extern Uint32 frame_base;       // ticks at which the current slot began
extern Uint32 frame_now;        // last ticks value read by the pacer
extern Uint8 fps_frames;        // frames counted since the last rate measurement
extern Uint32 fps_elapsed;      // milliseconds accumulated over those frames
extern char fps_text[20];       // the last measured frame rate, "%.1f", at most 5 characters
extern SDL_Event event;         // the one event record every event loop polls into

void main_loop();               // runs frames for ever
void run_frame();               // one frame: input, rules, wait, flip, measure
void handle_play_input();       // handles every pending event during play
void pace_frame();              // frame steps 3-7: wait for the slot, flip, measure, advance
void reset_frame_pacer();       // frame_base = frame_now = now; screens call it when they return
bool is_alt_f4(const SDL_Event &e);   // a key press of F4 with either Alt key held

// ===================== waits.cpp =====================
int wait_for_key(Uint16 key);   // 0: the key (0 = any) was pressed; 1: focus was lost and regained
void wait_for_focus();          // waits for the focus, reloads the skin, flips
// Polls one event into `event`; when the queue is empty it rests about a millisecond so
// that a screen left open does not keep a processor core busy. Returns whether it got one.
bool poll_event_or_rest();
// When set, called instead of the rest while a wait finds no event: a replay answers the
// game's modal screens through it by queueing the next event they are to read.
extern void (*idle_input)();

// ===================== clock.cpp =====================
// The game's only view of the millisecond clock and of the random seed, so that tests can
// run real frames instantly and repeatably.
Uint32 game_ticks();                            // SDL_GetTicks, or the test clock
void seed_random(Uint32 seed);                  // srand(seed), or the fixed test seed
void set_test_clock(Uint32 start, Uint32 step); // each read returns the clock, then adds step
void advance_test_clock(Uint32 ms);             // moves the test clock on
void clear_test_clock();                        // back to SDL_GetTicks
void set_test_seed(unsigned seed);              // every seed_random uses this seed instead
