#!/usr/bin/env bash
# Play frame times under Xvfb with the software renderer: a generated replay of three stages,
# unpaced, at window size rate 1 and 2. Prints the --frame-stats line of each run and its peak RSS.
# Usage, from the repository root: bash bench/frame_times.sh [ALGS]   (default 1,2,1)
set -euo pipefail
algorithms=${1:-1,2,1}
build=${BUILD:-build}
source tests/e2e/lib.sh "$build/quarnel" .
start_display
cd "$(play_folder)"
"$BUILD_DIR/quarnel-maze" --seed 1 --script "$algorithms" >"$WORK/stages.txt"
for rate in 1 2; do
    echo "$rate" >QUARNEL_ini.txt
    printf 'rate %s: ' "$rate"
    /usr/bin/time -f "peak_rss_kb %M" "$GAME" --seed 1 --replay "$WORK/stages.txt" --frame-stats 2>"$WORK/err"
    grep '^peak_rss_kb' "$WORK/err"
done
