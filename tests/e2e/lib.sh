# Shared by the end-to-end tests. Arguments of every test: the game binary, the source folder.
# Gives a private Xvfb display, a scratch folder removed at exit, and small checks.
set -euo pipefail

GAME=$(realpath "$1")
SOURCE=$(realpath "$2")
BUILD_DIR=$(dirname "$GAME")
PNG_PROBE=$BUILD_DIR/tests/png_probe
WORK=$(mktemp -d)
XVFB_PID= WM_PID=
export XDG_DATA_HOME="$WORK/data"  # the game's records, never in the tester's own data folder
export XDG_CONFIG_HOME="$WORK/config"  # and controls from the test, never the tester's

cleanup() {
    local pid
    for pid in $WM_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2 && exit 1; }

# Every wait is for a state (a window, a picture, a tick, a line, an exit), never for a time:
# PATIENCE only bounds how long a broken game is waited for, however busy the machine is.
PATIENCE=${QUARNEL_TEST_PATIENCE:-120}
# await WHAT CHECK...: runs CHECK until it succeeds; fails with WHAT and the AWAITED it last left.
await() {
    local what=$1 deadline=$((SECONDS + PATIENCE))
    shift
    AWAITED=
    until "$@"; do
        ((SECONDS < deadline)) || fail "$what${AWAITED:+: $AWAITED}"
        sleep 0.05
    done
}

# alive_and PID CHECK...: CHECK, failing at once with what was logged when PID has ended.
alive_and() {
    "${@:2}" && return 0
    kill -0 "$1" 2>/dev/null || fail "process $1 ended: $(cat "$WORK"/*.log "$WORK"/stderr 2>/dev/null)"
    false
}

# Starts Xvfb on a display it picks itself and exports DISPLAY. Xvfb writes the number once it
# accepts clients, so two tests starting at once never share a server.
start_display() {
    command -v Xvfb >/dev/null || fail "Xvfb is not installed"
    # -noreset: a server that resets when its last client leaves refuses the next one meanwhile.
    Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    await "Xvfb did not start" alive_and "$XVFB_PID" test -s "$WORK/display"
    export DISPLAY=":$(head -n 1 "$WORK/display")"
    xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
}

# Starts openbox on the display: focus changes and fullscreen come from a window manager.
start_window_manager() {
    command -v openbox >/dev/null || fail "openbox is not installed"
    openbox --sm-disable >"$WORK/wm.log" 2>&1 &
    WM_PID=$!
    await "openbox did not start" alive_and "$WM_PID" root_names _NET_SUPPORTING_WM_CHECK
}
root_names() { xprop -root "$1" 2>/dev/null | grep -q "window id"; }

# A working folder as a player has it: the game's pictures and models beside the settings file.
play_folder() {
    mkdir -p "$WORK/play" && ln -sfn "$SOURCE/res" "$SOURCE/res_3d" "$WORK/play/" && echo "$WORK/play"
}

# Waits until a window with this exact name is mapped; prints its id.
wait_for_window() {
    await "no window named $1 appeared" window_named "$1"
    echo "$WINDOW_ID"
}
window_named() {
    WINDOW_ID=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    AWAITED="the game said: $(cat "$WORK"/stderr 2>/dev/null)" && [[ -n "$WINDOW_ID" ]]
}

window_size() { xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }

# Waits until the window has the size WxH; fails naming the last one seen.
expect_size() { await "$3: expected $2" window_sized "$1" "$2"; }
window_sized() { AWAITED="got $(window_size "$1" 2>/dev/null)" && [[ "$AWAITED" == "got $2" ]]; }

# Taps Escape, which the game sees even while it still loads, and expects it to end with 0. Call it
# outside $(...): only the shell that started the game can collect its exit code.
quit_with_escape() {
    xdotool key Escape
    wait_exit "$1"
    expect_eq "$EXIT_RC" 0 "exit code after Escape"
}

