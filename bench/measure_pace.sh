#!/usr/bin/env bash
# Measures the game's real frame rate on the title screen under Xvfb (swaps there never block, so
# this exercises the limiter): `bash bench/measure_pace.sh [seconds]` from the repository root.
set -euo pipefail
seconds=${1:-5}
build=${BUILD:-build}
source tests/e2e/lib.sh "$build/quarnel" .
start_display
cd "$(play_folder)"
LD_PRELOAD="$(realpath "$BUILD_DIR/libswap_probe.so")" "$GAME" 2>"$WORK/stderr" &
pid=$!
window=$(wait_for_window QUARNEL)
sleep "$seconds"
xdotool windowfocus --sync "$window"
quit_with_escape "$pid"
grep '^swaps' "$WORK/stderr"
