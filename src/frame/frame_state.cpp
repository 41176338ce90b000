// SPDX-License-Identifier: GPL-3.0-or-later
// frame_state.cpp: the reset of the frame layer's program state (declared in frame.h).
#include "files.h"
#include "frame.h"
#include "gfx.h"
#include <unistd.h>

void reset_frame_program_state()
{
    frame_delay = SLOWEST_FRAME_DELAY;
    frame_base = frame_now = 0;
    fps_frames = 0;
    fps_elapsed = 0;
    fps_text[0] = '\0';
    quit_in_progress = quit_requested = false;
    exit_cannot_wait = false;
    shut_down = false;
    reset_clock_state();
    if (gamepad)
        SDL_JoystickClose(gamepad);
    gamepad = nullptr;
    hat_held = SDL_HAT_CENTERED;
    stick_side[0] = stick_side[1] = 0;
    gamepad_confirm_key = SDLK_RETURN;
    idle_input = nullptr;
    if (trace_fd >= 0)
        close(trace_fd);
    trace_fd = -2;
}