# Starts BINARY, checks its window is SIZE (as WxH), quits with Escape on the keyboard.
expect_window_then_escape() {
    "$1" 2>"$WORK/stderr" &
    local pid=$! window
    window=$(wait_for_window QUARNEL)
    expect_size "$window" "$2" "$3"
    xdotool windowfocus --sync "$window"
    quit_with_escape "$pid"
}

expect_eq() { [[ "$1" == "$2" ]] || fail "$3: expected '$2', got '$1'"; }

# Runs PROGRAM from an empty folder on a short replay (the title, the first play frame) and expects
# exit code 0, nothing on stderr, and the very pictures the built game shows from a play folder.
expect_pictures_from_elsewhere() {
    local program=$1 here=$WORK/elsewhere
    printf '10 -\nshot title.png\n3 return\n30 -\nshot play.png\n1 escape\n' >"$WORK/pictures.txt"
    if [[ ! -d "$WORK/reference" ]]; then
        mkdir "$WORK/reference"
        (cd "$(play_folder)" && "$GAME" --replay "$WORK/pictures.txt" && mv title.png play.png "$WORK/reference/")
    fi
    rm -rf "$here" && mkdir "$here"
    local rc=0
    (cd "$here" && "$program" --replay "$WORK/pictures.txt" 2>"$WORK/stderr") || rc=$?
    expect_eq "$rc" 0 "exit code of $program from another folder"
    [[ ! -s "$WORK/stderr" ]] || fail "$program complained from another folder: $(cat "$WORK/stderr")"
    for picture in title.png play.png; do
        cmp -s "$here/$picture" "$WORK/reference/$picture" || fail "$program from another folder: $picture differs"
    done
    (($(count_colour "$here/title.png" FFFFFF) > 300)) || fail "$program from another folder: no title text"
}

# Checks pixels: FILE X,Y=RRGGBB ...
expect_pixels() { pixels_are "$@" || fail "$(basename "$1") $AWAITED"; }
pixels_are() {
    local file=$1 expected point got
    shift
    for expected in "$@"; do
        point=${expected%%=*}
        got=$("$PNG_PROBE" "$file" "$point")
        [[ "$got" == "${expected#*=}" ]] || { AWAITED="at $point: expected '${expected#*=}', got '$got'" && return 1; }
    done
}

count_colour() { "$PNG_PROBE" "$1" count "$2"; }  # pixels of colour RRGGBB in a PNG picture
# Window actions as a window manager or a user would do them.
x_window() { "$BUILD_DIR/tests/x_window" "$@"; }
# Pressed and let go in one go, well within a frame.
tap() { xdotool keydown "$1" keyup "$1"; }

# grabbed CHECK...: grabs the window $window as $WORK/grab.png, then runs CHECK.
grabbed() { x_window grab "$window" "$WORK/grab.png" 2>/dev/null && "$@"; }
# Waits until the rectangle (default: all of it) of the window $window shows $WORK/REFERENCE.png.
expect_picture() { await "$2" grabbed shows "$1" "${3:-0,0,800,400}"; }
shows() { AWAITED="$("$PNG_PROBE" "$WORK/grab.png" diff "$WORK/$1.png" "$2") pixels differ" && [[ $AWAITED == 0\ * ]]; }

# The ticks (passes of a screen loop) the game has played so far, from the recording it writes
# with --record "$WORK/run.txt".
ticks_played() { awk '/^[0-9]+ / { t += $1 } END { print t + 0 }' "$WORK/run.txt" 2>/dev/null || echo 0; }
# Waits until the game $pid has played TICKS ticks; fails at once if it ends.
wait_for_tick() { await "tick $1 never came" alive_and "$pid" played "$1"; }
played() { (($(ticks_played) >= $1)); }
# xdotool ARGS, then waits until the game has seen them: a tick under way may have read its input
# before them, the next one has not.
keys() { xdotool "$@" && wait_for_tick $(($(ticks_played) + 2)); }

# Waits for PID to end and sets EXIT_RC; call it outside $(...): only the shell that started the
# game can collect its exit code.
wait_exit() { await "the game did not end" ended "$1" && EXIT_RC=0 && { wait "$1" || EXIT_RC=$?; }; }
ended() { ! kill -0 "$1" 2>/dev/null; }
