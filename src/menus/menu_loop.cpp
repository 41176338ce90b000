// menu_loop.cpp: the event loop that the main menu and the options menu share.
#include "menus.h"
#include "frame.h"
#include <cstdlib>

// Every event found is handled at once and polling goes on until the queue is empty; only
// then does the menu redraw or leave. A focus loss waits for the focus and redraws; a quit
// event ends the program; key presses go to the menu's own handler.
void run_menu_loop(MenuState &state, void (*draw_menu)(), void (*handle_key)(const SDL_Event &))
{
    state = MENU_WAITING;
    draw_menu();
    for (;;) {
        if (poll_event_or_rest()) {
            if (event.type == SDL_ACTIVEEVENT && event.active.gain == 0) {
                wait_for_focus();
                state = MENU_REDRAW;
            } else if (event.type == SDL_QUIT) {
                exit(0);
            } else if (event.type == SDL_KEYDOWN) {
                handle_key(event);
            }
        } else if (state == MENU_REDRAW) {
            state = MENU_WAITING;
            draw_menu();
        } else if (state == MENU_LEAVE) {
            reset_frame_pacer();
            return;
        }
    }
}
