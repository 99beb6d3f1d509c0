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

# Starts Xvfb on a display it picks itself and exports DISPLAY. Xvfb writes the number once it
# accepts clients, so two tests starting at once never share a server.
start_display() {
    command -v Xvfb >/dev/null || fail "Xvfb is not installed"
    # -noreset: a server that resets when its last client leaves refuses the next one meanwhile.
    Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [[ -s "$WORK/display" ]] && break
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
        sleep 0.1
    done
    export DISPLAY=":$(head -n 1 "$WORK/display")"
    xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
}

# Starts openbox on the display: focus changes and fullscreen come from a window manager.
start_window_manager() {
    command -v openbox >/dev/null || fail "openbox is not installed"
    openbox --sm-disable >"$WORK/wm.log" 2>&1 &
    WM_PID=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
        kill -0 "$WM_PID" 2>/dev/null || fail "openbox did not start: $(cat "$WORK/wm.log")"
        sleep 0.1
    done
    fail "openbox did not start: $(cat "$WORK/wm.log")"
}

# A working folder as a player has it: the game's pictures and models beside the settings file.
play_folder() {
    mkdir -p "$WORK/play" && ln -sfn "$SOURCE/res" "$SOURCE/res_3d" "$WORK/play/" && echo "$WORK/play"
}

# Waits until a window with this exact name is mapped; prints its id.
wait_for_window() {
    local id
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
        [[ -n "$id" ]] && echo "$id" && return 0
        sleep 0.1
    done
    fail "no window named $1 appeared; the game said: $(cat "$WORK"/stderr 2>/dev/null)"
}

window_size() { xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }

# Taps Escape, which the game sees even while it still loads, and expects it to end with 0. Call it
# outside $(...): only the shell that started the game can collect its exit code.
quit_with_escape() {
    xdotool key Escape
    wait_exit_timed "$1" 5
    expect_eq "$EXIT_RC" 0 "exit code after Escape"
}

# Starts BINARY, checks its window is SIZE (as WxH), quits with Escape on the keyboard.
expect_window_then_escape() {
    "$1" 2>"$WORK/stderr" &
    local pid=$! window
    window=$(wait_for_window QUARNEL)
    expect_eq "$(window_size "$window")" "$2" "$3"
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
expect_pixels() {
    local file=$1 expected point
    shift
    for expected in "$@"; do
        point=${expected%%=*}
        expect_eq "$("$PNG_PROBE" "$file" "$point")" "${expected#*=}" "$(basename "$file") at $point"
    done
}

count_colour() { "$PNG_PROBE" "$1" count "$2"; }  # pixels of colour RRGGBB in a PNG picture
# Window actions as a window manager or a user would do them.
x_window() { "$BUILD_DIR/tests/x_window" "$@"; }
# Pressed and let go in one go, well within a frame.
tap() { xdotool keydown "$1" keyup "$1"; }

# Grabs the window $window until the rectangle (default: all of it) shows the picture $WORK/REFERENCE.png.
expect_picture() {
    local reference=$1 what=$2 rect=${3:-0,0,800,400} differing
    for _ in $(seq 50); do
        x_window grab "$window" "$WORK/grab.png"
        differing=$("$PNG_PROBE" "$WORK/grab.png" diff "$WORK/$reference.png" "$rect")
        [[ "$differing" == 0 ]] && return 0
        sleep 0.2
    done
    fail "$what: $differing pixels differ from the replay"
}

# Waits up to SECONDS for PID to end; sets EXIT_RC and EXIT_MS (counted from the call). Call it
# outside $(...) and <(...): only the shell that started the game can collect its exit code.
wait_exit_timed() {
    local pid=$1 seconds=$2 start
    start=$(date +%s%N)
    while kill -0 "$pid" 2>/dev/null; do
        if (($(date +%s%N) - start > seconds * 1000000000)); then
            kill -9 "$pid" 2>/dev/null || true
            fail "the game did not end within $seconds s"
        fi
        sleep 0.02
    done
    EXIT_MS=$((($(date +%s%N) - start) / 1000000))
    EXIT_RC=0
    wait "$pid" || EXIT_RC=$?
}
