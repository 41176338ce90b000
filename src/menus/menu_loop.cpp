// SPDX-License-Identifier: GPL-3.0-or-later
// menu_loop.cpp: what the main menu and the options menu share: the event loop and the
// highlight bar.
#include "menus.h"
#include "gfx.h"
#include "sound.h"
#include <cstdlib>

// Every event found is handled at once and polling goes on until the queue is empty; only
// then does the menu redraw or leave. A focus loss waits for the focus and redraws; a quit
// event ends the program; key presses go to the menu's own handler. Once a key has made the
// menu leave, the events still queued behind it are left for what comes next: the arrows
// a player presses while New game starts steer the player instead of being lost in the menu.
void run_menu_loop(MenuState &state, void (*draw_menu)(), void (*handle_key)(const SDL_Event &))
{
    state = MENU_WAITING;
    draw_menu();
    for (;;) {
        bool leaving_with_events_queued = state == MENU_LEAVE && event_waits.event_waiting();
        const SDL_Event *e = leaving_with_events_queued ? nullptr : event_waits.next_event();
        if (e) {
            if (e->type == SDL_ACTIVEEVENT && e->active.gain == 0) {
                event_waits.wait_for_focus();
                state = MENU_REDRAW;
            } else if (e->type == SDL_QUIT) {
                event_waits.request_quit();
            } else if (e->type == SDL_KEYDOWN) {
                handle_key(*e);
            }
            continue;
        }
        update_music();   // a loop asked for starts once the last one has faded out
        if (state == MENU_REDRAW) {
            state = MENU_WAITING;
            draw_menu();
        } else if (state == MENU_LEAVE) {
            event_waits.reset_frame_pacer();
            return;
        }
    }
}

void fill_highlight_bar(int x, int y, int w, int h)
{
    SDL_Rect bar = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                    static_cast<Uint16>(h)};
    fill_noted(screen, &bar, SDL_MapRGB(screen->format, 128, 128, 128));
}
