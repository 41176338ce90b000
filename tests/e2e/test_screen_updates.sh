#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Updating only the drawn areas shows exactly what a full update would: after hundreds of
# frames of play, the pause, a switch to a window, the main menu, the options menu and a
# message box, the window's pixels equal the game's screen surface, which F12 writes out in test runs (holding the game
# until the next F12).
source "$(dirname "$0")/lib.sh" "$@"
e2e_setup
e2e_use_maps twoway.txt
export GOBRANT_TEST_SCREEN_DUMP="$E2E_WORK/surface.bmp"

# sdl12-compat widens 16-bit colours to the display's 24 bits with a rounding of its own
# (SDL_SaveBMP keeps SDL 1.2's), so there a pixel may differ by its lowest bits: within 1 %.
E2E_COLOUR_FUZZ=0%
[ -z "${E2E_SDL_LIBRARY_DIR:-}" ] || E2E_COLOUR_FUZZ=1%

# Waits for the game's dump of its surface, then compares it with the window.
e2e_expect_window_is_surface() {
    local i shot d
    rm -f "$GOBRANT_TEST_SCREEN_DUMP"
    e2e_key F12
    for (( i = 0; i < 100; i++ )); do [ -s "$GOBRANT_TEST_SCREEN_DUMP" ] && break; sleep 0.1; done
    [ -s "$GOBRANT_TEST_SCREEN_DUMP" ] || e2e_fail "no surface written on $1"
    shot=$(e2e_snap "$1")
    e2e_key F12
    d=$(compare -metric AE -fuzz "$E2E_COLOUR_FUZZ" "$GOBRANT_TEST_SCREEN_DUMP" "$shot" null: 2>&1 | cut -d' ' -f1)
    [ "$d" = 0 ] || e2e_fail "the window differs from the surface on $1: $d pixels"
}

e2e_start_game
e2e_expect_window_is_surface main_menu
e2e_key Return Up Down
e2e_key p
e2e_expect_window_is_surface pause
e2e_key p Right
e2e_wait_frames 60                  # the three dots on the right eaten, the player at the wall
e2e_expect_window_is_surface play_after_three_dots
e2e_key alt+Return                  # a new mode's window shows nothing of the picture before
e2e_wait_frames 20
e2e_expect_window_is_surface play_in_a_window
e2e_key Escape
e2e_expect_window_is_surface menu_over_play
mark=$(e2e_trace_mark)
e2e_key Return Left
e2e_wait_play_ends "$mark" "the end-of-run box"
e2e_expect_window_is_surface end_of_run_box
e2e_key space
e2e_expect_window_is_surface name_entry
e2e_key_final alt+F4
e2e_expect_exit 10 0
