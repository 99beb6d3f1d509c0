# The 3-D view drawn from the cells in sight equals, pixel for pixel, the view drawn from every
# walkable cell: at 360 poses of walks through six mazes of both algorithms, steps and turns caught
# midway, on the full screen and reduced as play shows it. And it draws a small part of the cells.
# The reduced view, drawn straight at its size, differs from the full picture taken by the nearest
# pixel only as sampling at each pixel's own centre does (edges move by under a pixel, textures are
# read a little aside): at most 4 of 255 per channel on average over a view.
source "$(dirname "$0")/lib.sh"
PROBE="$BUILD_DIR/tests/scene_probe"
[[ -x "$PROBE" ]] || fail "no scene probe at $PROBE"
start_display
cd "$(play_folder)"
"$PROBE" 6 60 >"$WORK/out" 2>"$WORK/err" || fail "$(cat "$WORK/out" "$WORK/err")"
read -r _ poses _ steps _ turns _ differing _ drawn _ walkable _ reduced _ part <"$WORK/out"
expect_eq "$poses $differing" "360 0" "poses and poses differing"
((steps >= 100 && turns >= 100)) || fail "only $steps poses mid-step and $turns mid-turn"
((drawn * 50 < walkable)) || fail "$drawn cells drawn of $walkable: the view is not cut to what is in sight"
awk -v r="$reduced" 'BEGIN { exit !(r < 4) }' || fail "the reduced view differs from the full one by $reduced on average"
expect_eq "$part" 0 "poses whose copy drawn in part differs from the screen"
