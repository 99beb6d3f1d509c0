#!/usr/bin/env bash
# Start-up: milliseconds from launching the game to its first picture presented, and the peak RSS
# of a short run, each over five runs under Xvfb. Usage: bash bench/startup.sh
set -euo pipefail
build=${BUILD:-build}
source tests/e2e/lib.sh "$build/quarnel" .
start_display
cd "$(play_folder)"
printf '30 -\n1 escape\n' >"$WORK/title.txt"
probe=$(realpath "${PROBES:-$BUILD_DIR}/libswap_probe.so")  # an older build may lack it
for run in 1 2 3 4 5; do
    start=$(date +%s%N)
    LD_PRELOAD="$probe" /usr/bin/time -f "peak_rss_kb %M" "$GAME" --replay "$WORK/title.txt" 2>"$WORK/err"
    first=$(awk '/^first_swap_unix_ns/ {print $2}' "$WORK/err")
    rss=$(awk '/^peak_rss_kb/ {print $2}' "$WORK/err")
    echo "run $run: first picture after $(((first - start) / 1000000)) ms, peak RSS $((rss / 1024)) MiB"
done
