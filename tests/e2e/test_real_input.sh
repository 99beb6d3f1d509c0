# The game on real keys under a window manager, as a player meets it: what the window shows is
# grabbed and compared with the same moves replayed from a script. Quick taps (pressed and let go
# between two frames) each count, on the title and in play; Return and R held while the focus goes
# to another window and back act only when they are really let go; the window has both icons. A key
# the controls file names for an action acts as that action.
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

# Holds KEY while the focus goes to another window and comes back; the window must show CHECK...
# after a second of the game's ticks away and again after coming back: nothing happened.
hold_through_focus_change() {
    local key=$1
    keys keydown "$key"
    xdotool windowactivate --sync "$other"
    wait_for_tick $(($(ticks_played) + 60))
    await "$key held in another window" grabbed "${@:2}"
    keys windowactivate --sync "$window"
    await "$key held after the focus came back" grabbed "${@:2}"
}
no_reseed_mark() {
    AWAITED="$(count_colour "$WORK/grab.png" FFFF00) yellow pixels of a re-seed"
    [[ "$AWAITED" == "0 "* ]]
}

xmessage -geometry +0+0 -title OTHER "another window" 2>/dev/null &
other=$(wait_for_window OTHER)
"$GAME" --record "$WORK/run.txt" 2>"$WORK/stderr" &
pid=$!
window=$(wait_for_window QUARNEL)
expect_size "$window" 800x400 "window size"
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

hold_through_focus_change Return shows title_1 0,0,800,400
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
reseeded() { (($(count_colour "$WORK/grab.png" FFFF00) > 100)); }
await "no re-seed mark after R was let go" grabbed reseeded

quit_with_escape "$pid"

mkdir -p "$XDG_CONFIG_HOME/quarnel"
printf 'down = K  # left hand\n' >"$XDG_CONFIG_HOME/quarnel/controls.txt"
"$GAME" 2>"$WORK/stderr" &
pid=$!
window=$(wait_for_window QUARNEL)
xdotool windowactivate --sync "$window"
expect_picture title_1 "the first title with a controls file"
tap k
expect_picture title_2 "the title after a tap of K named for down"
quit_with_escape "$pid"
echo "ok"
