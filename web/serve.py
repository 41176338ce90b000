#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# serve.py: serves the web build's folder on 127.0.0.1 and prints the page's address once
# the server listens:  serve.py FOLDER [PORT]  (port 0: any free port).
import functools
import http.server
import sys

PAGE = "gobrant.html"


class Handler(http.server.SimpleHTTPRequestHandler):
    # The wasm file must be served as such for the browser to compile it while it loads.
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".data": "application/octet-stream"}

    def log_message(self, format, *args):
        pass


def main():
    folder = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 8000
    handler = functools.partial(Handler, directory=folder)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"http://127.0.0.1:{server.server_address[1]}/{PAGE}", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
