# Ways out that are not Escape: the window closed (as a title-bar button asks), SIGTERM and SIGINT,
# on the title and during play. Each ends the game with exit code 0 at once: in the game's own
# ticks, which no load stretches, the title ends in the tick that sees the close, play one tick
# later, when the title after it sees it. (Closing on the score panel is checked by
# test_replay_stage.sh.)
source "$(dirname "$0")/lib.sh"
start_display
cd "$(play_folder)"

title_shown() { (($(count_colour "$WORK/grab.png" FFFFFF) > 300)); }

# Starts the game on real keys, recording, and waits for its title; optionally starts a stage and
# walks. A script's background job starts with SIGINT ignored, unlike a game run from a terminal,
# where Ctrl+C sends it; env gives the game the terminal's default.
start_game() {
    rm -f "$WORK/run.txt"
    env --default-signal=INT "$GAME" --record "$WORK/run.txt" 2>"$WORK/stderr" &
    pid=$!
    window=$(wait_for_window QUARNEL)
    xdotool windowfocus --sync "$window"
    await "the title" grabbed title_shown
    if [[ "$1" == play ]]; then
        xdotool key Return
        await "play" grabbed pixels_are "$WORK/grab.png" 5,5=333333  # the dark grey around the 3-D view
        keys keydown Up  # held: walking on when the end comes
    fi
}

# end_game HOW WHERE TICKS: closes the window or sends a signal; expects 0 after TICKS ticks with the
# close seen, quietly.
end_game() {
    case "$1" in
        close) x_window close "$window" ;;
        *) kill -s "$1" "$pid" ;;
    esac
    wait_exit "$pid"
    xdotool keyup Up
    expect_eq "$EXIT_RC" 0 "exit code after $1 on the $2"
    expect_eq "$(awk '/^[0-9]+ .*close/ { t += $1 } END { print t + 0 }' "$WORK/run.txt")" "$3" \
        "ticks played with the close seen after $1 on the $2"
    [[ ! -s "$WORK/stderr" ]] || fail "the game complained after $1 on the $2: $(cat "$WORK/stderr")"
}

for how in close TERM INT; do
    start_game title
    end_game "$how" title 1
    start_game play
    end_game "$how" play 2
done
echo "ok"
