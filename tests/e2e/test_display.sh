#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Full screen or a window: a configuration saying FULLSCREEN: 0 opens a window; Alt+Enter in
# the menu and during play switches to full screen and back with the same picture, and the
# choice is written back to the configuration when the game ends.
source "$(dirname "$0")/lib.sh" "$@"
e2e_setup
e2e_use_maps twoway.txt
printf '\nFULLSCREEN: 0\n' >> "$E2E_CONTENT/data/gobrant.cfg"

# SDL 1.2 on X11 draws into a child window that sits in the captioned window while the game
# is a window and moves into a full-screen window of its own (no caption) in full screen.
e2e_display_mode() {
    if xwininfo -display "$E2E_DISPLAY" -children -id "$E2E_WINDOW" | grep -q '^ *0 children'; then
        echo full
    else
        echo window
    fi
}
# sdl12-compat keeps one window whose full-screen state only a window manager would show:
# there the switch is checked by its picture and the configuration alone.
e2e_expect_mode() {
    local i
    [ -z "${E2E_SDL_LIBRARY_DIR:-}" ] || return 0
    for i in $(seq 50); do [ "$(e2e_display_mode)" = "$1" ] && return 0; sleep 0.1; done
    e2e_fail "$2"
}

e2e_log "a window at start-up, full screen after Alt+Enter in the menu, the same menu"
e2e_start_game
e2e_expect_mode window "FULLSCREEN: 0 did not open a window"
menu=$(e2e_snap menu_window)
e2e_key alt+Return
e2e_expect_mode full "Alt+Enter in the menu did not switch to full screen"
e2e_expect_same_screen "$menu" "$(e2e_snap menu_full)" "the menu changed with the switch"

e2e_log "during play: back to a window, the play screen kept"
e2e_key Return
e2e_key alt+Return
e2e_expect_mode window "Alt+Enter during play did not switch to a window"
e2e_assert_running "after the switch during play"
e2e_key_final alt+F4
e2e_expect_exit 10 0
grep -qx 'FULLSCREEN: 0' "$E2E_CONTENT/data/gobrant.cfg" ||
    e2e_fail "the configuration does not keep the window: $(cat "$E2E_CONTENT/data/gobrant.cfg")"
