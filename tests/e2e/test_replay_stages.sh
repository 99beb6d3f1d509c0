# Two stages in one run from seed 1174: stage 1 with DadiZider 1, given up with E after three moves,
# then stage 2 with DadiZider 2 walked along its measured route to the result. The result line is
# compared with a golden file and the pictures are checked where they matter. The run then waits on
# the score panel, and closing the window there ends the game with 0 within a second.
source "$(dirname "$0")/lib.sh"
start_display
cd "$(play_folder)"

"$BUILD_DIR/quarnel-maze" --seed 1174 --script 1,2 --shots "$WORK/s" | shorten_stages 3 1 >"$WORK/walk.txt"
# Stay on the score panel of stage 2 instead of leaving it: cut the script after its picture.
sed -i "/s2_score.png/q" "$WORK/walk.txt"
printf '1000000000 -\n1000000000 -\n1000000000 -\n' >>"$WORK/walk.txt"

"$GAME" --seed 1174 --replay "$WORK/walk.txt" --report >"$WORK/report.txt" 2>"$WORK/stderr" &
pid=$!
for _ in $(seq 3000); do
    [[ -s "$WORK/report.txt" ]] && break
    kill -0 "$pid" 2>/dev/null || fail "the game ended before the score panel: $(cat "$WORK/stderr")"
    sleep 0.1
done
[[ -s "$WORK/report.txt" ]] || fail "no result line within 300 s"
sleep 0.5
window=$(wait_for_window QUARNEL)
x_window close "$window"
wait_exit_timed "$pid" 5
rc=$EXIT_RC ms=$EXIT_MS
expect_eq "$rc" 0 "exit code after closing the window on the score panel"
((ms <= 1000)) || fail "the game took $ms ms to end after the window was closed"
diff -u "$SOURCE/tests/e2e/golden/seed1174_stages1-2.txt" "$WORK/report.txt" || fail "result lines differ"
[[ ! -s "$WORK/stderr" ]] || fail "the game complained: $(cat "$WORK/stderr")"

read -r route steps distance < <(sed -E 's/.* route=([0-9]+) .* steps=([0-9]+) .* distance=([0-9.]+) .*/\1 \2 \3/' "$WORK/report.txt")
expect_eq "$steps" "$route" "steps against the route length"
expect_eq "$distance" "50.0" "distance score"

# Titles: stage 1 with DadiZider 1 chosen, stage 2 (after giving up) still with DadiZider 1 chosen
# until Down is pressed; the same picture but for the stage number.
for title in s1_title s2_title; do
    expect_eq "$("$PNG_PROBE" "$WORK/$title.png" 10,390 790,390)" $'000000\n000000' "$title background"
    (($(count_colour "$WORK/$title.png" FFFFFF) > 300)) || fail "too little white text on $title"
done
cmp -s "$WORK/s1_title.png" "$WORK/s2_title.png" && fail "the title after giving up still shows stage 1"
expect_eq "$("$PNG_PROBE" "$WORK/s2_title.png" 400,100)" "$("$PNG_PROBE" "$WORK/s1_title.png" 400,100)" "title picture"

# Play frames: the dark grey layout, the trail on the map, a 3-D view at the top left.
for play in s1_play s2_play; do
    expect_eq "$("$PNG_PROBE" "$WORK/$play.png" 5,5 672,140)" $'333333\n00FFFF' "$play layout"
    [[ "$("$PNG_PROBE" "$WORK/$play.png" 272,144)" != "333333" ]] || fail "no 3-D view in $play"
done
# Goal picture: the goal image over the last play frame, which still shows around it.
# (The image lies at 149,60; its pixel 100,50 is opaque, its corner 20,20 the transparent colour.)
goal_pixel=$("$PNG_PROBE" "$SOURCE/res/goal.png" 100,50)
expect_eq "$("$PNG_PROBE" "$WORK/s2_goal.png" 249,110 5,5)" "$goal_pixel"$'\n333333' "goal picture"
[[ "$("$PNG_PROBE" "$WORK/s2_goal.png" 169,80)" != 00FF00 ]] || fail "the goal image's transparent colour is drawn"
# Review map: red frame, cyan route at the start room and at the exit.
expect_eq "$("$PNG_PROBE" "$WORK/s2_review.png" 3,3 17,17 556,269)" $'FF0000\n00FFFF\n00FFFF' "review map colours"
# Score panel: the grey box with white text on it over the last play frame.
expect_eq "$("$PNG_PROBE" "$WORK/s2_score.png" 125,45 5,5)" $'808080\n333333' "score panel"
(($(count_colour "$WORK/s2_score.png" FFFFFF) > 300)) || fail "no white text on the score panel"
echo "ok"
