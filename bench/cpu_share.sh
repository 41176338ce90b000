# SPDX-License-Identifier: GPL-3.0-or-later
# The game's processor share and resident memory as a player runs it: the real binary on
# Xvfb, idle in the main menu, then in play on the first level (the player stands still, the
# enemies roam). Run as: bash bench/cpu_share.sh <gobrant binary> <content dir> [seconds].
# E2E_DISPLAY_NUMBER picks the X display (a free one is searched otherwise).
E2E_SCREEN=${E2E_SCREEN:-1024x768x16}
source "$(dirname "$0")/../tests/e2e/lib.sh" "$1" "$2"
SECONDS_EACH=${3:-25}

# Processor time of the game in nanoseconds: all its threads (the first field of each
# thread's schedstat), then the main thread alone.
cpu_ns() {
    cat /proc/"$E2E_GAME_PID"/task/*/schedstat | awk '{ sum += $1 } END { printf "%.0f", sum }'
    printf ' %s' "$(cut -d' ' -f1 "/proc/$E2E_GAME_PID/schedstat")"
}

# Prints "<what>: <percent of one core> % of a core (main thread <percent> %) over <n> s,
# <resident> MB resident", and the load average of the machine.
measure() {
    local start_cpu start_main start_wall end_cpu end_main end_wall rss_kb
    read -r start_cpu start_main <<< "$(cpu_ns)"
    start_wall=$(date +%s%N)
    sleep "$SECONDS_EACH"
    e2e_assert_running "while measuring $1"
    read -r end_cpu end_main <<< "$(cpu_ns)"
    end_wall=$(date +%s%N)
    rss_kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$E2E_GAME_PID/status")
    awk -v what="$1" -v cpu=$(( end_cpu - start_cpu )) -v wall=$(( end_wall - start_wall )) \
        -v main=$(( end_main - start_main )) -v rss="$rss_kb" -v load="$(cut -d' ' -f1 /proc/loadavg)" \
        'BEGIN { printf "%s: %.2f %% of a core (main thread %.2f %%) over %.0f s, %.1f MB resident, load %s\n",
                 what, 100 * cpu / wall, 100 * main / wall, wall / 1e9, rss / 1024, load }'
}

e2e_setup
e2e_start_game
sleep 1
measure "main menu, idle"
e2e_key Return                      # New game on the first map
measure "play, first level"
e2e_pass
