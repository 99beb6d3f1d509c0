# The window under a window manager. A still title is drawn and presented once: frame after frame
# goes by without a swap, its picture comes back after the window was covered, and a key press
# shows at once. Alt+Enter makes the window the whole screen with the picture letterboxed, and goes
# back to 800 x 400; the Return that came with Alt never starts the stage.
source "$(dirname "$0")/lib.sh"
"$GAME" --help | grep -q "Alt+Enter" || fail "--help does not name Alt+Enter"
start_display
start_window_manager  # fullscreen is granted by the window manager; a bare Xvfb has none
SCREEN=$(xdpyinfo | awk '/dimensions:/ {print $2}')

cd "$(play_folder)"
printf '10 -\nshot %s/title_1.png\n1 down\n2 -\nshot %s/title_2.png\n1 escape\n' "$WORK" "$WORK" >"$WORK/moves.txt"
"$GAME" --replay "$WORK/moves.txt" 2>"$WORK/stderr" || fail "the replay failed: $(cat "$WORK/stderr")"
LD_PRELOAD="$(realpath "$BUILD_DIR/libswap_probe.so")" "$GAME" --record "$WORK/run.txt" 2>"$WORK/stderr" &
pid=$!
window=$(wait_for_window QUARNEL)
expect_size "$window" 800x400 "window size at start"
xdotool windowfocus --sync "$window"
expect_picture title_1 "the title"
wait_for_tick $(($(ticks_played) + 60))  # sixty frames that show nothing new
x_window cover "$window"
expect_picture title_1 "the title uncovered"

# Return held and let go before Alt: on the title a counted Return would start the stage.
keys keydown alt keydown Return
keys keyup Return keyup alt
expect_size "$window" "$SCREEN" "size after Alt+Enter"
# 1920 x 1200 holds the picture smoothly scaled to 1920 x 960 between bars of 120 rows.
await "the title in fullscreen" grabbed pixels_are "$WORK/grab.png" \
    5,5=000000 960,119=000000 960,1080=000000 1914,1194=000000
[[ "$("$PNG_PROBE" "$WORK/grab.png" 480,360)" != 000000 ]] || fail "no title picture in fullscreen"

# Alt let go first, Return still held: still not a Return for the game.
keys keydown alt keydown Return
keys keyup alt
keys keyup Return
expect_size "$window" 800x400 "size after leaving fullscreen"
expect_picture title_1 "the first title after two Alt+Enter"
tap Down
expect_picture title_2 "the title after Down"
quit_with_escape "$pid"
# The first dozen frames swap while the pacer measures the display; then only the changes do.
swaps=$(awk '/^swaps_total/ {print $2}' "$WORK/stderr")
((swaps < 40)) || fail "$swaps swaps on a still title"
echo "ok"
