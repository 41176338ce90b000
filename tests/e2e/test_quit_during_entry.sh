# SPDX-License-Identifier: GPL-3.0-or-later
# A close request (SIGTERM, which SDL turns into a quit event) while the name entry after a
# run is open: the quit sequence takes the name typed so far, and the file then holds the
# score once with every other row in place, the old tenth row pushed out. Both entries are
# tried: after the last map, and after a next map that is missing.
source "$(dirname "$0")/lib.sh" "$@"
e2e_setup

# The corridor's score 5 takes the fifth row of this table.
TABLE='Ada|900
Bob|800
Cyril|700
Dana|600
Emil|4
Fred|4
Gita|3
Hana|3
Ivan|2
Jan|1'
EXPECTED='Ada|900
Bob|800
Cyril|700
Dana|600
Ze|5
Emil|4
Fred|4
Gita|3
Hana|3
Ivan|2'

# Plays the corridor, answers the box after it with space, types "Ze" in the name entry
# and closes the window.
quit_during_entry() {
    printf '%s\n' "$TABLE" > "$E2E_CONTENT/data/highscores.txt"
    e2e_start_game
    local mark
    mark=$(e2e_trace_mark)
    e2e_key Return Right
    e2e_wait_play_ends "$mark" "the end of the run"   # five cells at 8 frames a cell
    e2e_key space
    e2e_erase 5                     # the configured name "jmeno"
    e2e_type_name "Ze"
    mark=$(e2e_trace_mark)
    kill -TERM "$E2E_GAME_PID"
    # the quit event read, then either the end or a name entry waiting again
    e2e_wait_settled "$mark" "event $E2E_QUIT_EVENT" 1 "the termination signal" exit waiting
    # A game that enters the score again opens a second name entry; let it end.
    if e2e_running; then e2e_key Return; fi
    e2e_expect_exit 10 0
    local got
    got=$(cat "$E2E_CONTENT/data/highscores.txt")
    [ "$got" = "$EXPECTED" ] || e2e_fail "$1: highscores.txt is $(tr '\n' ' ' <<< "$got")"
}

e2e_log "after the last map"
e2e_use_maps corridor.txt
quit_during_entry "after the last map"

e2e_log "after a missing next map"
echo missing.txt >> "$E2E_CONTENT/maps/AAA_maplist.txt"
quit_during_entry "after a missing next map"

e2e_pass
