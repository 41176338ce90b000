# SPDX-License-Identifier: GPL-3.0-or-later
# A player's files under hostile conditions: a skin with a missing bitmap is refused in the
# options menu (the previous skin stays) and a configured one falls back at start-up to the
# first skin that loads; when the display goes away during play, the run's score enters the
# table under the configured name without drawing and the game ends with 1; a high-score
# table that is there but unreadable is never written over, and the game ends with 1 saying
# so once.
source "$(dirname "$0")/lib.sh" "$@"
e2e_setup

# A third skin, "broken": the first skin's files without the player's picture.
first_skin=$(e2e_list_entries "$E2E_CONTENT/skins/skins.txt" | head -n 1)
skin_count=$(e2e_list_entries "$E2E_CONTENT/skins/skins.txt" | wc -l)
cp -r "$E2E_CONTENT/skins/$first_skin" "$E2E_CONTENT/skins/broken"
rm "$E2E_CONTENT/skins/broken/guma.bmp"
printf '\nbroken\n' >> "$E2E_CONTENT/skins/skins.txt"
for f in "$E2E_CONTENT/data/texts/${first_skin}_"*.txt; do
    cp "$f" "$E2E_CONTENT/data/texts/broken_${f##*/${first_skin}_}"
done
expect_config_skin() {
    grep -qx "SKIN: $1" "$E2E_CONTENT/data/gobrant.cfg" ||
        e2e_fail "gobrant.cfg: $(tr '\n' ' ' < "$E2E_CONTENT/data/gobrant.cfg"), expected SKIN: $1"
}

e2e_log "the broken skin chosen in the options is refused; the menu stays with the old skin"
e2e_start_game
e2e_key Down Return Down Down       # Options, its skin row
for (( i = 0; i < skin_count; i++ )); do e2e_key Right; done
e2e_key Down Down Return            # apply: refused, the menu stays open
e2e_key Escape                      # leaves the options menu
e2e_key_final Escape                # quits from the main menu
e2e_expect_exit 10 0
expect_config_skin 0
grep -q "skins/broken/guma.bmp" "$E2E_WORK/game_stdout.txt" || e2e_fail "the refused bitmap was not named"

e2e_log "a configured broken skin falls back to the first skin that loads"
e2e_write_config 25 jmeno "$skin_count" 0
e2e_start_game
e2e_key_final Escape
e2e_expect_exit 10 0
expect_config_skin 0
grep -q "using $first_skin" "$E2E_WORK/game_stdout.txt" || e2e_fail "the fallback was not said"

e2e_log "the display goes away during play: the score enters the table unasked, status 1"
e2e_write_config 25 jmeno 0 0
e2e_use_maps twoway.txt             # three dots left of the start, three to the right
e2e_start_game
e2e_key Return Right
e2e_wait_frames 60                  # the three dots on the right eaten: score 3
kill -TERM "$E2E_XVFB_PID" && wait "$E2E_XVFB_PID"
E2E_XVFB_PID="" E2E_DISPLAY=""
e2e_expect_exit 10 1
e2e_expect_highscore_line 10 "jmeno|3"
grep -q "display has gone away" "$E2E_WORK/game_stdout.txt" || e2e_fail "the lost display was not said"
e2e_write_known_highscores
e2e_start_x

e2e_log "an unreadable high-score table is kept as it is and the game ends with 1"
chmod 755 "$E2E_WORK"
chown -R nobody "$E2E_CONTENT" "$E2E_TRACE"
chmod 000 "$E2E_CONTENT/data/highscores.txt"
E2E_RUN_AS="setpriv --reuid=nobody --regid=nogroup --clear-groups"
: > "$E2E_WORK/game_stdout.txt"
e2e_start_game
e2e_key_final Escape
e2e_expect_exit 10 1
chmod 644 "$E2E_CONTENT/data/highscores.txt"
e2e_expect_highscores_unchanged
[ "$(grep -c highscores.txt "$E2E_WORK/game_stdout.txt")" = 1 ] ||
    e2e_fail "the unreadable table was not reported once"
e2e_pass
