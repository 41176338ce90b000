#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# web_bench.sh: the web build beside the desktop game in one run: download size, time to the
# first frame, and, over SECONDS of play on the first level (the player stands still while
# the enemies roam), frames per second, frame intervals and the processor share.
# Run as: bash bench/web_bench.sh <build dir> [web build folder] [seconds]
# The build dir holds the desktop game (gobrant) and gets puppeteer-core in web-test/; the web
# build folder is <build dir>/web by default. The web build plays in headless Chromium
# (web_bench.mjs), the desktop game on Xvfb (tests/e2e/lib.sh; E2E_SCREEN sets its depth).
set -u
BUILD_DIR=$(readlink -f "${1:?usage: $0 <build dir> [web build folder] [seconds]}")
WEB_DIR=$(readlink -f "${2:-$BUILD_DIR/web}")
PLAY_SECONDS=${3:-10}
SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
WEB_FILES="gobrant.html gobrant.js gobrant.wasm gobrant.data"
SETTLE_FRAMES=40          # play frames before the measure starts, as on the page
STOPPED_MS=1000           # a longer frame interval means play stopped (a catch): no figure

source "$SOURCE_DIR/tests/web/lib.sh"
source "$SOURCE_DIR/tests/e2e/lib.sh" "$BUILD_DIR/gobrant" "$SOURCE_DIR/content"
for tool in chromium node npm python3 strip; do
    command -v "$tool" > /dev/null || { echo "$tool is not installed"; exit 1; }
done
for file in $WEB_FILES; do
    [ -f "$WEB_DIR/$file" ] || { echo "no $WEB_DIR/$file: build it with make web"; exit 1; }
done

NODE_PID=""
STAMP_PID=""
bench_cleanup() {
    local rc=$?
    e2e_stop_pid "$NODE_PID"
    e2e_stop_pid "$STAMP_PID"
    web_stop_server
    (exit $rc)
    e2e_cleanup
}

# The clock of the measures in microseconds.
now_us() {
    echo "${EPOCHREALTIME/./}"
}

# Every process below process $1 (its children, theirs, ...), one pid a line.
descendants() {
    ps -e -o pid=,ppid= | awk -v root="$1" '
        { parent[$1] = $2 }
        END {
            below[root] = 1
            for (grown = 1; grown; ) {
                grown = 0
                for (p in parent) if (!(p in below) && (parent[p] in below)) { below[p] = 1; grown = 1 }
            }
            for (p in below) if (p != root) print p
        }'
}

# The processor time so far of every thread of the processes $2...: "$1 <thread> <ns>" a line.
thread_times() {
    local group=$1 pid
    shift
    for pid in "$@"; do
        awk -v group="$group" '{ print group, FILENAME, $1 }' /proc/"$pid"/task/*/schedstat 2> /dev/null
    done
}

# Chromium's threads below the node process, grouped by the kind of process: each renderer
# in a group of its own ("renderer_<pid>"; the game's page has the busiest), the others by
# their type (browser, zygote, gpu-process, the utilities' services: audio, network, ...).
chromium_times() {
    local pid kind
    for pid in $(descendants "$NODE_PID"); do
        kind=$(tr '\0 ' '\n\n' 2> /dev/null < /proc/"$pid"/cmdline |
               sed -n 's/^--type=//p; s/^--utility-sub-type=\([^.]*\).*/\1/p' | tail -n 1)
        [ "$kind" = renderer ] && kind="renderer_$pid"
        thread_times "${kind:-browser}" "$pid"
    done
}

desktop_times() {
    thread_times game "$E2E_GAME_PID"
    thread_times xserver "$E2E_XVFB_PID"
}

# Each group's share of a core in % between two thread_times lists, over $3 microseconds: a
# thread that started meanwhile counts whole, one that ended is not counted.
shares() {
    awk -v wall_us="$3" '
        FNR == NR { before[$2] = $3; next }
        { used[$1] += $3 - before[$2] }
        END { for (g in used) printf "%s %.2f\n", g, used[g] / wall_us / 10 }' "$1" "$2"
}

