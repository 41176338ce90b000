// SPDX-License-Identifier: GPL-3.0-or-later
// sdl_shim.h: read before every game source of the web build: the SDL 1.2 calls that
// emscripten's SDL emulation lacks or gets wrong, and the sleep that must yield to the
// browser, go to the platform layer's own versions (platform.cpp).
#pragma once
#include <SDL.h>
#include <time.h>

#ifdef __cplusplus
extern "C" {
#endif

// The screen is a surface of its own, shown on the page only by a flip, which copies all of
// it, or by an update of some of its areas, which copies only those.
SDL_Surface *web_set_video_mode(int width, int height, int bpp, Uint32 flags);
int web_flip(SDL_Surface *surface);
void web_update_rect(SDL_Surface *surface, Sint32 x, Sint32 y, Uint32 w, Uint32 h);
void web_update_rects(SDL_Surface *surface, int count, SDL_Rect *areas);
// A copy in the screen's format whose pixels C code can read and write.
SDL_Surface *web_display_format(SDL_Surface *surface);
// Pixels of the key colour become transparent.
int web_set_color_key(SDL_Surface *surface, Uint32 flag, Uint32 key);
// Fills opaquely: the emulation takes the alpha from the pixel value.
int web_fill_rect(SDL_Surface *surface, SDL_Rect *rect, Uint32 color);
// The page's focus and visibility changes arrive as SDL 1.2 focus events.
int web_poll_event(SDL_Event *event);
// Sleeps by giving the browser its turn until the moment.
int web_clock_nanosleep(clockid_t clock, int flags, const struct timespec *request,
                        struct timespec *remain);

#ifdef __cplusplus
}
#endif

#define SDL_SetVideoMode web_set_video_mode
#define SDL_Flip web_flip
#define SDL_DisplayFormat web_display_format
#define SDL_SetColorKey web_set_color_key
#define SDL_FillRect web_fill_rect
#define SDL_PollEvent web_poll_event
#define clock_nanosleep web_clock_nanosleep
#define SDL_UpdateRect web_update_rect
#define SDL_UpdateRects web_update_rects
