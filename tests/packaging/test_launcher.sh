#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The launcher and a player's game directory, on an installation in a scratch prefix whose
# program is a stand-in that records where it runs: seeding once, the player's own files and
# lists kept across an upgrade that adds and removes shipped maps and a move of the whole
# installation, one-line failures that change nothing, one game at a time, recovery after a
# crash, --edit; and `make play`'s launcher running the real game outside the checkout.
#   test_launcher.sh <build dir> <source dir>
set -u
build=$(readlink -f "$1")
source_dir=$(readlink -f "$2")
work=$(mktemp -d /tmp/gobrant-launcher.XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
check() { local what=$1; shift; "$@" || fail "$what"; }

DESTDIR=$work/a cmake --install "$build" --prefix /usr > /dev/null || fail "cmake --install"
prefix=$work/a/usr
stand_in() {  # $1: program path; records "<directory> <arguments>", sleeps $STAND_IN_SLEEP
    printf '#!/bin/sh\necho "$(pwd) $*" >> %s/ran\nexec sleep "${STAND_IN_SLEEP:-0}"\n' "$work" > "$1"
    chmod 755 "$1"
}
stand_in "$prefix/lib/games/gobrant/gobrant"
rm -f "$prefix/lib/games/gobrant/gobrant-editor"   # --edit without an editor first; a stand-in later
export XDG_DATA_HOME=$work/home
player=$XDG_DATA_HOME/gobrant
shipped=$prefix/share/games/gobrant
launch() { "$prefix/games/gobrant" "$@" 2> "$work/err"; }
names() { grep -v '^#' "$1" | tr '\n' ' '; }
# Fails unless the last launch ended with status 1 and one line on stderr saying $1.
expect_failure() {
    local rc=$1 want=$2
    [ "$rc" = 1 ] || fail "status $rc, expected 1 ($want)"
    [ "$(wc -l < "$work/err")" = 1 ] && grep -q "^gobrant: .*$want" "$work/err" ||
        fail "stderr is not one line about '$want': $(cat "$work/err")"
}
snapshot() { (cd "$player" && find . -printf '%p %l\n' | sort && find . -type f -exec md5sum {} + | sort); }

echo "--version: the launcher and the program name the project's version"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
check "launcher --version" test "$(launch --version)" = "gobrant $version"
check "program --version" test "$("$build/gobrant" --version)" = "gobrant $version"
check "the ran file is untouched by --version" test ! -e "$work/ran"
check "README installed" test -f "$prefix/share/doc/gobrant/README.md"

echo "first start: own settings and scores, shipped content through links"
check "first launch" launch
check "the game ran in the player's directory" grep -qx "$player " "$work/ran"
check "settings seeded" cmp -s "$player/data/gobrant.cfg" "$shipped/data/gobrant.cfg"
check "settings are a file of the player's" test ! -L "$player/data/gobrant.cfg"
check "a shipped map is a link" test "$(readlink -f "$player/maps/level01.txt")" = "$shipped/maps/level01.txt"
check "map list seeded" cmp -s "$player/maps/AAA_maplist.txt" "$shipped/maps/AAA_maplist.txt"

echo "the player's changes; an upgrade adds level09, a skin and a language and drops level08; the tree moves"
echo "TIMER: 20" > "$player/data/gobrant.cfg"
echo "mine" > "$player/maps/mine.txt"
sed -i '/^level03.txt$/d' "$player/maps/AAA_maplist.txt"
echo "mine.txt" >> "$player/maps/AAA_maplist.txt"
mkdir "$player/skins/own" && echo own >> "$player/skins/skins.txt"
cp "$shipped/maps/level01.txt" "$shipped/maps/level09.txt"
sed -i 's/^level08.txt$/level09.txt/' "$shipped/maps/AAA_maplist.txt"
rm "$shipped/maps/level08.txt"
# The configuration stores the chosen skin and language by their places in the lists.
place() { grep -v -e '^#' -e '^$' "$1" | grep -n -x -F "$2" | cut -d: -f1; }
skin_place=$(place "$player/skins/skins.txt" circuit) language_place=$(place "$player/data/texts.txt" en)
mkdir "$shipped/skins/forest" && sed -i 's/^circuit$/forest\ncircuit/' "$shipped/skins/skins.txt"
touch "$shipped/data/texts/meadow_de.txt" && sed -i 's/^en$/de\nen/' "$shipped/data/texts.txt"
mv "$work/a" "$work/b"
prefix=$work/b/usr shipped=$work/b/usr/share/games/gobrant
check "launch after the upgrade" launch
check "settings kept" test "$(cat "$player/data/gobrant.cfg")" = "TIMER: 20"
got=$(names "$player/maps/AAA_maplist.txt")
want="$(names "$shipped/maps/AAA_maplist.txt" | sed 's/level03.txt //')mine.txt "
check "map list merged: got '$got'" test "$got" = "$want"
check "own skin listed" grep -qx own "$player/skins/skins.txt"
check "new skin and language listed" grep -qx forest "$player/skins/skins.txt"
check "new language listed" grep -qx de "$player/data/texts.txt"
check "the chosen skin keeps its place" test "$(place "$player/skins/skins.txt" circuit)" = "$skin_place"
check "the chosen language keeps its place" test "$(place "$player/data/texts.txt" en)" = "$language_place"
check "new map linked" test "$(readlink -f "$player/maps/level09.txt")" = "$shipped/maps/level09.txt"
check "dropped map unlinked" test ! -L "$player/maps/level08.txt"
check "links follow the moved tree" test -z "$(find "$player" -xtype l)"
check "own map kept" test "$(cat "$player/maps/mine.txt")" = mine

echo "failures: one line, status 1, nothing changed"
before=$(snapshot)
touch "$work/file"
XDG_DATA_HOME=$work/file/sub launch; expect_failure $? "cannot write"
mv "$shipped" "$work/away"
launch; expect_failure $? "content is missing"
mv "$work/away" "$shipped"
launch --edit; expect_failure $? "map editor is not installed"
(cd "$work" && XDG_DATA_HOME= HOME=rel launch); expect_failure $? "HOME is not an absolute path"
(cd "$work" && XDG_DATA_HOME=rel HOME=$work/home2 launch); expect_failure $? "XDG_DATA_HOME is not an absolute path"
check "nothing made for a relative home" test ! -e "$work/rel" -a ! -e "$work/home2"
check "nothing changed by the failures" test "$before" = "$(snapshot)"

echo "one game at a time; a crashed game or set-up leaves nothing in the way"
STAND_IN_SLEEP=30 "$prefix/games/gobrant" &
first=$!
for i in $(seq 50); do [ "$(wc -l < "$work/ran")" = 3 ] && break; sleep 0.1; done
launch; expect_failure $? "already running"
kill -KILL "$first"; wait "$first" 2>/dev/null
echo "half" > "$player/.launcher/tmp.999.list"
for f in maps/castle.new1.txt data/scores.new2024.bak skins/theme.new2.txt; do echo mine > "$player/$f"; done
echo castle.new1.txt >> "$player/maps/AAA_maplist.txt"
check "launch after a crash" launch
check "crash leftovers cleared" test ! -e "$player/.launcher/tmp.999.list"
for f in maps/castle.new1.txt data/scores.new2024.bak skins/theme.new2.txt; do
    check "the player's $f kept" test "$(cat "$player/$f")" = mine
done
check "settings whole" test "$(cat "$player/data/gobrant.cfg")" = "TIMER: 20"

echo "the player's own links, dangling or not, are left alone"
mkdir -p "$work/own/skin" && echo own > "$work/own/level01.txt"
ln -sfn "$work/own/level01.txt" "$player/maps/level01.txt"
rm "$player/skins/meadow" && ln -s "$work/own/skin" "$player/skins/meadow"
ln -s /nonexistent/usb.txt "$player/maps/usb.txt"
rm "$player/data/highscores.txt" && ln -s /nonexistent/scores.txt "$player/data/highscores.txt"
links() { (cd "$player" && readlink maps/level01.txt skins/meadow maps/usb.txt data/highscores.txt); }
own_links=$(links)
check "launch with the player's links" launch
check "the player's links kept: $(links)" test "$(links)" = "$own_links"
rm "$player/maps/level01.txt" "$player/skins/meadow" "$player/maps/usb.txt" "$player/data/highscores.txt"
check "launch after the player's links went" launch
check "shipped links back" test "$(readlink -f "$player/maps/level01.txt")" = "$shipped/maps/level01.txt"

echo "--edit runs the editor in the player's directory with the map"
stand_in "$prefix/lib/games/gobrant/gobrant-editor"
mkdir -p "$work/cwd/sub" && touch "$work/cwd/sub/x.txt"
(cd "$work/cwd" && launch --edit sub/x.txt); expect_failure $? "not a path: sub/x.txt"
launch --edit mine.txt || fail "--edit mine.txt"
check "editor with a map name" test "$(tail -n 1 "$work/ran")" = "$player mine.txt"

echo "a backslash in the player's directory keeps the lists merging"
back=$work/back\\tab
XDG_DATA_HOME=$back launch || fail "launch in $back"
echo level10.txt >> "$shipped/maps/AAA_maplist.txt"
XDG_DATA_HOME=$back launch || fail "second launch in $back"
check "the new map merged in $back" grep -qx level10.txt "$back/gobrant/maps/AAA_maplist.txt"

echo "make play's launcher: the real game in a player directory, the checkout untouched"
content_state() { (cd "$source_dir/content" && find . -type f -exec md5sum {} + | sort); }
content_before=$(content_state)
mkdir -p "$work/play/gobrant/data" && cp "$source_dir/content/data/gobrant.cfg" "$work/play/gobrant/data/"
touch -d @0 "$work/play/gobrant/data/gobrant.cfg" && touch "$work/started"
XDG_DATA_HOME=$work/play GOBRANT_TRACE_FILE=$work/trace SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$build/play/gobrant" > "$work/play.out" 2>&1 &
game=$!
# The launcher hands its process over to the game; SDL then turns SIGTERM into a quit event.
# It is ready for the request once its main menu polls the empty queue (the game's trace).
for i in $(seq 100); do [ "$(readlink "/proc/$game/exe")" = "$build/gobrant" ] && break; sleep 0.1; done
for i in $(seq 300); do grep -q '^idle$' "$work/trace" 2>/dev/null && break; sleep 0.1; done
kill -TERM "$game"; wait "$game"; rc=$?
check "the game ended with 0 on a close request (status $rc): $(cat "$work/play.out")" test "$rc" = 0
check "the game wrote its settings in the player's directory" test "$work/play/gobrant/data/gobrant.cfg" -nt "$work/started"
check "the checkout's content is unchanged" test "$content_before" = "$(content_state)"
echo PASS
