# A still screen is drawn and presented once, and again when the window system asks: the title
# goes frame after frame without a swap, its picture comes back after the window was covered, and
# a key press shows at once.
source "$(dirname "$0")/lib.sh"
start_display
cd "$(play_folder)"
printf '10 -\nshot %s/title_1.png\n1 down\n2 -\nshot %s/title_2.png\n1 escape\n' "$WORK" "$WORK" >"$WORK/moves.txt"
"$GAME" --replay "$WORK/moves.txt" 2>"$WORK/stderr" || fail "the replay failed: $(cat "$WORK/stderr")"

LD_PRELOAD="$(realpath "$BUILD_DIR/libswap_probe.so")" "$GAME" 2>"$WORK/stderr" &
pid=$!
window=$(wait_for_window QUARNEL)
expect_picture title_1 "the title"
sleep 1  # sixty frames that show nothing new
x_window cover "$window"
expect_picture title_1 "the title uncovered"
xdotool windowfocus --sync "$window"
tap Down
expect_picture title_2 "the title after Down"
quit_with_escape "$pid"
# The first dozen frames swap while the pacer measures the display; then only the changes do.
swaps=$(awk '/^swaps_total/ {print $2}' "$WORK/stderr")
((swaps < 40)) || fail "$swaps swaps on a still title"
