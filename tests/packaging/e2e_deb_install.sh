#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package end to end: unpacked into a scratch root with dpkg -x, started with the
# desktop entry's command on Xvfb with a scratch home, a short game of the first shipped
# level up to the name entry; the scores and settings must land in the scratch home's game
# directory and nowhere else.
#   e2e_deb_install.sh <package file>
deb=$(readlink -f "${1:?usage: $0 <package file>}")
source "$(dirname "$0")/../e2e/lib.sh" "$deb" /
e2e_setup_scratch
root=$E2E_WORK/root
dpkg -x "$deb" "$root" || e2e_fail "dpkg -x $deb"
export HOME=$E2E_WORK/home
unset XDG_DATA_HOME
mkdir -p "$HOME" "$E2E_WORK/cwd"
E2E_CONTENT=$E2E_WORK/cwd                # the directory the desktop starts the command in
E2E_GAME=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/gobrant.desktop")
export PATH="$root/usr/games:$PATH"
tree_state() { (cd "$root" && find . -printf '%p %l %s %T@\n' | sort); }
root_before=$(tree_state)
e2e_start_x

e2e_log "a game of the first level: right along the start row, then Alt+F4 and a name"
e2e_start_game
e2e_key Return
e2e_key Right
e2e_wait_frames 100                     # about a dozen dots along the start row
e2e_key alt+F4
e2e_expect_waiting                      # the name entry waits: the score beats the tenth
e2e_erase 12
e2e_type_name "Packaged"
e2e_key_final Return
e2e_expect_exit 10 0

player=$HOME/.local/share/gobrant
grep -q '^Packaged|[0-9]*$' "$player/data/highscores.txt" ||
    e2e_fail "no score of Packaged in $player/data/highscores.txt: $(tr '\n' ' ' < "$player/data/highscores.txt")"
e2e_log "score line: $(grep "^Packaged" "$player/data/highscores.txt")"
[ -f "$player/data/gobrant.cfg" ] && [ ! -L "$player/data/gobrant.cfg" ] ||
    e2e_fail "no settings file of the player's own in $player/data"
[ "$(tree_state)" = "$root_before" ] || e2e_fail "the unpacked package changed"
[ -z "$(ls -A "$E2E_WORK/cwd")" ] || e2e_fail "files written where the game was started: $(ls -A "$E2E_WORK/cwd")"
others=$(cd "$HOME" && find . -mindepth 1 ! -path ./.local ! -path ./.local/share ! -path './.local/share/gobrant*')
[ -z "$others" ] || e2e_fail "files written in the home outside the game directory: $others"
e2e_expect_heard                        # the installed sounds, through the launcher's links
e2e_pass
