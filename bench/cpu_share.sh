#!/usr/bin/env bash
# CPU share of the live game under Xvfb: user and system time of all its threads (the software
# renderer's included) over wall time, as a percentage of one core, on the still title screen and
# in play walked with real keys. Usage: bash bench/cpu_share.sh [SECONDS]   (default 10 each)
set -euo pipefail
seconds=${1:-10}
build=${BUILD:-build}
source tests/e2e/lib.sh "$build/quarnel" .
start_display
cd "$(play_folder)"

# Clock ticks of user and system time the process has used so far.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

share() {
    local before after start end
    before=$(cpu_ticks "$pid") start=$(date +%s%N)
    sleep "$seconds"
    after=$(cpu_ticks "$pid") end=$(date +%s%N)
    echo "$1: $(((after - before) * 1000000000 / $(getconf CLK_TCK) * 100 / (end - start)))% of a core"
}

"$GAME" 2>"$WORK/stderr" &
pid=$!
window=$(wait_for_window QUARNEL)
xdotool windowfocus --sync "$window"
sleep 2
share "still title"
xdotool keydown Return keyup Return
sleep 2
# Forward along the corridors, a left turn every second or so.
(while kill -0 "$pid" 2>/dev/null; do
    xdotool keydown Up && sleep 1 && xdotool keyup Up key Left && sleep 0.6
done) 2>/dev/null &
walker=$!
share "play"
kill "$walker"
wait "$walker" 2>/dev/null || true
xdotool keyup Up key Escape  # back to the title
sleep 0.5
quit_with_escape "$pid"
