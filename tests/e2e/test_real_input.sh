# The game on real keys, as a player meets it: the title, Return to start, a step forward, a left
# turn, E back to the title (now stage 2), Escape to quit with 0. What the window shows is grabbed
# and compared with the same moves replayed from a script (the mini-map and the titles; the 3-D
# view is left out because play draws fresh wall decorations every run).
source "$(dirname "$0")/lib.sh"
start_display
cd "$(play_folder)"

cat >"$WORK/moves.txt" <<SCRIPT
10 -
shot $WORK/replay_title1.png
2 return
1 -
31 up
5 -
shot $WORK/replay_step.png
31 left
5 -
shot $WORK/replay_turn.png
1 e
1 -
10 -
shot $WORK/replay_title2.png
2 -
1 escape
SCRIPT
rc=0
"$GAME" --replay "$WORK/moves.txt" 2>"$WORK/stderr" || rc=$?
expect_eq "$rc" 0 "exit code of the replay"

# Grabs the window until the rectangle (default: all of it) shows what the replay showed.
expect_picture() {
    local reference=$1 what=$2 rect=${3:-0,0,800,400} differing
    for _ in $(seq 50); do
        x_window grab "$window" "$WORK/grab.png"
        differing=$("$PNG_PROBE" "$WORK/grab.png" diff "$WORK/$reference.png" "$rect")
        [[ "$differing" == 0 ]] && return 0
        sleep 0.2
    done
    cp "$WORK/grab.png" "$WORK/last_grab.png"
    fail "$what: $differing pixels differ from the replay"
}

MAP=538,16,260,260  # the mini-map: the trail, the walls seen, the arrow's direction
"$GAME" 2>"$WORK/stderr" &
pid=$!
window=$(wait_for_window QUARNEL)
expect_eq "$(window_size "$window")" 800x400 "window size"
xdotool windowfocus --sync "$window"
expect_picture replay_title1 "the first title"
hold_key Return
# Each key is held for about 18 frames, and the move it starts takes 31: one step, then one turn.
sleep 0.5
hold_key Up
expect_picture replay_step "the mini-map after a step" "$MAP"
hold_key Left
expect_picture replay_turn "the mini-map after a left turn" "$MAP"
expect_eq "$("$PNG_PROBE" "$WORK/grab.png" 5,5)" 333333 "play layout"
hold_key e
expect_picture replay_title2 "the title of stage 2"
hold_key Escape
wait_exit_timed "$pid" 5
expect_eq "$EXIT_RC" 0 "exit code after Escape"
[[ "$("$PNG_PROBE" "$WORK/replay_title1.png" diff "$WORK/replay_title2.png")" != 0 ]] ||
    fail "the title still shows stage 1 after E"
echo "ok"
