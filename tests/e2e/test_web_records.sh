# The browser build (make web) plays a short stage live on key taps: its result line is the stage's,
# the total becomes the record kept in IndexedDB and shown as the BEST line on the next title and
# after a reload, and the run the page's button downloads replays on the desktop to the same result
# line. Skipped (77) without build-web/.
source "$(dirname "$0")/lib.sh"
WEB=${QUARNEL_WEB_BUILD:-$SOURCE/build-web}
[[ -f "$WEB/quarnel.wasm" ]] || { echo "no web build in $WEB (make web)"; exit 77; }
SEED=2890  # a short first stage: 114 steps and 15 turns with DadiZider 1

"$BUILD_DIR/quarnel-maze" --seed $SEED --script 1 | awk '/^31 / { print $2 }' >"$WORK/moves.txt"
mkdir -p "$WORK/web"
node "$SOURCE/tests/web/page.mjs" stage "$WEB" $SEED "$WORK/moves.txt" "$WORK/web" || fail "the live stage in the browser"
result=$(grep '^result ' "$WORK/web/report.txt")
[[ $result == *" steps=114 "*" distance=50.0 "* ]] || fail "the live walk's result line: $result"
total=${result##*total=}
grep -q "^algorithm=1 total=$total distance=50.0 .* steps=114 route=114 date=$(date +%F)\$" "$WORK/web/records.txt" ||
    fail "the records file does not hold the stage: $(cat "$WORK/web/records.txt")"

start_display
cd "$(play_folder)"
"$GAME" --replay "$WORK/web/quarnel-run.txt" --report >"$WORK/desktop.txt" 2>"$WORK/stderr" ||
    fail "the desktop's replay of the browser's run: $(cat "$WORK/stderr")"
expect_eq "$(cat "$WORK/desktop.txt")" "$result" "the desktop's result line of the browser's run"
echo "ok"
