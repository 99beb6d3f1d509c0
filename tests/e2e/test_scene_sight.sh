# The 3-D view drawn from the cells in sight equals, pixel for pixel, the view drawn from every
# walkable cell: at 360 poses of walks through six mazes of both algorithms, steps and turns caught
# midway, on the full screen and reduced as play shows it. And it draws a small part of the cells.
source "$(dirname "$0")/lib.sh"
PROBE="$BUILD_DIR/tests/scene_probe"
[[ -x "$PROBE" ]] || fail "no scene probe at $PROBE"
start_display
cd "$(play_folder)"
"$PROBE" 6 60 "$WORK" >"$WORK/out" 2>"$WORK/err" || fail "$(cat "$WORK/out" "$WORK/err") $(ls "$WORK")"
read -r _ poses _ steps _ turns _ differing _ drawn _ walkable <"$WORK/out"
expect_eq "$poses $differing" "360 0" "poses and poses differing"
((steps >= 100 && turns >= 100)) || fail "only $steps poses mid-step and $turns mid-turn"
((drawn * 50 < walkable)) || fail "$drawn cells drawn of $walkable: the view is not cut to what is in sight"
