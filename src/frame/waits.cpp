// SPDX-License-Identifier: GPL-3.0-or-later
// waits.cpp: the shared modal waits for a key and for the focus to come back, used by the
// pause, the messages between levels, the information screens, the menus and the text entry.
#include "frame.h"
#include "gfx.h"
#include "sound.h"

static const Uint16 ANY_KEY = 0;

void (*idle_input)() = nullptr;

// Returns 0 when `key` (0: any key) is pressed, 1 after the focus was lost and regained.
// Resets the frame pacer when the key came; Alt+F4 and a quit event end the program.
static int wait_for_key_press(Uint16 key)
{
    for (;;) {
        if (!poll_event_or_rest())
            continue;
        if (event.type == SDL_QUIT || is_alt_f4(event)) {
            request_quit();
            if (quit_requested)
                return 0;
            continue;
        }
        if (event.type == SDL_KEYDOWN && (key == ANY_KEY || event.key.keysym.sym == key)) {
            reset_frame_pacer();
            return 0;
        }
        if (event.type == SDL_ACTIVEEVENT && event.active.gain == 0) {
            wait_for_focus();
            return 1;
        }
    }
}

// The gamepad's confirm buttons press the awaited key meanwhile.
int wait_for_key(Uint16 key)
{
    SDLKey confirm = gamepad_confirm_key;
    if (key != ANY_KEY)
        gamepad_confirm_key = SDLKey(key);
    int result = wait_for_key_press(key);
    gamepad_confirm_key = confirm;
    return result;
}

// Waits until the focus is back and the queue is drained, then resets the pacer, reloads
// the skin and flips. Inside the quit sequence a quit request ends the wait at once.
void wait_for_focus()
{
    bool away = true;
    pause_sound();
    while (!quit_requested) {
        if (poll_event_or_rest()) {
            if (event.type == SDL_QUIT || is_alt_f4(event))
                request_quit();
            else if (event.type == SDL_ACTIVEEVENT && event.active.gain == 1)
                away = false;
            continue;
        }
        if (!away) {
            reset_frame_pacer();
            load_usable_skin();
            forget_shown_picture();   // the display may have lost the picture meanwhile
            show_screen();
            resume_sound();
            return;
        }
    }
}

bool poll_event_or_rest()
{
    if (poll_event())
        return true;
    trace_idle();
    if (idle_input)
        idle_input();
    else
        rest(IDLE_REST);
    return false;
}
