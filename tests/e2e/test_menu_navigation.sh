# SPDX-License-Identifier: GPL-3.0-or-later
# The main menu wraps around: Up from the first item selects Quit and Down from Quit comes
# back to the first item; an information screen returns to the same menu image on any key.
# Quitting with nothing played writes both files back unchanged and exits 0.
source "$(dirname "$0")/lib.sh" "$@"
e2e_setup

e2e_log "Up from the first item, then Return: Quit"
e2e_start_game
e2e_key Up
e2e_key_final Return
e2e_expect_exit 10 0
e2e_expect_highscores_unchanged
[ "$(cat "$E2E_CONTENT/data/gobrant.cfg")" = "$(printf 'TIMER: 25\nNAME: jmeno\nSKIN: 0\nTEXTS: 0\nSOUND: 8\nMUSIC: 6\nFULLSCREEN: 1')" ] \
    || e2e_fail "gobrant.cfg changed: $(cat "$E2E_CONTENT/data/gobrant.cfg")"

e2e_log "Up and Down wrap; the legend screen gives the menu back on any key"
e2e_start_game
on_new_game=$(e2e_snap new_game)
e2e_key Up
on_quit=$(e2e_snap quit)
e2e_expect_changed_screen "$on_new_game" "$on_quit" "Up did not move the highlight"
e2e_key Down
e2e_expect_same_screen "$on_new_game" "$(e2e_snap wrapped)" "Down from Quit did not come back to New game"
e2e_key Up Up
on_legend=$(e2e_snap legend_item)
e2e_key Return
e2e_expect_changed_screen "$on_legend" "$(e2e_snap legend_screen)" "Return on the legend item showed nothing"
e2e_key Down
e2e_expect_same_screen "$on_legend" "$(e2e_snap back)" "any key after the legend did not bring the same menu back"
e2e_key Down
e2e_expect_same_screen "$on_quit" "$(e2e_snap quit_again)" "the key that closed the legend moved the cursor"
e2e_key_final Return
e2e_expect_exit 10 0

e2e_pass
