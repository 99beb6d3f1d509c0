#!/usr/bin/env bash
# Measures the game's real pace under Xvfb (swaps there never block, so this exercises the limiter):
# on the still title, passes of its loop a second (it presents nothing new, so it hardly swaps),
# then in play, standing still, swaps a second. `bash bench/measure_pace.sh [seconds]` from the
# repository root.
set -euo pipefail
seconds=${1:-5}
build=${BUILD:-build}
source tests/e2e/lib.sh "$build/quarnel" .
start_display
cd "$(play_folder)"

start_game() {
    LD_PRELOAD="$(realpath "$BUILD_DIR/libswap_probe.so")" "$GAME" 2>"$WORK/stderr" &
    pid=$!
    window=$(wait_for_window QUARNEL)
    xdotool windowfocus --sync "$window"
}

start_game
sleep "$seconds"
quit_with_escape "$pid"
echo "still title: $(grep '^passes' "$WORK/stderr"), $(grep '^swaps_total' "$WORK/stderr")"
start_game
sleep 1
xdotool keydown Return keyup Return
sleep "$seconds"
xdotool key Escape  # back to the title
sleep 0.5
quit_with_escape "$pid"
echo "play: $(grep '^swaps ' "$WORK/stderr")"
