# SPDX-License-Identifier: GPL-3.0-or-later
# A whole run: new game on a one-map list, eat the five dots of a straight corridor, the
# end-of-run box waits for space, the score 5 beats the tenth entry (2) so the name entry
# opens, the typed name lands in tenth place, the menu is back and Escape quits with 0; the
# run was heard.
# Then a level played in two halves: Escape opens the menu, Continue goes on with the score.
source "$(dirname "$0")/lib.sh" "$@"
e2e_setup
e2e_use_maps corridor.txt

e2e_start_game
menu=$(e2e_snap menu)
e2e_key Return                      # the cursor starts on New game
level=$(e2e_snap level)
e2e_expect_changed_screen "$menu" "$level" "New game did not show the level"
mark=$(e2e_trace_mark)
e2e_key Right
e2e_wait_play_ends "$mark" "the end of the run"   # five cells at 8 frames a cell
end_box=$(e2e_snap end_of_run)
e2e_expect_changed_screen "$level" "$end_box" "the level did not change after Right"
e2e_wait_idle_polls 50              # the end-of-run box waits for space, nothing moves
e2e_assert_running "but the end-of-run box should wait for space"
e2e_expect_same_screen "$end_box" "$(e2e_snap still_waiting)" "the end-of-run box did not wait"
e2e_key space                       # to the name entry: the shown name is the configured one
e2e_erase 7
e2e_type_name "Lazy Oz"
e2e_key Return
back=$(e2e_snap menu_again)
e2e_expect_same_screen "$menu" "$back" "after the name entry the main menu (without Continue) is not back"
e2e_key_final Escape
e2e_expect_exit 10 0

e2e_expect_highscore_line 9 "Ivan|100"
e2e_expect_highscore_line 10 "Lazy Oz|5"
grep -qx 'NAME: Lazy Oz' "$E2E_CONTENT/data/gobrant.cfg" \
    || e2e_fail "the name typed in the entry was not kept as the configured name: $(cat "$E2E_CONTENT/data/gobrant.cfg")"
e2e_expect_heard

e2e_log "a level played in two halves with the main menu in between: Continue keeps the game"
e2e_write_known_highscores
e2e_use_maps twoway.txt
e2e_start_game
e2e_key Return Right
e2e_wait_frames 60                  # the three dots to the right
e2e_key Escape                      # the main menu opens on Continue
mark=$(e2e_trace_mark)
e2e_key Return Left
e2e_wait_play_ends "$mark" "the end of the run"   # the last three dots end the run
e2e_key space
e2e_erase 7
e2e_type_name "Pat"
e2e_key Return
e2e_key_final Escape
e2e_expect_exit 10 0
e2e_expect_highscore_line 10 "Pat|6"
e2e_pass
