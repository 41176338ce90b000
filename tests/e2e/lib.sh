# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end harness: runs the real game on a private Xvfb display; sourced by tests/e2e/test_*.sh and screenshots.sh.
#
# A script sources this file with the game binary and the content tree as $1 and $2, calls
# e2e_setup, adjusts the scratch copy of the content tree ($E2E_CONTENT), starts the game
# with e2e_start_game, drives it with e2e_key / e2e_type_name and checks the files the
# game wrote back. Xvfb, the game and any helper window are cleaned up on every exit path.

set -u

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_GAME=$(readlink -f "${1:?usage: $0 <gobrant binary> <content dir>}")
E2E_SOURCE_CONTENT=$(readlink -f "${2:?usage: $0 <gobrant binary> <content dir>}")
E2E_NAME=$(basename "$0" .sh)

E2E_WINDOW_TIMEOUT=15                  # seconds to wait for the game's window
E2E_SETTLE_TIMEOUT=20                  # safety net: seconds an awaited trace line may take
E2E_CAPTION="Gobrant beta"
E2E_SCREEN=${E2E_SCREEN:-1024x768x24}  # the X server's screen: width x height x depth
E2E_DISPLAY_NUMBER=${E2E_DISPLAY_NUMBER:-}   # a fixed display number; free ones are searched if empty
E2E_RUN_AS=""                          # a command that runs the game as another user; empty: as is

E2E_WORK=""
E2E_CONTENT=""
E2E_DISPLAY=""
E2E_XVFB_PID=""
E2E_GAME_PID=""
E2E_GAME_RC=""
E2E_WINDOW=""
E2E_HELPER_PID=""
E2E_TRACE=""   # the game's event trace (GOBRANT_TRACE_FILE): what every wait here waits on
# The game plays its sound to SDL's disk driver, which writes it to this file of the scratch
# dir (16-bit stereo samples) about as fast as a sound card would take it.
E2E_AUDIO=""
E2E_AUDIO_DELAY=11             # milliseconds per buffer of 512 sample frames

e2e_log() { echo "[$E2E_NAME] $*"; }

# Prints what the game wrote and fails the test.
e2e_fail() {
    echo "[$E2E_NAME] FAIL: $*" >&2
    if [ -n "$E2E_DISPLAY" ] && ! xdpyinfo -display "$E2E_DISPLAY" > /dev/null 2>&1; then
        echo "[$E2E_NAME] the X server on $E2E_DISPLAY does not answer any more" >&2
    fi
    if [ -n "$E2E_WORK" ] && [ -f "$E2E_WORK/game_stdout.txt" ]; then
        echo "--- game output ---" >&2
        tail -n 40 "$E2E_WORK/game_stdout.txt" >&2
        echo "-------------------" >&2
    fi
    if [ -n "$E2E_WORK" ]; then
        e2e_shot "$E2E_WORK/failure.png" 2>/dev/null
        echo "[$E2E_NAME] scratch dir kept: $E2E_WORK" >&2
        E2E_KEEP=1
    fi
    exit 1
}

e2e_cleanup() {
    local rc=$?
    e2e_stop_pid "$E2E_GAME_PID"
    e2e_stop_pid "$E2E_HELPER_PID"
    e2e_stop_pid "$E2E_XVFB_PID"
    if [ -n "$E2E_WORK" ] && [ "${E2E_KEEP:-0}" != 1 ]; then
        rm -rf "$E2E_WORK"
    fi
    exit $rc
}

