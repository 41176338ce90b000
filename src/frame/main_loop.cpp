// main_loop.cpp: the frame loop, its pacing and rate measure, and the keys during play.
// STUB: to be written.
#include "frame.h"
int frame_delay = 25;
Uint32 frame_base = 0;
Uint32 frame_now = 0;
Uint8 fps_frames = 0;
Uint32 fps_elapsed = 0;
char fps_text[20] = "";
SDL_Event event;
void main_loop() { for (;;) run_frame(); }
void run_frame() {}
void handle_play_input() {}
void pace_frame() {}
void reset_frame_pacer() { frame_base = frame_now = game_ticks(); }
bool is_alt_f4(const SDL_Event &e) { return e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_F4 && (e.key.keysym.mod & (KMOD_LALT | KMOD_RALT)); }
