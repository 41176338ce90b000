# SPDX-License-Identifier: GPL-3.0-or-later
# The ways out of the game, and the play keys around them: Alt+F4 during play offers the
# name entry for a good score; Alt+F4 in the menu and a close request (SIGTERM, which SDL
# turns into a quit event) end with 0; the arrows move the player; p pauses and swallows
# the arrows until p again; F4 without Alt does nothing.
source "$(dirname "$0")/lib.sh" "$@"
e2e_setup
e2e_use_maps twoway.txt             # three dots left of the start, three to the right

e2e_log "Alt+F4 during play with score 3: name entry, then exit 0"
e2e_start_game
e2e_key Return
e2e_key Right
e2e_wait_frames 60                  # the three dots to the right
e2e_key alt+F4
e2e_expect_waiting                  # the quit sequence waits in the name entry
e2e_erase 7
e2e_type_name "Quitter"
e2e_key_final Return
e2e_expect_exit 10 0
e2e_expect_highscore_line 10 "Quitter|3"

e2e_log "Alt+F4 in the main menu: exit 0"
e2e_write_known_highscores
e2e_start_game
e2e_key_final alt+F4
e2e_expect_exit 10 0
e2e_expect_highscores_unchanged

e2e_log "close request during play with score 0: exit 0"
e2e_start_game
e2e_key Return
kill -TERM "$E2E_GAME_PID"
e2e_expect_exit 10 0
e2e_expect_highscores_unchanged

e2e_log "p pauses and holds the arrows back; F4 alone does nothing"
e2e_start_game
e2e_key Return
e2e_key F4
playing=$(e2e_snap playing)
e2e_key p
paused=$(e2e_snap paused)
e2e_expect_changed_screen "$playing" "$paused" "p showed no pause box"
e2e_key Right Left
e2e_wait_idle_polls 50              # the pause polls on; nothing may move meanwhile
e2e_expect_same_screen "$paused" "$(e2e_snap still_paused)" "the screen changed during the pause"
e2e_key p
resumed=$(e2e_snap resumed)
e2e_expect_changed_screen "$paused" "$resumed" "the second p did not take the pause box away"
e2e_wait_frames 40
# The arrows pressed during the pause did nothing, so the score is 0 and Alt+F4 ends the
# program at once, without a name entry.
e2e_key_final alt+F4
e2e_expect_exit 10 0
e2e_expect_highscores_unchanged

e2e_pass
