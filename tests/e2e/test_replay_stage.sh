# A whole stage replayed as a player meets it: the title, a walk along the measured route of stage 1
# from seed 1 with DadiZider 1, the goal picture, the route review and the score panel. The result
# line is compared with a golden one and the pictures are checked where they matter; closing the
# window on the score panel ends the game with 0; --frame-stats reports the play.
source "$(dirname "$0")/lib.sh"
start_display
cd "$(play_folder)"

# Stay on the score panel instead of leaving it: cut the script after its picture.
"$BUILD_DIR/quarnel-maze" --seed 1 --script 1 --shots "$WORK/s" | sed "/s1_score.png/q" >"$WORK/walk.txt"
printf '1000000000 -\n' >>"$WORK/walk.txt"
"$GAME" --seed=1 --replay "$WORK/walk.txt" --report --frame-stats >"$WORK/report.txt" 2>"$WORK/stderr" &
pid=$!
PATIENCE=1200 await "no result line" alive_and "$pid" test -s "$WORK/report.txt"  # a walk of 6000 frames
x_window close "$(wait_for_window QUARNEL)"
wait_exit "$pid"
expect_eq "$EXIT_RC" 0 "exit code after closing the window on the score panel"
[[ ! -s "$WORK/stderr" ]] || fail "the game complained: $(cat "$WORK/stderr")"
diff -u "$SOURCE/tests/e2e/golden/seed1_stage1_dadizider1.txt" <(head -n 1 "$WORK/report.txt") ||
    fail "result line differs"
# At least a frame per step of the walk, and few GL draws each.
stats=$(tail -n 1 "$WORK/report.txt")
[[ "$stats" =~ ^frames\ ([0-9]+)\ p50_ms\ [0-9.]+\ p99_ms\ [0-9.]+\ max_ms\ [0-9.]+\ max_after_1s_ms\ [0-9.]+\ draws_per_frame\ ([0-9.]+)$ ]] ||
    fail "frame stats line: $stats"
((BASH_REMATCH[1] >= 190 * 31)) || fail "frame stats count ${BASH_REMATCH[1]} play frames"
((${BASH_REMATCH[2]%.*} <= 30)) || fail "frame stats count ${BASH_REMATCH[2]} draws a frame"

# The title: black ground, white text.
expect_pixels "$WORK/s1_title.png" 10,390=000000 790,390=000000
(($(count_colour "$WORK/s1_title.png" FFFFFF) > 300)) || fail "too little white text on the title"
# Play after the first step: the dark grey layout, the trail on the map (the entrance above the
# player and the corner of the player's cell, beside the arrow), the 3-D view at the top left.
expect_pixels "$WORK/s1_play.png" 5,5=333333 533,100=333333 672,140=00FFFF 668,155=00FFFF
[[ "$("$PNG_PROBE" "$WORK/s1_play.png" 272,144)" != 333333 ]] || fail "no 3-D view in the play frame"
# The goal image over the last play frame, which still shows around it. (The image lies at 149,60;
# its pixel 100,50 is opaque, its corner 20,20 the transparent colour.)
expect_pixels "$WORK/s1_goal.png" "249,110=$("$PNG_PROBE" "$SOURCE/res/goal.png" 100,50)" 5,5=333333
[[ "$("$PNG_PROBE" "$WORK/s1_goal.png" 169,80)" != 00FF00 ]] || fail "the goal image's transparent colour is drawn"
# Review map: red frame, cyan route at the start room and at the exit.
expect_pixels "$WORK/s1_review.png" 3,3=FF0000 17,17=00FFFF 556,269=00FFFF
# Score panel: the grey box with white text on it, over the last play frame.
expect_pixels "$WORK/s1_score.png" 125,45=808080 5,5=333333
(($(count_colour "$WORK/s1_score.png" FFFFFF) > 300)) || fail "no white text on the score panel"
echo "ok"
