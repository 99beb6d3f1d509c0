# The game on real keys under a window manager, as a player meets it: what the window shows is
# grabbed and compared with the same moves replayed from a script. Quick taps (pressed and let go
# between two frames) each count, on the title and in play; Return and R held while the focus goes
# to another window and back act only when they are really let go; the window has both icons.
source "$(dirname "$0")/lib.sh"
start_display
start_window_manager
cd "$(play_folder)"

# The replayed references: the title with each choice, play after each of five steps down the
# first corridor of seed 1 (Up pressed in the frame before Return is let go still chooses), and the
# title of stage 2.
{
    printf '10 -\nshot %s/title_1.png\n1 down\n2 -\nshot %s/title_2.png\n' "$WORK" "$WORK"
    printf '2 return\n1 return+up\n1 -\n60 -\nshot %s/steps0.png\n' "$WORK"
    for n in 1 2 3 4 5; do printf '1 up\n35 -\nshot %s/steps%s.png\n' "$WORK" "$n"; done
    printf '1 e\n1 -\n10 -\nshot %s/title_stage2.png\n2 -\n1 escape\n' "$WORK"
} >"$WORK/moves.txt"
rc=0
"$GAME" --replay "$WORK/moves.txt" 2>"$WORK/stderr" || rc=$?
expect_eq "$rc" 0 "exit code of the replay"

# Holds KEY while the focus goes to another window and comes back; CHECK runs while away and
# again after coming back, and must find that nothing happened.
hold_through_focus_change() {
    local key=$1 check=$2
    xdotool keydown "$key"
    sleep 0.3
    xdotool windowactivate --sync "$other"
    sleep 1.5
    $check "$key held in another window"
    xdotool windowactivate --sync "$window"
    sleep 0.5
    $check "$key held after the focus came back"
}

still_first_title() {
    x_window grab "$window" "$WORK/grab.png"
    expect_eq "$("$PNG_PROBE" "$WORK/grab.png" diff "$WORK/title_1.png")" 0 "$1: pixels differing from the title"
}
no_reseed_mark() {
    x_window grab "$window" "$WORK/grab.png"
    expect_eq "$(count_colour "$WORK/grab.png" FFFF00)" 0 "$1: yellow pixels of a re-seed"
}

xmessage -geometry +0+0 -title OTHER "another window" 2>/dev/null &
other=$(wait_for_window OTHER)
"$GAME" 2>"$WORK/stderr" &
pid=$!
window=$(wait_for_window QUARNEL)
expect_eq "$(window_size "$window")" 800x400 "window size"
icons=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
expect_eq "$icons" "Icon (16 x 16) Icon (32 x 32) " "window icons"
xdotool windowactivate --sync "$window"
expect_picture title_1 "the first title"

for n in 1 2 3 4 5; do
    tap Down
    expect_picture title_2 "the title after quick tap $n of Down"
    tap Up
    expect_picture title_1 "the title after quick tap $n of Up"
done

hold_through_focus_change Return still_first_title
xdotool keyup Return
MAP=538,16,260,260         # the mini-map: the trail, the walls seen, the arrow's direction
STEPS=580,356,160,16       # the step counter
expect_picture steps0 "the mini-map when play starts" "$MAP"
for n in 1 2 3 4 5; do
    tap Up
    expect_picture "steps$n" "the step counter after quick tap $n of Up" "$STEPS"
    expect_picture "steps$n" "the mini-map after quick tap $n of Up" "$MAP"
done
tap e
expect_picture title_stage2 "the title of stage 2"
[[ "$("$PNG_PROBE" "$WORK/title_1.png" diff "$WORK/title_stage2.png")" != 0 ]] || fail "E did not count a stage"

hold_through_focus_change r no_reseed_mark
xdotool keyup r
reseeded() {
    x_window grab "$window" "$WORK/grab.png"
    (($(count_colour "$WORK/grab.png" FFFF00) > 100))
}
for _ in $(seq 50); do reseeded && break || sleep 0.2; done
reseeded || fail "no re-seed mark after R was let go"

quit_with_escape "$pid"
echo "ok"
