#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# first_start.sh: times `make play` on a fresh Debian 12 system up to the first menu, and
# where that time goes (package lists, download, unpack, configure, compile, start).
#
#   sudo bash bench/first_start.sh [repository]
#
# A minimal Debian 12 tree (debootstrap --variant=minbase) in a scratch folder plays the
# fresh machine; it gets `make` (which the README's two commands take for granted) and a
# clone of the repository's committed state (this checkout by default), nothing else. The
# X server is an Xvfb on this machine, its socket shared into the tree, as a desktop's
# would be. Then `make play` runs in the tree as root, so it installs its packages itself,
# and the clock stops when the game's event trace shows the first menu waiting for the
# player; Alt+F4 then ends the game. The tree starts with fewer libraries than a desktop
# (no X, sound or GL libraries), so the figure is an upper bound for a desktop unless
# FIRST_START_DESKTOP is set.
#
# FIRST_START_MIRROR, FIRST_START_SECURITY: the Debian mirrors (deb.debian.org by default).
# FIRST_START_BASE: a tree made earlier by the same debootstrap command, copied instead of
#   running debootstrap again (the base system is not part of the timed span).
# FIRST_START_DESKTOP=1: the tree gets, untimed, the libraries that any Debian 12 desktop
#   has already (X, GL, sound, GLib, Python), so that the figure is nearer a player's.
# FIRST_START_NICE: a nice value for `make play` (e.g. -15 puts it ahead of the machine's
#   other work: on a shared machine, the nearest to an idle one); 0 by default.
# FIRST_START_KEEP: a folder to keep the screenshot of the first menu and the timed logs in.
# FIRST_START_LIMIT: seconds after which the run gives up (a safety net; 1800).
# Every mount is undone and the tree removed on every exit path. Not part of `make test`.

