#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Unpacks Debian's SDL 1.2 built on SDL 2 (libsdl1.2-compat) into a directory of the build
# tree, for the end-to-end tests' second run; nothing on the system is replaced:
#   fetch_sdl12_compat.sh <directory>
# leaves <directory>/lib pointing at the directory that holds its libSDL-1.2.so.0.
set -u
dest=${1:?usage: $0 <directory>}
package=libsdl1.2-compat
[ -e "$dest/lib/libSDL-1.2.so.0" ] && exit 0
mkdir -p "$dest/download" && cd "$dest/download" || exit 1
if ! apt-get download "$package" > download.log 2>&1; then
    # A machine whose package lists were never fetched knows no package yet.
    [ "$(id -u)" = 0 ] && apt-get update -qq > /dev/null 2>&1 && apt-get download "$package" > download.log 2>&1 ||
        { echo "cannot download $package:"; cat download.log; exit 1; }
fi
rm -rf ../root && dpkg -x "$package"_*.deb ../root || exit 1
library=$(find ../root -name 'libSDL-1.2.so.0' | head -n 1)
[ -n "$library" ] || { echo "no libSDL-1.2.so.0 in $package"; exit 1; }
ln -sfn "$(cd "$(dirname "$library")" && pwd)" ../lib
echo "SDL 1.2 on SDL 2 unpacked: $(readlink ../lib)"
