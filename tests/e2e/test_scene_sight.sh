# The 3-D view drawn from the cells in sight equals, pixel for pixel, the view drawn from every
# walkable cell, drawing a small part of them: at 180 poses of walks through six mazes of both
# algorithms, full and reduced as play shows it, and at every frame of a step each way and a quarter
# turn each way in every facing, where mid-step the eye stands on the side between two cells. The
# reduced view is drawn at its own size, not shrunk from the full picture: it differs from the full
# picture taken by the nearest pixel, but only as sampling at each pixel's own centre does, at most
# 4 of 255 per channel on average.
source "$(dirname "$0")/lib.sh"
PROBE="$BUILD_DIR/tests/scene_probe"
[[ -x "$PROBE" ]] || fail "no scene probe at $PROBE"
start_display
cd "$(play_folder)"
"$PROBE" 6 30 2 >"$WORK/out" 2>"$WORK/err" || fail "$(cat "$WORK/out" "$WORK/err")"
read -r _ poses _ differing _ drawn _ walkable _ reduced _ part <"$WORK/out"
# 2 mazes x 4 facings x (2 steps + 2 turns) x 30 frames after the walks' poses.
expect_eq "$poses $differing" "$((6 * 30 + 2 * 4 * 4 * 30)) 0" "poses and poses differing"
((drawn * 50 < walkable)) || fail "$drawn cells drawn of $walkable: the view is not cut to what is in sight"
awk -v r="$reduced" 'BEGIN { exit !(r > 0 && r < 4) }' || fail "the reduced view is $reduced on average from the full one by the nearest pixel (0: shrunk, not drawn at its size)"
expect_eq "$part" 0 "poses whose copy drawn in part differs from the screen"