set -u
[ "$(id -u)" = 0 ] || { echo "first_start.sh: run as root (debootstrap, chroot, mount)" >&2; exit 1; }
repo=$(cd "${1:-$(dirname "$0")/..}" && pwd)
mirror=${FIRST_START_MIRROR:-http://deb.debian.org/debian}
security=${FIRST_START_SECURITY:-http://deb.debian.org/debian-security}
limit=${FIRST_START_LIMIT:-1800}
niceness=${FIRST_START_NICE:-0}
desktop_packages="libx11-6 libxext6 libgl1-mesa-dri libglx-mesa0 libpulse0 libasound2 libglib2.0-0 python3 xkb-data"
goal=180                       # seconds: the first menu within three minutes

# The harness of the end-to-end tests gives the X server, the trace waits and the key; the
# game itself is started by `make play` inside the tree, not by the harness.
source "$repo/tests/e2e/lib.sh" /dev/null "$repo/content"
E2E_NAME=first_start
E2E_SCREEN=1024x768x24         # a desktop's depth
e2e_setup_scratch

top=""
root=""
mounts=()

# Undoes the mounts (the last first) and removes the tree only when nothing is mounted in
# it any more; then the harness ends the X server and removes its scratch folder.
first_start_cleanup() {
    local rc=$? i
    if [ -n "$E2E_GAME_PID" ]; then   # make and all it started: its session's group
        kill -TERM -- "-$E2E_GAME_PID" 2>/dev/null
        e2e_stop_pid "$E2E_GAME_PID"
    fi
    for (( i = ${#mounts[@]} - 1; i >= 0; i-- )); do
        umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" 2>/dev/null
    done
    if [ -n "$root" ] && findmnt -rn -o TARGET | grep -qF "$root"; then
        echo "first_start.sh: still mounted under $root; not removed" >&2
        rc=1
    elif [ -n "$top" ]; then
        rm -rf --one-file-system "$top"
    fi
    (exit $rc)
    e2e_cleanup
}
trap first_start_cleanup EXIT
top=$(mktemp -d /tmp/gobrant-first-start.XXXXXX)
root=$top/root

# Noted before it is made, so that no mount can escape the clean-up: the binds of this
# machine's folders are on the same file system as the tree, and rm would go into them.
mount_in() {   # mount_in <target in the tree> <mount arguments...>
    mkdir -p "$root$1"
    mounts+=("$root$1")
    mount "${@:2}" "$root$1" || e2e_fail "mount $* failed"
}

# A command in the tree, with the environment of a root login and nothing of this one's.
root_env=(/usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
          HOME=/root LANG=C.UTF-8)
in_root() {
    chroot "$root" "${root_env[@]}" "$@"
}

# Prefixes each line with the time it was read (seconds since the epoch, microseconds) and
# the processor time, in clock ticks, of the process $1 and its children that it has
# reaped: `make play`'s make, whose steps (package install, configure, build) are each a
# child that ends before the next begins.
stamp() {
    local line stat
    while IFS= read -r line; do
        read -r -a stat < "/proc/$1/stat" 2>/dev/null || stat=()
        printf '%s %s %s\n' "$EPOCHREALTIME" "$(( ${stat[13]:-0} + ${stat[14]:-0} + ${stat[15]:-0} + ${stat[16]:-0} ))" "$line"
    done
}

# --- The fresh system (not timed) ---
t=$EPOCHREALTIME
if [ -n "${FIRST_START_BASE:-}" ]; then
    e2e_log "copying the base system from $FIRST_START_BASE"
    mkdir "$root" && cp -a "$FIRST_START_BASE/." "$root/" || e2e_fail "copy of $FIRST_START_BASE failed"
else
    e2e_log "debootstrap --variant=minbase bookworm from $mirror"
    debootstrap --variant=minbase bookworm "$root" "$mirror" > "$E2E_WORK/debootstrap.log" 2>&1 ||
        e2e_fail "debootstrap failed: $(tail -n 3 "$E2E_WORK/debootstrap.log")"
fi
# The sources of an installed Debian 12; no service starts inside the tree.
cat > "$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
EOF
printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d" && chmod +x "$root/usr/sbin/policy-rc.d"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount_in /proc -t proc proc
mount_in /dev --bind /dev
mount_in /tmp/.X11-unix --bind /tmp/.X11-unix
mount_in "$E2E_WORK" --bind "$E2E_WORK"        # the game's trace, at the same path inside
[ "${FIRST_START_DESKTOP:-0}" = 1 ] || desktop_packages=""
in_root sh -c "apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends make $desktop_packages" \
    > "$E2E_WORK/setup.log" 2>&1 || e2e_fail "installing make $desktop_packages failed: $(tail -n 3 "$E2E_WORK/setup.log")"
git clone --quiet "$repo" "$root/root/gobrant" || e2e_fail "git clone $repo failed"
e2e_log "fresh system ready in $(awk -v a="$t" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.0f", b - a }') s;" \
    "cloned $(git -C "$root/root/gobrant" log -1 --format='%h %s' | cut -c1-60)"

# --- make play, timed up to the first menu ---
e2e_start_x
packages_log=$root/root/gobrant/build/packages.log
mkfifo "$E2E_WORK/make.out"
load=$(cut -d' ' -f1-3 /proc/loadavg)
t0=$EPOCHREALTIME
setsid nice -n "$niceness" chroot "$root" "${root_env[@]}" DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy GOBRANT_TRACE_FILE="$E2E_TRACE" \
    sh -c 'cd /root/gobrant && exec make play' > "$E2E_WORK/make.out" 2>&1 &
E2E_GAME_PID=$!                # make itself: setsid, nice, chroot, env and sh each hand over with exec
stamp "$E2E_GAME_PID" < "$E2E_WORK/make.out" > "$E2E_WORK/game_stdout.txt" &
make_log_pid=$!
tail -n +1 -s 0.1 -F --pid="$E2E_GAME_PID" "$packages_log" 2>/dev/null |
    stamp "$E2E_GAME_PID" > "$E2E_WORK/packages.txt" &
packages_log_pid=$!
# With the scheduler's automatic groups each session shares the processor as one, so the
# nice value counts against other sessions only as the session's own: set once setsid has
# made make's session (its group differs from this script's).
if [ "$niceness" != 0 ] && [ -w "/proc/$E2E_GAME_PID/autogroup" ]; then
    while kill -0 "$E2E_GAME_PID" 2>/dev/null &&
          [ "$(< "/proc/$E2E_GAME_PID/autogroup")" = "$(< /proc/$$/autogroup)" ]; do sleep 0.01; done
    echo "$niceness" > "/proc/$E2E_GAME_PID/autogroup"
fi
# Until the game writes its trace, a look five times a second: the trace waits below poll
# fifty times a second, which would take processor time from the build.
while [ ! -s "$E2E_TRACE" ]; do
    e2e_assert_running "before the game started"
    (( ${EPOCHREALTIME%.*} - ${t0%.*} < limit )) || e2e_fail "no game within ${limit}s"
    sleep 0.2
done
E2E_START_MARK=0
e2e_wait_drawn                 # the first screen waits for the player, and is not black
t_menu=$EPOCHREALTIME
e2e_key_final alt+F4
e2e_expect_exit 30 0
wait "$make_log_pid" "$packages_log_pid"    # the stamped logs are complete
if [ -n "${FIRST_START_KEEP:-}" ]; then
    mkdir -p "$FIRST_START_KEEP" &&
        cp "$E2E_WORK/ready.png" "$E2E_WORK/game_stdout.txt" "$E2E_WORK/packages.txt" "$FIRST_START_KEEP/"
fi

# --- Where the time went ---
# The marks: make's own lines (the packages' one line, the configure and build commands,
# the launcher) and apt-get's in build/packages.log (the install's dependency tree after
# the package lists, its download ending with "Fetched"). Each line carries its time and
# make's processor time so far; a step's processor time is known once make has reaped it.
{
    sed 's/^/make /' "$E2E_WORK/game_stdout.txt"
    sed 's/^/apt /' "$E2E_WORK/packages.txt"
} | sort -k2,2n -s | awk -v t0="$t0" -v menu="$t_menu" -v goal="$goal" -v load="$load" \
      -v hz="$(getconf CLK_TCK)" -v niceness="$niceness" -v desktop="$desktop_packages" '
    function at(name) { if (!(name in t)) { t[name] = $2; cpu[name] = $3 } }
    $1 == "make" && $4 == "Installing"                  { at("install") }
    $1 == "make" && $4 == "cmake" && $5 == "-S"         { at("configure") }
    $1 == "make" && $4 == "cmake" && $5 == "--build"    { at("compile") }
    $1 == "make" && $4 ~ /^XDG_DATA_HOME=/              { at("start") }
    $1 == "apt" && /Building dependency tree/           { at("resolve") }
    $1 == "apt" && ("resolve" in t) && $4 == "Fetched"  { at("fetched") }
    $1 == "apt" && /newly installed/                    { packages = $6 }
    $1 == "apt" && $4 == "Need" && $5 == "to"           { size = $7 " " $8 }
    function span(what, from, to, with_cpu) {
        if (!(from in t) || !(to in t))
            return
        printf "  %-42s %7.1f s", what, t[to] - t[from]
        if (with_cpu)
            printf "   %7.1f s", (cpu[to] - cpu[from]) / hz
        printf "\n"
    }
    END {
        t["t0"] = t0; t["menu"] = menu
        printf "make play on a fresh Debian 12 tree%s, nice %d, load average %s at the start:\n",
               desktop ? " with the desktop libraries" : "", niceness, load
        printf "  %-42s %9s   %9s\n", "", "elapsed", "processor"
        span("from the start to the package install", "t0", "install")
        span("apt-get update", "install", "resolve")
        span("download (" packages " packages, " size ")", "resolve", "fetched")
        span("unpack and set up", "fetched", "configure")
        span("packages in all", "install", "configure", 1)
        span("cmake configure", "configure", "compile", 1)
        span("compile and link the game", "compile", "start", 1)
        span("launcher and game up to the first menu", "start", "menu")
        total = menu - t0
        printf "  %-42s %7.1f s  (goal %d s: %s)\n", "total", total, goal, total <= goal ? "met" : "MISSED"
    }'

# What `make test` installs besides, simulated on the same tree (nothing is downloaded).
test_packages=$(in_root make --no-print-directory -s -C /root/gobrant --eval 'print-test-install: ; @echo $(TEST_INSTALL)' print-test-install)
if in_root apt-get -s install $test_packages > "$E2E_WORK/test_packages.txt" 2>&1; then
    e2e_log "make test would install $(grep -c '^Inst ' "$E2E_WORK/test_packages.txt") more packages for: $test_packages"
else
    e2e_fail "the packages of make test do not install on Debian 12: $(tail -n 5 "$E2E_WORK/test_packages.txt")"
fi
