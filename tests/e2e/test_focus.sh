# SPDX-License-Identifier: GPL-3.0-or-later
# Losing the focus and getting it back: the game waits, reloads its skin from disk (a skin
# changed meanwhile shows at once), redraws the menu, and still answers keys; during play
# the focus pause shows the pause box and p resumes the game.
source "$(dirname "$0")/lib.sh" "$@"
e2e_setup
e2e_use_maps twoway.txt

e2e_log "focus lost in the main menu; the skin is reloaded when it comes back"
e2e_start_game
e2e_start_focus_thief
e2e_focus_back
menu=$(e2e_snap menu)
e2e_focus_away
skin=$(e2e_list_entries "$E2E_CONTENT/skins/skins.txt" | head -n 1)
for bmp in "$E2E_CONTENT/skins/$skin/"*.bmp; do
    convert "$bmp" -negate "BMP3:$bmp"
done
e2e_expect_same_screen "$menu" "$(e2e_snap away)" "the screen changed while the focus was away"
e2e_focus_back
e2e_expect_changed_screen "$menu" "$(e2e_snap back)" "the skin changed on disk does not show after the focus came back"
e2e_key Up
e2e_key_final Return
e2e_expect_exit 10 0
e2e_stop_pid "$E2E_HELPER_PID"

e2e_log "focus lost during play: the focus pause, p resumes, the arrows still work"
rm -rf "$E2E_CONTENT/skins/$skin"
cp -r "$E2E_SOURCE_CONTENT/skins/$skin" "$E2E_CONTENT/skins/$skin"
e2e_start_game
e2e_start_focus_thief
e2e_focus_back
e2e_key Return
playing=$(e2e_snap playing)
e2e_focus_away
e2e_focus_back
paused=$(e2e_snap focus_pause)
e2e_expect_changed_screen "$playing" "$paused" "no pause box after the focus came back"
e2e_key Right                       # ignored: the focus pause ends only on p
e2e_expect_same_screen "$paused" "$(e2e_snap still_paused)" "the focus pause did not hold"
e2e_key p
e2e_key Right
e2e_wait_frames 60                  # the three dots to the right
e2e_key Escape                      # the main menu; Alt+F4 there offers the score 3
e2e_key alt+F4
e2e_expect_waiting
e2e_erase 7
e2e_type_name "Focus"
e2e_key_final Return
e2e_expect_exit 10 0
e2e_expect_highscore_line 10 "Focus|3"

e2e_pass
