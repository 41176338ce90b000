// SPDX-License-Identifier: GPL-3.0-or-later
// input.cpp: the one source of events for every event loop (play, the waits, the menus, the
// text entry): Alt+Enter switches between full screen and a window wherever it is pressed,
// and the gamepad's events arrive as key presses.
#include "frame.h"
#include "files.h"
#include "gfx.h"
#include <cstdio>
#include <cstdlib>

bool is_display_switch_key(const SDL_Event &e)
{
    return e.type == SDL_KEYDOWN && (e.key.keysym.mod & ALT_KEYS) &&
           (e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER);
}

// The mode change may give a new screen surface with fresh pixels: the picture is copied
// before and put back after, so every screen (play, a message box, a menu, a wait) looks as
// it did and the game state stays as it was. The skin is loaded again, as after a focus
// loss, when its pictures may no longer suit the screen: a pixel format of its own (the
// fallback request accepts any) or video memory, which a mode change loses. When the new
// mode cannot be opened the old one is opened again; when neither opens the game ends.
void switch_display()
{
    SDL_Surface *picture = SDL_ConvertSurface(screen, screen->format, SDL_SWSURFACE);
    const SDL_PixelFormat old = *screen->format;
    const bool old_in_video_memory = screen->flags & SDL_HWSURFACE;
    fullscreen = !fullscreen;
    if (set_video_mode() != 0) {
        fullscreen = !fullscreen;
        if (set_video_mode() != 0) {
            printf("ERROR nahozeni grafiky%s\n", SDL_GetError());
            exit(1);
        }
    }
    const SDL_PixelFormat &now = *screen->format;
    if (old_in_video_memory || (screen->flags & SDL_HWSURFACE) || now.BitsPerPixel != old.BitsPerPixel ||
        now.Rmask != old.Rmask || now.Gmask != old.Gmask || now.Bmask != old.Bmask)
        load_skin();
    if (picture) {
        // drawn, shown and drawn again, so that a double-buffered screen holds it in both
        blit_noted(picture, nullptr, screen, nullptr);
        show_screen();
        blit_noted(picture, nullptr, screen, nullptr);
        SDL_FreeSurface(picture);
    }
    reset_frame_pacer();
}

static bool is_dump_key(const SDL_Event &e)
{
    return e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_F12;
}

// Tests compare the window with the screen surface: with SCREEN_DUMP_VARIABLE naming a file,
// the key F12 writes the surface there as a BMP and holds the game (play included) until the
// next F12, so that the window can be read while it shows the same picture.
static bool dumped_screen(const SDL_Event &e)
{
    static const char *dump_path = getenv(SCREEN_DUMP_VARIABLE);
    if (!dump_path || !is_dump_key(e))
        return false;
    SDL_SaveBMP(screen, dump_path);
    SDL_Event next;
    for (;;) {
        if (!SDL_PollEvent(&next)) {
            trace_idle();
            rest(IDLE_REST);
            continue;
        }
        trace_event(next);
        if (is_dump_key(next))
            break;
    }
    reset_frame_pacer();
    return true;
}

bool poll_event(bool in_play)
{
    while (SDL_PollEvent(&event)) {
        trace_event(event);
        if (!translate_gamepad_event(in_play) || dumped_screen(event))
            continue;
        if (!is_display_switch_key(event))
            return true;
        switch_display();
    }
    return false;
}

bool event_waiting()
{
    return SDL_PollEvent(nullptr) == 1;
}
