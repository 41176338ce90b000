#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a checking tool on a file, or says that the tool is missing and reports a skipped
# test (status 77):  run_tool.sh <tool> [arguments...]. What the tool leaves in its temporary
# directory (lintian's caches) goes with a scratch folder of its own.
if ! command -v "$1" > /dev/null 2>&1; then
    echo "SKIPPED: $1 is not installed (make deps installs it)"
    exit 77
fi
scratch=$(mktemp -d "${TMPDIR:-/tmp}/gobrant-tool.XXXXXX") || exit 1
TMPDIR=$scratch "$@"
status=$?
rm -rf "$scratch"
exit $status
