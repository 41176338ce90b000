# SPDX-License-Identifier: GPL-3.0-or-later
# lib.sh: what the web test and the web benchmark share: puppeteer-core from the npm registry
# in a folder of the build, and the web build served on a free local port. Sourced by
# tests/web/test_web.sh and bench/web_bench.sh.

export NODE_PATH=/usr/share/nodejs
WEB_SERVER_PID=""
WEB_URL=""

# Installs puppeteer-core into $1 (no browser is downloaded: Debian's Chromium drives the
# page) unless it is there already; prints its modules folder. Fails without the registry.
web_puppeteer() {
    if [ ! -d "$1/node_modules/puppeteer-core" ]; then
        mkdir -p "$1"
        PUPPETEER_SKIP_DOWNLOAD=1 npm install --prefix "$1" --no-audit --no-fund \
            --loglevel=error puppeteer-core >&2 || return 1
    fi
    echo "$(readlink -f "$1")/node_modules"
}

# Serves the folder $1 with web/serve.py on a free port of 127.0.0.1; sets WEB_URL to the
# page's address once the server listens (it prints it then, through the fifo $2).
web_serve() {
    mkfifo "$2"
    python3 "$(dirname "${BASH_SOURCE[0]}")/../../web/serve.py" "$1" 0 > "$2" &
    WEB_SERVER_PID=$!
    read -r -t 30 WEB_URL < "$2"
}

web_stop_server() {
    [ -n "$WEB_SERVER_PID" ] && kill "$WEB_SERVER_PID" 2> /dev/null && wait "$WEB_SERVER_PID" 2> /dev/null
    WEB_SERVER_PID=""
}
