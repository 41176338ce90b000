#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# web_profile.sh: where the web build's renderer spends its time in play (web_profile.mjs): the
# renderer's threads, a sampling profile of the page's main thread and a trace, each summed.
# Run as: bash bench/web_profile.sh <build dir> [web build folder] [seconds] [output folder]
# The web build folder is <build dir>/web by default (a build linked with --profiling-funcs
# names the wasm functions); the output folder, if given, keeps play.cpuprofile and
# play.trace.json for DevTools. Not part of `make test`.
set -u
BUILD_DIR=$(readlink -f "${1:?usage: $0 <build dir> [web build folder] [seconds] [output folder]}")
WEB_DIR=$(readlink -f "${2:-$BUILD_DIR/web}")
SECONDS_EACH=${3:-8}
SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
source "$SOURCE_DIR/tests/web/lib.sh"

for tool in chromium node npm python3; do
    command -v "$tool" > /dev/null || { echo "$tool is not installed"; exit 1; }
done
[ -f "$WEB_DIR/gobrant.html" ] || { echo "no $WEB_DIR/gobrant.html: build it with make web"; exit 1; }

WORK=$(mktemp -d /tmp/gobrant-web-profile.XXXXXX)
OUT_DIR=${4:-$WORK}
cleanup() {
    web_stop_server
    rm -rf "$WORK"
}
trap cleanup EXIT
mkdir -p "$OUT_DIR"

MODULES=$(web_puppeteer "$BUILD_DIR/web-test") || { echo "puppeteer-core cannot be installed"; exit 1; }
web_serve "$WEB_DIR" "$WORK/address" || { echo "the web server did not start"; exit 1; }
echo "Load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
node "$SOURCE_DIR/bench/web_profile.mjs" "$MODULES" "$WEB_URL" "$WORK/profile" "$SECONDS_EACH" "$OUT_DIR"