# Frames per second, the 99th percentile and the largest frame interval in ms of the flip
# times (ms, one a line) in file $1 between $2 and $3 ms.
frame_figures() {
    awk -v from="$2" -v to="$3" '$1 >= from && $1 <= to' "$1" > "$1.window"
    awk 'NR > 1 { print $1 - last } { last = $1 }' "$1.window" | sort -n |
        awk -v frames="$(wc -l < "$1.window")" -v from="$2" -v to="$3" '
            { interval[NR] = $1 }
            END {
                rank = int(NR * 0.99 + 0.999999)   # the nearest rank
                printf "%.2f %.1f %.1f\n", frames * 1000 / (to - from), interval[rank], interval[NR]
            }'
}

# The size of file $1 gzipped at the highest level, in bytes.
gzipped() {
    gzip -9 -c "$1" | wc -c
}

kb() {
    awk -v b="$1" 'BEGIN { printf "%.1f", b / 1024 }'
}

e2e_setup
trap bench_cleanup EXIT

# --- Download size ---
echo "Download size, gzip -9 (as stored):"
web_total=0
web_stored=0
line=""
for file in $WEB_FILES; do
    size=$(gzipped "$WEB_DIR/$file")
    stored=$(stat -c %s "$WEB_DIR/$file")
    web_total=$(( web_total + size ))
    web_stored=$(( web_stored + stored ))
    line="$line${line:+,} ${file#gobrant} $(kb "$size") KB ($(kb "$stored"))"
done
echo "  web:     $(kb $web_total) KB ($(kb $web_stored) KB):$line"
strip -o "$E2E_WORK/gobrant" "$E2E_GAME"
tar -C "$(dirname "$E2E_SOURCE_CONTENT")" -cf "$E2E_WORK/content.tar" "$(basename "$E2E_SOURCE_CONTENT")"
game_size=$(gzipped "$E2E_WORK/gobrant")
content_size=$(gzipped "$E2E_WORK/content.tar")
echo "  desktop: $(kb $(( game_size + content_size ))) KB ($(kb $(( $(stat -c %s "$E2E_WORK/gobrant") \
    + $(stat -c %s "$E2E_WORK/content.tar") ))) KB): stripped game $(kb "$game_size") KB, content tar $(kb "$content_size") KB"

# --- The web build in headless Chromium ---
MODULES=$(web_puppeteer "$BUILD_DIR/web-test") || e2e_fail "puppeteer-core cannot be installed"
web_serve "$WEB_DIR" "$E2E_WORK/address" || e2e_fail "the web server did not start"
mkfifo "$E2E_WORK/web_out" "$E2E_WORK/web_in"
node "$SOURCE_DIR/bench/web_bench.mjs" "$MODULES" "$WEB_URL" "$E2E_WORK/profile" \
    "$E2E_WORK/web_flips" "$PLAY_SECONDS" > "$E2E_WORK/web_out" < "$E2E_WORK/web_in" &
NODE_PID=$!
exec {WEB_OUT}< "$E2E_WORK/web_out" {WEB_IN}> "$E2E_WORK/web_in"
read -r -t 60 -u "$WEB_OUT" what web_first_frame && [ "$what" = first_frame ] ||
    e2e_fail "the page showed no first frame"
read -r -t 60 -u "$WEB_OUT" what web_from && [ "$what" = start ] || e2e_fail "the web game did not start"
chromium_times > "$E2E_WORK/web_before"
wall_from=$(now_us)
read -r -t $(( PLAY_SECONDS + 60 )) -u "$WEB_OUT" what web_to && [ "$what" = stop ] ||
    e2e_fail "the web game's measure did not end"
chromium_times > "$E2E_WORK/web_after"
wall_to=$(now_us)
echo measured >&"$WEB_IN"      # Chromium may close now
wait "$NODE_PID" || e2e_fail "the web build's run failed"
NODE_PID=""
web_stop_server
read -r web_fps web_p99 web_largest <<< "$(frame_figures "$E2E_WORK/web_flips" "$web_from" "$web_to")"
web_shares=$(shares "$E2E_WORK/web_before" "$E2E_WORK/web_after" $(( wall_to - wall_from )))

