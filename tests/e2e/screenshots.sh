# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshots of every screen of the game for docs/screenshots; run by `make screenshots`
# as: bash tests/e2e/screenshots.sh <gobrant binary> <content dir> <output dir>.
source "$(dirname "$0")/lib.sh" "$@"
OUT=${3:?usage: $0 <gobrant binary> <content dir> <output dir>}
mkdir -p "$OUT"
OUT=$(readlink -f "$OUT")

shot() {
    e2e_shot "$OUT/$1.png"
    e2e_log "wrote $OUT/$1.png"
}

e2e_setup
# English texts when the game ships them, and a name to show in the name entry.
language=$(e2e_list_entries "$E2E_CONTENT/data/texts.txt" | grep -n -x en | cut -d: -f1)
language=$(( ${language:-1} - 1 ))
e2e_write_config 25 Player 0 "$language"
shipped_maps=$(e2e_list_entries "$E2E_SOURCE_CONTENT/maps/AAA_maplist.txt")
[ -n "$shipped_maps" ] || e2e_fail "the content has no maps"

e2e_log "menus and information screens, then the first shipped level"
e2e_start_game
shot main_menu
e2e_key Down Return                 # options
shot options
e2e_key Escape
e2e_key Down                        # high scores
e2e_key Return
shot high_scores
e2e_key space Down Return           # credits
shot credits
e2e_key space Down Return           # legend
shot legend
e2e_key space Up Up Up Up Return    # new game on the first shipped map
e2e_key Left
e2e_wait_frames 40
shot play
e2e_key p
shot pause
e2e_key p
e2e_stop_pid "$E2E_GAME_PID"; E2E_GAME_PID=""

e2e_log "a finished run: the end-of-run box and the name entry"
e2e_use_maps corridor.txt
e2e_start_game
mark=$(e2e_trace_mark)
e2e_key Return Right
e2e_wait_play_ends "$mark" "the end of the run"
shot end_of_run
e2e_key space
shot name_entry
e2e_key Return
e2e_stop_pid "$E2E_GAME_PID"; E2E_GAME_PID=""

e2e_log "an enemy next to the start: the caught message"
e2e_use_maps ambush.txt
e2e_start_game
e2e_key Return
e2e_wait_frames 100                 # the enemy reaches the player and the message shows
shot caught
e2e_stop_pid "$E2E_GAME_PID"; E2E_GAME_PID=""

e2e_log "done"
