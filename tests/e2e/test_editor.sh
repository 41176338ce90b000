# SPDX-License-Identifier: GPL-3.0-or-later
# The map editor on a new map: an enemy start, a wall dragged across row 20, a dot and two
# teleports drawn with keys and mouse clicks, an undo and a redo, Ctrl+S with a typed name
# and the map put first in the map list. F5 play-tests it in the game and comes back; then
# the real game plays the saved map from its list. The wall and the closed-off rows below it,
# where no actor can go, must look the same in the editor and in the game.
X_WIDTH=1280 X_HEIGHT=768    # the editor's window is wider than the game's screen; as high, so
# that an SDL which scales a full-screen picture to the screen keeps it pixel for pixel
E2E_SCREEN=${X_WIDTH}x${X_HEIGHT}x24
source "$(dirname "$0")/lib.sh" "$@"
EDITOR=$(dirname "$E2E_GAME")/gobrant-editor
e2e_setup

# Starts the editor as the harness starts the game.
start_editor() {
    local game=$E2E_GAME
    E2E_GAME=$EDITOR E2E_CAPTION="Gobrant editor"
    e2e_start_game
    E2E_GAME=$game E2E_CAPTION="Gobrant beta"
    EDITOR_WINDOW=$E2E_WINDOW
}

# Clicks the middle of maze cell ($1, $2) in the editor's window.
click_cell() {
    e2e_xdotool_event "$E2E_BUTTON_UP" \
        mousemove --window "$EDITOR_WINDOW" $(( $1 * 32 + 16 )) $(( $2 * 32 + 16 )) click 1
}

# Rows 20 to 23 of the maze drawn from screen pixel ($1, $2): rows 20 to 22 saved as $3,
# row 23 as $4.
maze_band() {
    e2e_shot "$E2E_WORK/screen.png"
    convert "$E2E_WORK/screen.png" -crop 1024x96+$1+$(( $2 + 640 )) +repage "$3"
    convert "$E2E_WORK/screen.png" -crop 1024x32+$1+$(( $2 + 736 )) +repage "$4"
}

# The game's full-screen picture stands at the top left of the X screen or in its middle, as
# the SDL library puts it: there rows 20 to 22 must be the editor's, and row 23 must hold
# the game's status panel, unlike the editor's plain wall.
expect_game_band() {
    local top left
    for top in 0 $(( (X_HEIGHT - 768) / 2 )); do
        for left in 0 $(( (X_WIDTH - 1024) / 2 )); do
            maze_band $left $top "$E2E_WORK/game_band.png" "$E2E_WORK/game_panel.png"
            [ "$(e2e_pixel_diff "$E2E_WORK/editor_band.png" "$E2E_WORK/game_band.png")" = 0 ] &&
                [ "$(e2e_pixel_diff "$E2E_WORK/editor_panel.png" "$E2E_WORK/game_panel.png")" != 0 ] &&
                return 0
        done
    done
    e2e_fail "$1"
}

start_editor
e2e_key 4
click_cell 28 5
e2e_key 1
e2e_xdotool_event "$E2E_MOUSE_MOTION" mousemove --window "$EDITOR_WINDOW" 48 656
e2e_xdotool_event "$E2E_BUTTON_DOWN" mousedown 1
for x in 200 500 800 976; do
    e2e_xdotool_event "$E2E_MOUSE_MOTION" mousemove --window "$EDITOR_WINDOW" $x 656
done
e2e_xdotool_event "$E2E_BUTTON_UP" mouseup 1
e2e_key 0
click_cell 10 12
e2e_key a
click_cell 5 8
click_cell 25 16
e2e_key ctrl+z ctrl+y ctrl+s
e2e_key m i n e Return Home Return
e2e_snap editor_saved > /dev/null

floor="1222222222222222222222222222222""1"
wall=11111111111111111111111111111111
set_cell() { rows[$1]="${rows[$1]:0:$2}$3${rows[$1]:$(( $2 + 1 ))}"; }
rows=("$wall")
for y in $(seq 22); do rows+=("$floor"); done
rows+=("$wall" )
rows[20]=$wall
set_cell 12 16 3
set_cell 5 28 4
set_cell 12 10 0
set_cell 8 5 a
set_cell 16 25 a
expected=$(printf '# mine\n'; printf '%s\n' "${rows[@]}")
[ "$(cat "$E2E_CONTENT/maps/mine.txt")" = "$expected" ] \
    || e2e_fail "maps/mine.txt is not the drawn map: $(diff <(echo "$expected") "$E2E_CONTENT/maps/mine.txt")"
[ "$(e2e_list_entries "$E2E_CONTENT/maps/AAA_maplist.txt" | head -n 2 | tr '\n' ' ')" = "mine.txt first_dots.txt " ] \
    || e2e_fail "mine.txt is not first in the map list: $(cat "$E2E_CONTENT/maps/AAA_maplist.txt")"
grep -q '^#' "$E2E_CONTENT/maps/AAA_maplist.txt" || e2e_fail "the map list lost its comment"
eval "$(xdotool getwindowgeometry --shell "$EDITOR_WINDOW")"
maze_band "$X" "$Y" "$E2E_WORK/editor_band.png" "$E2E_WORK/editor_panel.png"

e2e_log "F5: the game plays the map at once (no main menu) and the editor comes back when it ends"
mark=$(e2e_trace_mark)
xdotool key F5
game_window=$(e2e_find_window '^Gobrant beta$' "$E2E_GAME_PID")
[ -n "$game_window" ] || e2e_fail "F5 started no game"
xdotool windowfocus "$game_window" 2>> "$E2E_WORK/xdotool.log"   # as a window manager would
e2e_wait_frames 10
if [ -z "${E2E_SDL_LIBRARY_DIR:-}" ]; then
    expect_game_band "the play-test does not show the drawn maze"
else   # sdl12-compat draws a full-screen picture off the middle of this wider screen
    e2e_log "sdl12-compat: the play-test's picture is not compared with the editor's"
fi
e2e_key Escape
# The editor drops what came while the game ran, and the game's process outlives its window
# for a moment: keys for the editor wait until it waits for events again after the game.
waits=$(grep -cx wait "$E2E_TRACE")
xdotool key Escape
e2e_wait_lines 1 wait "$waits"
e2e_assert_running "after the play-test"
! xdotool search --name '^Gobrant beta$' > /dev/null 2>&1 || e2e_fail "the play-test's window stayed"
xdotool windowfocus "$EDITOR_WINDOW" 2>> "$E2E_WORK/xdotool.log"

e2e_log "F6: keys pressed while the automatic player tries the map are set aside"
mark=$(e2e_trace_mark)
xdotool key F6 Escape Escape
e2e_wait_settled "$mark" frame 1 "the automatic player's try" "" waiting   # its frames, then the editor's wait
e2e_assert_running "after Escape pressed while the automatic player ran"
e2e_key_final Escape
e2e_expect_exit 10 0

e2e_log "the game plays the saved map first"
e2e_start_game
xdotool windowfocus "$E2E_WINDOW" 2>> "$E2E_WORK/xdotool.log"
e2e_key Return
e2e_wait_frames 10
[ -n "${E2E_SDL_LIBRARY_DIR:-}" ] || expect_game_band "the game's first level is not the saved map"
e2e_key Escape
e2e_key_final Escape
e2e_expect_exit 10 0
e2e_pass