# --- The desktop game on Xvfb ---
# The game's trace goes through a fifo to a reader that notes when each line came, and on
# into the trace file that the harness waits on.
mkfifo "$E2E_WORK/trace_fifo"
while IFS= read -r line; do
    printf '%s %s\n' "${EPOCHREALTIME/./}" "$line" >&3
    printf '%s\n' "$line" >&4
done < "$E2E_WORK/trace_fifo" 3>> "$E2E_WORK/stamps" 4>> "$E2E_TRACE" &
STAMP_PID=$!
export GOBRANT_TRACE_FILE="$E2E_WORK/trace_fifo"
launched=$(now_us)
e2e_start_game
e2e_key Return
e2e_wait_frames "$SETTLE_FRAMES"
desktop_times > "$E2E_WORK/desktop_before"
wall_from=$(now_us)
sleep "$PLAY_SECONDS"
desktop_times > "$E2E_WORK/desktop_after"
wall_to=$(now_us)
e2e_assert_running "while measuring"
awk '$2 == "frame" { printf "%.3f\n", $1 / 1000 }' "$E2E_WORK/stamps" > "$E2E_WORK/desktop_flips"
desktop_first_frame=$(awk -v launched="$launched" 'NR == 1 { printf "%.1f", ($1 - launched) / 1000 }' "$E2E_WORK/stamps")
read -r desktop_fps desktop_p99 desktop_largest <<< "$(frame_figures "$E2E_WORK/desktop_flips" \
    "$(awk -v t="$wall_from" 'BEGIN { printf "%.3f", t / 1000 }')" \
    "$(awk -v t="$wall_to" 'BEGIN { printf "%.3f", t / 1000 }')")"
desktop_shares=$(shares "$E2E_WORK/desktop_before" "$E2E_WORK/desktop_after" $(( wall_to - wall_from )))

# The share of group $2 in the list $1, or of its busiest group whose name starts with $2.
share() {
    awk -v g="$2" 'index($1, g) == 1 && $2 > most { most = $2 } END { printf "%.2f", most }' <<< "$1"
}
sum_shares() {
    awk '{ s += $2 } END { printf "%.2f", s }' <<< "$1"
}

printf 'First frame: web %.0f ms after the page began to load (fresh profile, local server); desktop %s ms after the launch\n' \
    "$web_first_frame" "$desktop_first_frame"
echo "Play, $PLAY_SECONDS s on the first level, the player standing still (load average $(cut -d' ' -f1 /proc/loadavg)):"
printf '  %-44s %12s %12s\n' "" web desktop
printf '  %-44s %12s %12s\n' "frames per second (goal 40 ± 0.5)" "$web_fps" "$desktop_fps"
printf '  %-44s %12s %12s\n' "99th percentile of frame intervals, ms" "$web_p99" "$desktop_p99"
printf '  %-44s %12s %12s\n' "largest frame interval, ms" "$web_largest" "$desktop_largest"
printf '  %-44s %12s %12s\n' "% of a core: the renderer / the game" \
    "$(share "$web_shares" renderer_)" "$(share "$desktop_shares" game)"
printf '  %-44s %12s %12s\n' "% of a core: all of Chromium / game and Xvfb" \
    "$(sum_shares "$web_shares")" "$(sum_shares "$desktop_shares")"
echo "  Chromium's processes, % of a core: $(sort -k2,2nr <<< "$web_shares" | awk '{ printf "%s%s %s", (NR > 1 ? ", " : ""), $1, $2 }')"

for largest in "$web_largest" "$desktop_largest"; do
    awk -v l="$largest" -v most="$STOPPED_MS" 'BEGIN { exit !(l > most) }' &&
        e2e_fail "play stopped for ${largest} ms (the player caught?): the figures do not hold; run again"
done
e2e_pass
