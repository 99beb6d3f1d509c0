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

# The picture the window shows now, when the tool to read it is built.
grab() {
    [[ -n "${X_WINDOW:-}" && -x "$X_WINDOW" ]] || return 1
    "$X_WINDOW" grab "$1" "$2"
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
if grab "$window" "$WORK/full.png"; then
    # 1920 x 1200 holds the picture smoothly scaled to 1920 x 960 between bars of 120 rows.
    expect_eq "$("$PNG_PROBE" "$WORK/full.png" 5,5 960,119 960,1080 1914,1194)" $'000000\n000000\n000000\n000000' \
        "black bars"
    [[ "$("$PNG_PROBE" "$WORK/full.png" 480,360)" != 000000 ]] || fail "no title picture in fullscreen"
fi

# Alt let go first, Return still held: still not a Return for the game.
xdotool keydown alt keydown Return
sleep 0.2
xdotool keyup alt
sleep 0.3
xdotool keyup Return
expect_size "$window" 800x400 "size after leaving fullscreen"
sleep 0.3
if grab "$window" "$WORK/back.png"; then
    # Still the first title: its white and grey text, no start picture or maze.
    mkdir "$WORK/shot"
    printf '10 -\nshot %s\n1 escape\n' "$WORK/shot/title.png" >"$WORK/title.txt"
    "$GAME" --replay "$WORK/title.txt" 2>/dev/null
    for colour in FFFFFF 808080 000000; do
        expect_eq "$(count_colour "$WORK/back.png" $colour)" "$(count_colour "$WORK/shot/title.png" $colour)" \
            "$colour pixels of the title after two Alt+Enter"
    done
fi
quit_with_escape "$pid"
echo "ok"
