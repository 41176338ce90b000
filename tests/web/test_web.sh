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
source "$SOURCE_DIR/tests/web/lib.sh"

for tool in emcmake chromium node npm python3; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit $SKIP; }
done

emcmake cmake -S "$SOURCE_DIR/web" -B "$BUILD_DIR/web-obj" -DCMAKE_BUILD_TYPE=Release \
    -DGOBRANT_WEB_DIR="$BUILD_DIR/web" -DGOBRANT_ICON="$BUILD_DIR/icons/32x32/apps/gobrant.png" \
    > /dev/null || exit 1
cmake --build "$BUILD_DIR/web-obj" -j 2 > "$BUILD_DIR/web-build.log" 2>&1 \
    || { tail -n 30 "$BUILD_DIR/web-build.log"; exit 1; }

MODULES=$(web_puppeteer "$BUILD_DIR/web-test") || { echo "SKIP: puppeteer-core cannot be installed"; exit $SKIP; }

WORK=$(mktemp -d /tmp/gobrant-web.XXXXXX)
cleanup() {
    web_stop_server
    rm -rf "$WORK"
}
trap cleanup EXIT

web_serve "$BUILD_DIR/web" "$WORK/address" || { echo "FAIL: the server did not start"; exit 1; }

node "$SOURCE_DIR/tests/web/web_e2e.mjs" "$MODULES" "$WEB_URL" \
    "$SOURCE_DIR/docs/screenshots/main_menu.png" "$WORK/profile"
