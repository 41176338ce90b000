#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# levels_report.sh: runs the automatic player over every shipped level and writes the
# difficulty table (docs/levels.md) with the difficulty curve along the campaign (levels.png).
#
#   levels_report.sh AUTOPLAY CONTENT_DIR DOCS_DIR [RUNS]
set -euo pipefail
autoplay=$1 content=$2 docs=$3 runs=${4:-10}
table=$(mktemp)
trap 'rm -f "$table"' EXIT
"$autoplay" "$content" --runs "$runs" > "$table" || true   # a level never cleared shows as such

# The curve may dip only a little: no level more than this many percent easier than the one
# before it. The levels that dip further are named in the table's page and fail the report.
largest_dip=10
dips=$(tail -n +2 "$table" | awk -F'\t' -v dip="$largest_dip" '
    NR > 1 && $10 < previous * (1 - dip / 100) {
        sub(/\.txt$/, "", $1); printf "%s%s (%.2f after %.2f)", sep, $1, $10, previous; sep = ", " }
    { previous = $10 }')

# The first comment line of a map: "Title: what it teaches".
about() { grep -m1 '^#' "$content/maps/$1" | sed 's/^# *//'; }

{
    echo "# The levels and how hard they are"
    echo
    echo "Written by \`make levels-report\`: the automatic player (\`tools/autoplay\`) plays every level"
    echo "of the shipped map list $runs times, with the game seeds 1 to $runs, each run within"
    echo "30,000 frames. It plays as a fair player would, through the play keys: it takes the"
    echo "nearest dot that it reaches before any enemy, flees when there is none, uses power when"
    echo "enemies close in (keeping its last charge for a corner), a decoy or the boost when"
    echo "cornered, and gives up a life when caught; caught on its last life, it walks clear of"
    echo "the enemies before it takes a knot."
    echo
    echo "*Difficulty* = minutes to clear + lives lost per run + a quarter for each power charge,"
    echo "decoy and boost used per run + 3 for every run in ten not cleared."
    echo
    echo "The campaign rises from the first level to the last with only small dips: no level"
    echo "is more than $largest_dip % easier than the one before it (the report checks it)."
    [ -z "$dips" ] || echo "**Not so now**: $dips."
    echo
    echo "![Difficulty along the campaign](levels.png)"
    echo
    echo "| # | Map | Title: what it teaches | Cleared | Median time | Catches per run | Lives lost per run | Power, decoys, boosts per run | Difficulty |"
    echo "|---|---|---|---|---|---|---|---|---|"
    n=0
    tail -n +2 "$table" | while IFS=$'\t' read -r map cleared total median catches lost power decoys boosts difficulty stuck; do
        n=$((n + 1))
        printf '| %d | %s | %s | %d/%d | %s s | %s | %s | %s, %s, %s | %s |\n' "$n" "${map%.txt}" \
            "$(about "$map")" "$cleared" "$total" "$median" "$catches" "$lost" "$power" "$decoys" \
            "$boosts" "$difficulty"
    done
} > "$docs/levels.md"

tail -n +2 "$table" | awk -F'\t' '{ sub(/\.txt$/, "", $1); print NR, $10, $1 }' > "$table.plot"
gnuplot <<PLOT
set terminal pngcairo size 1000,480 font "DejaVu Sans,10" noenhanced
set output "$docs/levels.png"
set title "Difficulty along the campaign (the automatic player, $runs runs a level)"
set xlabel "level"
set ylabel "difficulty"
set grid ytics
set xtics rotate by -45 left
set yrange [0:*]
set style fill solid 0.6
set boxwidth 0.7
plot "$table.plot" using 1:2:xtic(3) with boxes lc rgb "#3070b0" notitle, \
     "" using 1:2 smooth sbezier lw 2 lc rgb "#c03020" title "trend"
PLOT
rm -f "$table.plot"
echo "wrote $docs/levels.md and $docs/levels.png"
if [ -n "$dips" ]; then
    echo "levels more than $largest_dip % easier than the one before: $dips" >&2
    exit 1
fi
