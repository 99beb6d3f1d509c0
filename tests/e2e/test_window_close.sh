# Ways out that are not Escape: the window closed (as a title-bar button asks), SIGTERM and SIGINT,
# on the title and during play. Each ends the game with exit code 0 within a second. (Closing on the
# score panel is checked by test_replay_stage.sh.)
source "$(dirname "$0")/lib.sh"
start_display
cd "$(play_folder)"

# Starts the game on real keys and waits for its window; optionally starts a stage and walks.
# A script's background job starts with SIGINT ignored, unlike a game run from a terminal, where
# Ctrl+C sends it; env gives the game the terminal's default.
start_game() {
    env --default-signal=INT "$GAME" 2>"$WORK/stderr" &
    pid=$!
    window=$(wait_for_window QUARNEL)
    xdotool windowfocus --sync "$window"
    sleep 0.5
    if [[ "$1" == play ]]; then
        xdotool key Return
        sleep 0.5
        xdotool keydown Up  # held: walking on when the end comes
        sleep 0.3
    fi
}

# end_game HOW WHERE: closes the window or sends a signal; expects 0 within a second, quietly.
end_game() {
    case "$1" in
        close) x_window close "$window" ;;
        *) kill -s "$1" "$pid" ;;
    esac
    wait_exit_timed "$pid" 5
    rc=$EXIT_RC ms=$EXIT_MS
    xdotool keyup Up
    expect_eq "$rc" 0 "exit code after $1 on the $2"
    ((ms <= 1000)) || fail "the game took $ms ms to end after $1 on the $2"
    [[ ! -s "$WORK/stderr" ]] || fail "the game complained after $1 on the $2: $(cat "$WORK/stderr")"
    echo "$1 on the $2: exit $rc after $ms ms"
}

for how in close TERM INT; do
    for where in title play; do
        start_game "$where"
        end_game "$how" "$where"
    done
done

echo "ok"
