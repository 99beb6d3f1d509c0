#!/usr/bin/env bash
# Measures the game's real pace under Xvfb (swaps there never block, so this exercises the limiter):
# passes of the still title's loop a second, which presents nothing new and so hardly swaps.
# `bash bench/measure_pace.sh [seconds]` from the repository root.
set -euo pipefail
seconds=${1:-5}
build=${BUILD:-build}
source tests/e2e/lib.sh "$build/quarnel" .
start_display
cd "$(play_folder)"
LD_PRELOAD="$(realpath "$BUILD_DIR/libswap_probe.so")" "$GAME" 2>"$WORK/stderr" &
pid=$!
window=$(wait_for_window QUARNEL)
xdotool windowfocus --sync "$window"
sleep "$seconds"
quit_with_escape "$pid"
echo "still title: $(grep '^passes' "$WORK/stderr"), $(grep '^swaps_total' "$WORK/stderr")"
