#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# make_deb.sh: builds the Debian package from a built tree:
#   packaging/make_deb.sh <build dir> <output dir>
# installs the build under /usr into a staging root, adds the package's documents and
# control files, and packs gobrant_<version>_<arch>.deb into the output directory.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(readlink -f "${1:?usage: $0 <build dir> <output dir>}")
mkdir -p "${2:?usage: $0 <build dir> <output dir>}"
out=$(readlink -f "$2")

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "make_deb: no project version in $build" >&2; exit 1; }
arch=$(dpkg --print-architecture)
maintainer=$(sed -n 's/^Maintainer: //p' "$here/control.in")

work=$(mktemp -d /tmp/gobrant-deb.XXXXXX)
trap 'rm -rf "$work"' EXIT
root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr --strip > "$work/install.log"
strip --remove-section=.comment --remove-section=.note "$root"/usr/lib/games/gobrant/*

# The package's own documents: the README (installed by the build), the licence terms
# and a compressed changelog.
doc=$root/usr/share/doc/gobrant
mkdir -p "$doc"
gzip -9n "$doc/README.md"
cp "$here/copyright" "$doc/copyright"
date=$(git -C "$here" log -1 --format=%aD 2>/dev/null || date -R)
{
    echo "gobrant ($version) unstable; urgency=medium"
    echo
    fold -s -w 74 "$here/changes.txt" | sed -e '1s/^/  * /' -e '2,$s/^/    /' -e 's/ *$//'
    echo
    echo " -- $maintainer  $date"
} | gzip -9n > "$doc/changelog.gz"
gzip -9n "$root"/usr/share/man/man6/*.6
mkdir -p "$root/usr/share/lintian/overrides"
grep -v '^#' "$here/lintian-overrides" > "$root/usr/share/lintian/overrides/gobrant"

# Plain permissions whatever the umask: directories and programs 755, the rest 644.
find "$root" -type d -exec chmod 755 {} +
find "$root" -type f -exec chmod 644 {} +
chmod 755 "$root"/usr/games/* "$root"/usr/lib/games/gobrant/*

# The shared libraries the programs need, as Debian names them (dpkg-shlibdeps reads a
# control file of the source, which it only needs to exist).
mkdir -p "$work/debian"
printf 'Source: gobrant\n\nPackage: gobrant\nArchitecture: any\n' > "$work/debian/control"
depends=$(cd "$work" && dpkg-shlibdeps -O -e root/usr/lib/games/gobrant/* 2> "$work/shlibdeps.log" |
          sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "make_deb: dpkg-shlibdeps found no libraries" >&2; cat "$work/shlibdeps.log" >&2; exit 1; }

mkdir -p "$root/DEBIAN"
size=$(du -s -k "$root/usr" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@SIZE@/$size/" -e "s/@DEPENDS@/$depends/" \
    "$here/control.in" > "$root/DEBIAN/control"
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) > "$root/DEBIAN/md5sums"
chmod 644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"

deb=$out/gobrant_${version}_${arch}.deb
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" > /dev/null
echo "$deb"
