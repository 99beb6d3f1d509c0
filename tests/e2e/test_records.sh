# A stage played live on real key taps with --record, then replayed from the recording: the same result
# line and the same pictures. The stage's total becomes DadiZider 1's record, saved beside the
# DadiZider 2 record the player had and shown on the next title; the replay shows the recorded
# run's titles, whatever the file holds now, and leaves the file alone. The browser build replays
# the recording to the same result line.
source "$(dirname "$0")/lib.sh"
start_display
cd "$(play_folder)"
SEED=2890  # a short first stage: 114 steps and 15 turns with DadiZider 1
RECORDS="$XDG_DATA_HOME/quarnel/records.txt"
OLD_RECORD="algorithm=2 total=51.2 distance=25.6 time=25.6 time_ms=300000 steps=300 route=150 date=2025-01-01"
mkdir -p "$(dirname "$RECORDS")"
echo "$OLD_RECORD" >"$RECORDS"

# The moves of the walk along the measured route: up, left or right.
"$BUILD_DIR/quarnel-maze" --seed $SEED --script 1 | awk '/^31 / { print $2 }' >"$WORK/moves.txt"

# The first tick after tick AFTER in which the game saw KEY, once there is one.
tick_seeing() { await "the game never saw $1" alive_and "$pid" seen "$@" && echo "$TICK"; }
seen() {
    TICK=$(awk -v key="$1" -v after="$2" '/^[0-9]+ / { if (t >= after && $2 == key) { print t + 1; exit } t += $1 }' \
        "$WORK/run.txt")
    [[ -n "$TICK" ]]
}

# Taps each move's key once the move before has ended, timed on the game's ticks: a tap counts for
# one tick, and a move starts in the tick that sees it and takes 31.
walk() {
    local key ticks moved=-100
    while read -r key; do
        wait_for_tick $((moved + 30))
        ticks=$(ticks_played)
        xdotool keydown "${key^}" keyup "${key^}"
        moved=$(tick_seeing "$key" "$ticks")
    done <"$WORK/moves.txt"
    wait_for_tick $((moved + 35))
}

"$GAME" --seed $SEED --record "$WORK/run.txt" --report >"$WORK/live.txt" 2>"$WORK/stderr" &
pid=$!
window=$(wait_for_window QUARNEL)
xdotool windowfocus --sync "$window"
wait_for_tick 30
x_window grab "$window" "$WORK/live_title1.png"
xdotool key Return
wait_for_tick $(($(ticks_played) + 20))  # play has started
walk
for picture in goal review; do  # Return leaves the goal picture, then the route review
    xdotool key Return
    wait_for_tick $(($(ticks_played) + 5))
done
await "no result line: the walk did not reach the exit" alive_and "$pid" test -s "$WORK/live.txt"
wait_for_tick $(($(ticks_played) + 5))  # the score panel shown
x_window grab "$window" "$WORK/live_score.png"
xdotool key Return
wait_for_tick $(($(ticks_played) + 30))
x_window grab "$window" "$WORK/live_title2.png"
quit_with_escape "$pid"
[[ ! -s "$WORK/stderr" ]] || fail "the game complained: $(cat "$WORK/stderr")"
read -r steps distance total < <(sed -E 's/.* steps=([0-9]+) .* distance=([0-9.]+) .* total=([0-9.]+)$/\1 \2 \3/' "$WORK/live.txt")
expect_eq "$steps $distance" "114 50.0" "steps and distance score of the live walk"
grep -q "^algorithm=1 total=$total distance=50.0 .* steps=114 route=114 date=$(date +%F)\$" "$RECORDS" ||
    fail "the records file does not hold the stage: $(cat "$RECORDS")"
grep -qx "$OLD_RECORD" "$RECORDS" || fail "the other algorithm's record is gone: $(cat "$RECORDS")"

# The replay, with pictures taken where the live ones were grabbed: the first title, the score panel
# (after the second Return following the walk) and the title of stage 2 (before the last line).
cp "$RECORDS" "$WORK/records_before"
awk -v w="$WORK" '
    /^[0-9]+ / && !titled { print; print "shot " w "/replay_title1.png"; titled = 1; next }
    /^[0-9]+ / { if ($2 ~ /up|left|right/) walked = 1; ret = $2 ~ /return/; if (walked && ret && !was_ret) ++returns; was_ret = ret }
    { print }
    walked && returns == 2 && was_ret && !shot { print "shot " w "/replay_score.png"; shot = 1 }
' "$WORK/run.txt" | sed '$i shot '"$WORK"'/replay_title2.png' >"$WORK/replay.txt"
rc=0
"$GAME" --replay "$WORK/replay.txt" --report >"$WORK/replayed.txt" 2>"$WORK/stderr" || rc=$?
expect_eq "$rc" 0 "exit code of the replay"
diff -u "$WORK/live.txt" "$WORK/replayed.txt" || fail "the replay's result line differs from the live one"
for picture in title1 score title2; do
    expect_eq "$("$PNG_PROBE" "$WORK/live_$picture.png" diff "$WORK/replay_$picture.png")" 0 "pixels of the $picture differing"
done
cmp -s "$RECORDS" "$WORK/records_before" || fail "the replay changed the records file"

# The browser build, where make web built one, replays the desktop's recording to the same line.
WEB=${QUARNEL_WEB_BUILD:-$SOURCE/build-web}
if [[ -f "$WEB/quarnel.wasm" ]]; then
    mkdir -p "$WORK/web"
    node "$SOURCE/tests/web/page.mjs" replay "$WEB" "$WORK/run.txt" "$WORK/web" || fail "the browser's replay of the run"
    diff -u "$WORK/live.txt" "$WORK/web/report.txt" || fail "the browser's replay of the run gives another result line"
fi

# The next run's first title shows the records as the second title of the recorded run did; the
# first title of that run showed DadiZider 2's alone.
BEST_LINE=0,336,800,24
"$GAME" 2>"$WORK/stderr" &
pid=$!
window=$(wait_for_window QUARNEL)
expect_picture live_title2 "the next title's BEST line" $BEST_LINE
xdotool windowfocus --sync "$window"
quit_with_escape "$pid"
[[ "$("$PNG_PROBE" "$WORK/grab.png" diff "$WORK/live_title1.png" $BEST_LINE)" != 0 ]] ||
    fail "the BEST line does not show the new record"
[[ "$("$GAME" --records)" == "DadiZider 1: total $total (distance 50.0, "* ]] || fail "--records: $("$GAME" --records)"

# --records only reads: a damaged file (a total no stage can score) is said and left in place.
echo "${OLD_RECORD/total=51.2/total=100.1}" >"$RECORDS"
[[ "$("$GAME" --records 2>"$WORK/stderr")" == "no records yet" && -s "$WORK/stderr" ]] || fail "--records on damage"
[[ -f "$RECORDS" && ! -e "$RECORDS.bad" ]] || fail "--records set the damaged file aside"
echo "ok"
