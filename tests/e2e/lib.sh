# Shared by the end-to-end tests. Arguments of every test: the game binary, the source folder.
# Gives a private Xvfb display, a scratch folder removed at exit, and small checks.
set -euo pipefail

GAME=$(realpath "$1")
SOURCE=$(realpath "$2")
BUILD_DIR=$(dirname "$GAME")
PNG_PROBE=$(realpath "${PNG_PROBE:-$BUILD_DIR/tests/png_probe}")
X_WINDOW=$(realpath "${X_WINDOW:-$BUILD_DIR/tests/x_window}")
WORK=$(mktemp -d)
XVFB_PID=
# The game keeps the player's records here, never in the tester's own data folder.
export XDG_DATA_HOME="$WORK/data"

WM_PID=

cleanup() {
    if [[ -n "$WM_PID" ]]; then
        kill "$WM_PID" 2>/dev/null || true
        wait "$WM_PID" 2>/dev/null || true
    fi
    if [[ -n "$XVFB_PID" ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts Xvfb on a free display and exports DISPLAY. Display numbers are drawn at random from a
# high range: a server that is shutting down still removes its socket files, so a number that was
# just freed is not safe to take at once.
start_display() {
    command -v Xvfb >/dev/null || fail "Xvfb is not installed"
    local n
    for _ in $(seq 20); do
        n=$((200 + RANDOM % 700))
        [[ -e "/tmp/.X$n-lock" || -e "/tmp/.X11-unix/X$n" ]] && continue
        # -noreset: a server that resets when its last client leaves refuses the next one meanwhile.
        Xvfb ":$n" -screen 0 1920x1200x24 -nolisten tcp -noreset 2>"$WORK/xvfb.log" &
        XVFB_PID=$!
        for _ in $(seq 100); do
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    done
    fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
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
    local dir="$WORK/play"
    mkdir -p "$dir"
    ln -sfn "$SOURCE/res" "$dir/res"
    ln -sfn "$SOURCE/res_3d" "$dir/res_3d"
    echo "$dir"
}

# Waits until a window with this exact name is mapped; prints its id.
wait_for_window() {
    local id
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    fail "no window named $1 appeared; the game said: $(cat "$WORK"/stderr 2>/dev/null)"
}

window_size() {
    xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'
}

# Holds a key long enough for a 60 Hz game to see it, then releases it.
hold_key() {
    xdotool keydown "$1"
    sleep "${2:-0.3}"
    xdotool keyup "$1"
}

# Presses Escape until the game ends (a press while it still loads is not seen) and expects exit
# code 0. Call it outside $(...): only the shell that started the game can collect its exit code.
quit_with_escape() {
    local rc=0
    for _ in $(seq 10); do
        hold_key Escape
        kill -0 "$1" 2>/dev/null || break
        sleep 0.5
    done
    if kill -0 "$1" 2>/dev/null; then
        kill "$1"
        fail "the game did not end after Escape"
    fi
    wait "$1" || rc=$?
    expect_eq "$rc" 0 "exit code after Escape"
}

# Starts BINARY, checks its window is SIZE (as WxH), quits with Escape held on the keyboard.
expect_window_then_escape() {
    "$1" 2>"$WORK/stderr" &
    local pid=$! window
    window=$(wait_for_window QUARNEL)
    expect_eq "$(window_size "$window")" "$2" "$3"
    xdotool windowfocus --sync "$window"
    quit_with_escape "$pid"
}

expect_eq() {
    [[ "$1" == "$2" ]] || fail "$3: expected '$2', got '$1'"
}

# Number of pixels of colour RRGGBB in a PNG picture.
count_colour() {
    "$PNG_PROBE" "$1" count "$2"
}

# Window actions as a window manager or a user would do them (tests/tools/x_window).
x_window() {
    [[ -x "$X_WINDOW" ]] || fail "no x_window tool at $X_WINDOW (install libx11-dev and rebuild)"
    "$X_WINDOW" "$@"
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

# Filters a script from `quarnel-maze --script`: the stages named keep only the first MOVES moves
# of their walk (turns count as moves) and then give up with E.
#   shorten_stages MOVES STAGE... <full.txt >short.txt
shorten_stages() {
    local moves=$1
    shift
    awk -v moves="$moves" -v stages=" $* " '
        /^# stage [0-9]+:/ { stage = $3 + 0; walking = 0; n = 0; skipping = 0; short = index(stages, " " stage " ") > 0 }
        /^# goal picture/ && short { print "1 e"; print "1 -"; skipping = 1; next }
        skipping && (/^1 (return|-)$/ || /_(goal|review|score)\.png$/) { next }
        /^1 -$/ && !walking { walking = 1; print; next }
        walking && short && /^31 / { if (++n > moves) next }
        { print }
    '
}
