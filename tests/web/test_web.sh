#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# test_web.sh: builds the web build (web/) into BUILD_DIR/web and plays it in headless
# Chromium (web_e2e.mjs), driven by puppeteer-core from the npm registry installed into
# BUILD_DIR/web-test:  test_web.sh SOURCE_DIR BUILD_DIR. Exits 77 (skipped) only where it
# cannot run: without emscripten, Chromium, Node.js and npm, or without the npm registry.
set -u
SOURCE_DIR=$(readlink -f "$1")
BUILD_DIR=$(readlink -f "$2")
SKIP=77
export NODE_PATH=/usr/share/nodejs

for tool in emcmake chromium node npm python3; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit $SKIP; }
done

emcmake cmake -S "$SOURCE_DIR/web" -B "$BUILD_DIR/web-obj" -DCMAKE_BUILD_TYPE=Release \
    -DGOBRANT_WEB_DIR="$BUILD_DIR/web" -DGOBRANT_ICON="$BUILD_DIR/icons/32x32/apps/gobrant.png" \
    > /dev/null || exit 1
cmake --build "$BUILD_DIR/web-obj" -j 2 > "$BUILD_DIR/web-build.log" 2>&1 \
    || { tail -n 30 "$BUILD_DIR/web-build.log"; exit 1; }

MODULES="$BUILD_DIR/web-test/node_modules"
if [ ! -d "$MODULES/puppeteer-core" ]; then
    mkdir -p "$BUILD_DIR/web-test"
    PUPPETEER_SKIP_DOWNLOAD=1 npm install --prefix "$BUILD_DIR/web-test" --no-audit --no-fund \
        --loglevel=error puppeteer-core || { echo "SKIP: puppeteer-core cannot be installed"; exit $SKIP; }
fi

WORK=$(mktemp -d /tmp/gobrant-web.XXXXXX)
SERVER_PID=""
cleanup() {
    [ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2> /dev/null && wait "$SERVER_PID" 2> /dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# The server prints the page's address once it listens on its free port.
mkfifo "$WORK/address"
python3 "$SOURCE_DIR/web/serve.py" "$BUILD_DIR/web" 0 > "$WORK/address" &
SERVER_PID=$!
read -r -t 30 URL < "$WORK/address" || { echo "FAIL: the server did not start"; exit 1; }

node "$SOURCE_DIR/tests/web/web_e2e.mjs" "$MODULES" "$URL" \
    "$SOURCE_DIR/docs/screenshots/main_menu.png" "$WORK/profile"
