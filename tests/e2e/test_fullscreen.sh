# Alt+Enter under a window manager: the window becomes the whole screen with the picture
# letterboxed, and goes back to 800 x 400; the Return that came with Alt never starts the stage.
source "$(dirname "$0")/lib.sh"
"$GAME" --help | grep -q "Alt+Enter" || fail "--help does not name Alt+Enter"
start_display

# Fullscreen is granted by the window manager; a bare Xvfb has none.
start_window_manager
SCREEN=$(xdpyinfo | awk '/dimensions:/ {print $2}')

# Waits until the window has a size; fails naming the last one seen.
expect_size() {
    local size
    for _ in $(seq 50); do
        size=$(window_size "$1")
        [[ "$size" == "$2" ]] && return 0
        sleep 0.1
    done
    fail "$3: expected $2, got $size"
}

cd "$(play_folder)"
"$GAME" 2>"$WORK/stderr" &
pid=$!
window=$(wait_for_window QUARNEL)
expect_size "$window" 800x400 "window size at start"
xdotool windowfocus --sync "$window"

# Return held and let go before Alt: on the title a counted Return would start the stage.
xdotool keydown alt keydown Return
sleep 0.3
xdotool keyup Return keyup alt
expect_size "$window" "$SCREEN" "size after Alt+Enter"
# 1920 x 1200 holds the picture smoothly scaled to 1920 x 960 between bars of 120 rows.
x_window grab "$window" "$WORK/full.png"
expect_pixels "$WORK/full.png" 5,5=000000 960,119=000000 960,1080=000000 1914,1194=000000
[[ "$("$PNG_PROBE" "$WORK/full.png" 480,360)" != 000000 ]] || fail "no title picture in fullscreen"

# Alt let go first, Return still held: still not a Return for the game.
xdotool keydown alt keydown Return
sleep 0.2
xdotool keyup alt
sleep 0.3
xdotool keyup Return
expect_size "$window" 800x400 "size after leaving fullscreen"
sleep 0.3
# Still the first title, as a replay shows it: no start picture, no maze.
printf '10 -\nshot %s/title.png\n1 escape\n' "$WORK" >"$WORK/title.txt"
"$GAME" --replay "$WORK/title.txt"
x_window grab "$window" "$WORK/back.png"
expect_eq "$("$PNG_PROBE" "$WORK/back.png" diff "$WORK/title.png")" 0 "pixels of the title differing after two Alt+Enter"
quit_with_escape "$pid"
echo "ok"
