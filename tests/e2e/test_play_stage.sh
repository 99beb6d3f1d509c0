# A whole stage as a player meets it: the title, a walk along the measured route of stage 1 from
# seed 1 with DadiZider 1, the three result pictures left with Return, then the title of stage 2.
source "$(dirname "$0")/lib.sh"
start_display
cd "$(play_folder)"

"$BUILD_DIR/quarnel-maze" --seed 1 --script 1 --shots "$WORK/s" >"$WORK/walk.txt"
rc=0
"$GAME" --seed 1 --replay "$WORK/walk.txt" --report >"$WORK/report.txt" 2>"$WORK/stderr" || rc=$?
expect_eq "$rc" 0 "exit code"
diff -u "$SOURCE/tests/e2e/golden/seed1_stage1_dadizider1.txt" "$WORK/report.txt" || fail "result line differs"

# Walking the route exactly: as many steps as the route is long, full distance score.
read -r route steps distance < <(sed -E 's/.* route=([0-9]+) .* steps=([0-9]+) .* distance=([0-9.]+) .*/\1 \2 \3/' "$WORK/report.txt")
expect_eq "$steps" "$route" "steps against the route length"
expect_eq "$distance" "50.0" "distance score"

# Play frame after the first step: the dark grey layout, the trail on the map (the entrance above
# the player and the corner of the player's cell, beside the arrow), the 3-D view at the top left.
play="$WORK/s1_play.png"
expect_eq "$("$PNG_PROBE" "$play" 5,5 533,100 672,140 668,155)" $'333333\n333333\n00FFFF\n00FFFF' "play frame layout"
[[ "$("$PNG_PROBE" "$play" 272,144)" != "333333" ]] || fail "no 3-D view in the play frame"
# Review map: frame red, route cyan at the start room, exit cyan.
expect_eq "$("$PNG_PROBE" "$WORK/s1_review.png" 3,3 17,17 556,269)" $'FF0000\n00FFFF\n00FFFF' "review map colours"
# Score panel: the grey box with white text on it.
expect_eq "$("$PNG_PROBE" "$WORK/s1_score.png" 125,45)" "808080" "score panel"
(($(count_colour "$WORK/s1_score.png" FFFFFF) > 300)) || fail "no white text on the score panel"
# Back on the title, now for stage 2: the same picture but for the stage number.
cmp -s "$WORK/s1_title.png" "$WORK/send_title.png" && fail "the title after the stage still shows stage 1"
expect_eq "$("$PNG_PROBE" "$WORK/send_title.png" 400,100)" "$("$PNG_PROBE" "$WORK/s1_title.png" 400,100)" "title picture"
echo "ok"