# Ends one process that this harness started: TERM, then KILL after a second.
e2e_stop_pid() {
    local pid=$1 i
    [ -n "$pid" ] || return 0
    kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null
    for i in 1 2 3 4 5 6 7 8 9 10; do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

# Makes the scratch copy of the content tree, with a known configuration and a known
# high-score table whose tenth score is 2, and starts the X server.
e2e_setup() {
    e2e_setup_scratch
    cp -r "$E2E_SOURCE_CONTENT" "$E2E_WORK/content"
    E2E_CONTENT="$E2E_WORK/content"
    e2e_write_config 25 jmeno 0 0
    e2e_write_known_highscores
    e2e_start_x
}

# Makes the scratch dir, removed on every exit path unless a failure keeps it.
e2e_setup_scratch() {
    E2E_WORK=$(mktemp -d "/tmp/gobrant-e2e-$E2E_NAME.XXXXXX")
    E2E_TRACE="$E2E_WORK/trace.txt"
    E2E_AUDIO="$E2E_WORK/audio.raw"
    : > "$E2E_TRACE"
    export GOBRANT_TRACE_FILE="$E2E_TRACE"
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
}

# Writes data/gobrant.cfg of the copy in the game's own four-line format.
e2e_write_config() {
    printf 'TIMER: %d\nNAME: %s\nSKIN: %d\nTEXTS: %d' "$1" "$2" "$3" "$4" \
        > "$E2E_CONTENT/data/gobrant.cfg"
}

E2E_KNOWN_HIGHSCORES='Ada|900
Bob|800
Cyril|700
Dana|600
Emil|500
Fred|400
Gita|300
Hana|200
Ivan|100
Jan|2'

e2e_write_known_highscores() {
    printf '%s\n' "$E2E_KNOWN_HIGHSCORES" > "$E2E_CONTENT/data/highscores.txt"
}

# Replaces the copy's map list with the given test maps from tests/e2e/maps, in order.
e2e_use_maps() {
    local map
    : > "$E2E_CONTENT/maps/AAA_maplist.txt"
    for map in "$@"; do
        cp "$E2E_DIR/maps/$map" "$E2E_CONTENT/maps/$map"
        echo "$map" >> "$E2E_CONTENT/maps/AAA_maplist.txt"
    done
}

# Content lines of a list file (comments and empty lines skipped, CR stripped).
e2e_list_entries() {
    tr -d '\r' < "$1" | grep -v '^#' | grep -v '^$'
}

# -noreset: by default the server resets when its last client leaves, and a client that
# connects during the reset is refused (SDL opens the display twice in a row at start-up).
e2e_start_x() {
    local n tries=20
    n=$(( 100 + $$ % 400 ))
    if [ -n "$E2E_DISPLAY_NUMBER" ]; then
        n=$(( E2E_DISPLAY_NUMBER - 1 ))
        tries=1
    fi
    for (( ; tries > 0; tries-- )); do
        n=$(( n + 1 ))
        [ -e "/tmp/.X$n-lock" ] && continue
        [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "$E2E_SCREEN" -nolisten tcp -noreset > "$E2E_WORK/xvfb.log" 2>&1 &
        E2E_XVFB_PID=$!
        if e2e_wait_for_x "$n"; then
            E2E_DISPLAY=":$n"
            export DISPLAY="$E2E_DISPLAY"
            return 0
        fi
        e2e_stop_pid "$E2E_XVFB_PID"
        E2E_XVFB_PID=""
    done
    e2e_fail "could not start Xvfb"
}

# Waits up to five seconds for display :$1 to answer; fails early if Xvfb died.
e2e_wait_for_x() {
    local i
    for i in $(seq 50); do
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || return 1
        xdpyinfo -display ":$1" > /dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# Starts the game in the copy's directory and waits until its window shows something.
e2e_start_game() {
    E2E_GAME_RC=""
    E2E_START_MARK=$(e2e_trace_mark)
    (cd "$E2E_CONTENT" && exec env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_AUDIO" \
        SDL_DISKAUDIODELAY=$E2E_AUDIO_DELAY ${E2E_RUN_AS:-} "$E2E_GAME") \
        >> "$E2E_WORK/game_stdout.txt" 2>&1 &
    E2E_GAME_PID=$!
    E2E_WINDOW=$(e2e_find_window "^$E2E_CAPTION\$" "$E2E_GAME_PID")
    [ -n "$E2E_WINDOW" ] || e2e_assert_running "before its window appeared"
    [ -n "$E2E_WINDOW" ] || e2e_fail "no window named '$E2E_CAPTION' within ${E2E_WINDOW_TIMEOUT}s"
    e2e_expect_sdl_library
    e2e_wait_drawn
}

# With E2E_SDL_LIBRARY_DIR set (the suite's run on another SDL 1.2, e.g. sdl12-compat), the
# game loads its SDL from that directory: checked in the running game's memory map.
if [ -n "${E2E_SDL_LIBRARY_DIR:-}" ]; then
    E2E_SDL_LIBRARY_DIR=$(readlink -f "$E2E_SDL_LIBRARY_DIR")
    export LD_LIBRARY_PATH="$E2E_SDL_LIBRARY_DIR${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
fi
e2e_expect_sdl_library() {
    [ -n "${E2E_SDL_LIBRARY_DIR:-}" ] || return 0
    grep -q "$E2E_SDL_LIBRARY_DIR/libSDL" "/proc/$E2E_GAME_PID/maps" ||
        e2e_fail "the game did not load SDL from $E2E_SDL_LIBRARY_DIR"
}

# Prints the first window whose name matches $1, waiting up to E2E_WINDOW_TIMEOUT seconds
# or until the process $2 (the window's owner) has ended.
# xdotool's own --sync gives up with an X error when a window vanishes during its search
# (SDL makes and drops windows while it sets the video mode), so the search is repeated.
e2e_find_window() {
    local i found
    for (( i = 0; i < E2E_WINDOW_TIMEOUT * 10; i++ )); do
        kill -0 "$2" 2>/dev/null || return 1
        found=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
        if [ -n "$found" ]; then
            echo "$found"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits until the first screen waits for the player, then checks it is not all black.
e2e_wait_drawn() {
    e2e_wait_screen_waits "$E2E_START_MARK" "the first screen"
    e2e_shot "$E2E_WORK/ready.png"
    [ "$(convert "$E2E_WORK/ready.png" -format '%[fx:maxima>0]' info:)" = 1 ] ||
        e2e_fail "the screen stayed black"
}

# --- Waiting on the game's event trace ---
# The game appends "event <SDL event type>" for each event it reads, "idle" for each empty
# poll of a waiting screen, "wait" before a blocking wait and "frame" for each play frame
# shown. The waits below poll the trace (a safety net of E2E_SETTLE_TIMEOUT seconds only).

# The number of trace lines so far: a mark to wait for what comes after it.
e2e_trace_mark() {
    wc -l < "$E2E_TRACE"
}

# Whether, after line $1 of the trace, $3 lines "$2" ("event <type>", "frame") came and then the program
# settled: a play frame shown (unless $4 is "waiting"), a blocking wait, or three empty polls
# in a row (fewer do not prove a waiting screen: a menu redraws or leaves after one, the
# focus wait returns after one, and these can follow each other).
e2e_trace_settled() {
    awk -v mark="$1" -v type="$2" -v want="$3" -v only="${4:-}" '
        NR <= mark { next }
        $0 == type { seen++; ok = 0; idle = 0; next }
        seen < want { next }
        $0 == "frame" && only != "waiting" { ok = 1 }
        $0 == "wait" { ok = 1 }
        $0 == "idle" { if (++idle >= 3) ok = 1; next }
        { idle = 0 }
        END { exit ok ? 0 : 1 }' "$E2E_TRACE"
}

# Waits until e2e_trace_settled $1 $2 $3 $6 holds; $4 names what is awaited in a failure.
# With $5 = exit, the program ending also ends the wait.
e2e_wait_settled() {
    local i
    for (( i = 0; i < E2E_SETTLE_TIMEOUT * 50; i++ )); do
        e2e_trace_settled "$1" "$2" "$3" "${6:-}" && return 0
        if [ "${5:-}" = exit ] && ! kill -0 "$E2E_GAME_PID" 2>/dev/null; then
            return 0
        fi
        e2e_assert_running "while waiting for it to answer $4"
        sleep 0.02
    done
    e2e_fail "no answer to $4 within ${E2E_SETTLE_TIMEOUT}s"
}

# Waits until, after mark $1, a screen waits for the player (three empty polls in a row);
# the mark must come before anything else waits (the game's start).
e2e_wait_screen_waits() {
    e2e_wait_settled "$1" none 0 "${2:-a waiting screen}" "" waiting
}

# Waits until, after mark $1, play has shown frames and then a screen waits for the player.
e2e_wait_play_ends() {
    e2e_wait_settled "$1" frame 1 "${2:-the end of play}" "" waiting
}

# Waits until $1 more lines "$2" (frame, idle, wait) are in the trace than now, or than $3
# (a count taken before the step that writes them).
e2e_wait_lines() {
    local want=$(( ${3:-$(grep -cx "$2" "$E2E_TRACE")} + $1 )) i
    for (( i = 0; i < E2E_SETTLE_TIMEOUT * 50; i++ )); do
        [ "$(grep -cx "$2" "$E2E_TRACE")" -ge "$want" ] && return 0
        e2e_assert_running "while waiting for $1 more '$2' lines"
        sleep 0.02
    done
    e2e_fail "fewer than $1 more '$2' lines within ${E2E_SETTLE_TIMEOUT}s"
}

# Waits until the game has shown $1 more play frames.
e2e_wait_frames() {
    e2e_wait_lines "$1" frame
}

# Waits until a waiting screen has polled the empty queue $1 more times (each poll rests
# IDLE_REST ms), to show that nothing moves while it waits.
e2e_wait_idle_polls() {
    e2e_wait_lines "$1" idle
}

e2e_running() {
    [ -n "$E2E_GAME_PID" ] && [ -z "$E2E_GAME_RC" ] && kill -0 "$E2E_GAME_PID" 2>/dev/null
}

e2e_assert_running() {
    if ! e2e_running; then
        e2e_reap
        e2e_fail "the game ended (status $E2E_GAME_RC) $*"
    fi
}

e2e_reap() {
    [ -n "$E2E_GAME_RC" ] && return 0
    wait "$E2E_GAME_PID" 2>/dev/null
    E2E_GAME_RC=$?
}

# SDL's event type numbers that the waits look for.
E2E_ACTIVE_EVENT=1
E2E_KEY_UP=3
E2E_MOUSE_MOTION=4
E2E_BUTTON_DOWN=5
E2E_BUTTON_UP=6
E2E_QUIT_EVENT=12

# Presses each key (xdotool key names, e.g. Down, Return, alt+F4) and waits after each until
# the game has read its releases (one per key of a chord) and settled.
e2e_key() {
    local k mark chord
    for k in "$@"; do
        e2e_assert_running "before the key $k"
        mark=$(e2e_trace_mark)
        xdotool key "$k" 2>> "$E2E_WORK/xdotool.log"
        chord=${k//[^+]/}
        e2e_wait_settled "$mark" "event $E2E_KEY_UP" $(( ${#chord} + 1 )) "the key $k"
    done
}

# Runs an xdotool command ($2...) and waits until the game has read an event of type $1
# and settled.
e2e_xdotool_event() {
    local type=$1 mark
    shift
    mark=$(e2e_trace_mark)
    xdotool "$@" 2>> "$E2E_WORK/xdotool.log"
    e2e_wait_settled "$mark" "event $type" 1 "xdotool $*"
}

# Presses a key whose effect may end the program (no check that the game still runs after).
e2e_key_final() {
    e2e_assert_running "before the key $1"
    xdotool key "$1" 2>> "$E2E_WORK/xdotool.log"
}

# Types a name in the name entry: letters and spaces; the entry swaps the y and z keys,
# so the key pressed for y is z and the other way round.
e2e_type_name() {
    local text=$1 i c lower key
    for (( i = 0; i < ${#text}; i++ )); do
        c=${text:i:1}
        if [ "$c" = " " ]; then
            e2e_key space
            continue
        fi
        lower=$(printf '%s' "$c" | tr 'A-Z' 'a-z')
        case $lower in
            y) key=z ;;
            z) key=y ;;
            *) key=$lower ;;
        esac
        if [ "$c" != "$lower" ]; then
            key="shift+$key"
        fi
        e2e_key "$key"
    done
}

# Presses Backspace n times.
e2e_erase() {
    local i
    for (( i = 0; i < $1; i++ )); do
        e2e_key BackSpace
    done
}

# Waits up to $1 seconds for the game to end and checks its exit status against $2.
e2e_expect_exit() {
    local limit=$1 want=$2 i
    for (( i = 0; i < limit * 10; i++ )); do
        kill -0 "$E2E_GAME_PID" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$E2E_GAME_PID" 2>/dev/null; then
        e2e_fail "the game did not end within ${limit}s"
    fi
    e2e_reap
    [ "$E2E_GAME_RC" = "$want" ] || e2e_fail "exit status $E2E_GAME_RC, expected $want"
    E2E_GAME_PID=""
}

# Checks that the game's last run played sound: the audio device opened, every sound file of
# the skin loaded, and the disk driver's file holds samples that are not silence.
e2e_expect_heard() {
    local unheard
    unheard=$(grep -E '^(No sound|Sound missing|Sound unreadable)' "$E2E_WORK/game_stdout.txt")
    [ -z "$unheard" ] || e2e_fail "the game could not play all its sound: $unheard"
    [ -n "$(tr -d '\000' < "$E2E_AUDIO" 2>/dev/null | head -c 1)" ] ||
        e2e_fail "the game played only silence (or nothing) to $E2E_AUDIO"
}

# Checks that the game still runs and a screen waits for more keys (three empty polls of
# its queue after this call).
e2e_expect_waiting() {
    e2e_wait_screen_waits "$(e2e_trace_mark)" "a screen waiting for keys"
    e2e_assert_running "but it should still be waiting for keys"
}
e2e_expect_alive_after() { e2e_expect_waiting; }   # the older name; no fixed time any more

e2e_shot() {
    import -display "$E2E_DISPLAY" -window root "$1"
}

# Takes a numbered screenshot in the scratch dir and prints its path.
e2e_snap() {
    local count path
    count=$(find "$E2E_WORK" -maxdepth 1 -name 'shot_*.png' | wc -l)
    path="$E2E_WORK/shot_$(printf %02d $(( count + 1 )))_$1.png"
    e2e_shot "$path"
    echo "$path"
}

# Number of pixels in which two screenshots differ.
e2e_pixel_diff() {
    compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

e2e_expect_same_screen() {
    local d
    d=$(e2e_pixel_diff "$1" "$2")
    [ "$d" = 0 ] || e2e_fail "$3: $d pixels differ between $(basename "$1") and $(basename "$2")"
}

e2e_expect_changed_screen() {
    local d
    d=$(e2e_pixel_diff "$1" "$2")
    [ "$d" != 0 ] || e2e_fail "$3: $(basename "$1") and $(basename "$2") are identical"
}

# Starts a small second X client to take the focus away from the game; prints its window.
e2e_start_focus_thief() {
    xmessage -name gobrant-e2e-focus -geometry +1100+900 "focus elsewhere" > /dev/null 2>&1 &
    E2E_HELPER_PID=$!
    E2E_HELPER_WINDOW=$(e2e_find_window '^gobrant-e2e-focus$' "$E2E_HELPER_PID")
    [ -n "$E2E_HELPER_WINDOW" ] || e2e_fail "the helper window did not appear"
}

# Moves the focus to the helper window and waits until the game has read the loss.
e2e_focus_away() {
    e2e_xdotool_event "$E2E_ACTIVE_EVENT" windowfocus "$E2E_HELPER_WINDOW"
    E2E_FOCUS_AWAY=1
}

# Gives the game's window the focus; after e2e_focus_away, waits until the game has read
# the gain and settled (SDL reports a focus change only, and the game may have had the
# focus from its start).
e2e_focus_back() {
    if [ "${E2E_FOCUS_AWAY:-0}" = 1 ]; then
        E2E_FOCUS_AWAY=0
        e2e_xdotool_event "$E2E_ACTIVE_EVENT" windowfocus "$E2E_WINDOW"
    else
        xdotool windowfocus "$E2E_WINDOW" 2>> "$E2E_WORK/xdotool.log"
    fi
}

# Checks that data/highscores.txt of the copy has ten lines and that line $1 is $2.
e2e_expect_highscore_line() {
    local file="$E2E_CONTENT/data/highscores.txt" lines got
    lines=$(wc -l < "$file")
    [ "$lines" = 10 ] || e2e_fail "highscores.txt has $lines lines, expected 10: $(cat "$file")"
    got=$(sed -n "${1}p" "$file")
    [ "$got" = "$2" ] || e2e_fail "highscores.txt line $1 is '$got', expected '$2'; file: $(tr '\n' ' ' < "$file")"
}

e2e_expect_highscores_unchanged() {
    local got
    got=$(cat "$E2E_CONTENT/data/highscores.txt")
    [ "$got" = "$E2E_KNOWN_HIGHSCORES" ] || e2e_fail "highscores.txt changed: $(tr '\n' ' ' <<< "$got")"
}

e2e_pass() {
    e2e_log "PASS"
    exit 0
}
