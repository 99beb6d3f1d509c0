# Options, bad input scripts and a missing display: clear messages and the right exit codes; an
# option's value after '=' works as after a blank, and the seed shows in the maze.
source "$(dirname "$0")/lib.sh"
cd "$WORK"

run() {  # run ARGS...: sets rc, out, err
    rc=0
    "$GAME" "$@" >"$WORK/out" 2>"$WORK/err" || rc=$?
    out=$(cat "$WORK/out") err=$(cat "$WORK/err")
}

# No display at all: status 255 (-1) and one line saying why.
(
    unset DISPLAY WAYLAND_DISPLAY SDL_VIDEODRIVER
    run
    expect_eq "$rc $(wc -l <"$WORK/err")" "255 1" "exit code and lines on stderr without a display"
    [[ "$err" == quarnel:* ]] || fail "message without a display: $err"
)
run --help
[[ $rc == 0 && "$out" == *"--seed N"* && "$out" == *"--replay FILE"* ]] || fail "--help: $rc $out"
run --version
[[ $rc == 0 && "$out" == "quarnel "* ]] || fail "--version: $rc $out"
for args in "--bogus" "--seed" "--seed 4294967296" "--seed abc" "--replay" "--seed=" "--seed=abc" "--report=1"; do
    # shellcheck disable=SC2086
    run $args
    [[ $rc == 2 && "$err" == *usage:* ]] || fail "'$args': exit code $rc, $err"
done
# A script that cannot be played is refused before any window opens (no display here, so 2 and not
# 255) with the reason, in bounded memory and time; so is a recording that cannot be written.
printf '10 -\n5 jump\n' >bad.txt
truncate -s 200M long.txt
while IFS='|' read -r args reason; do
    rc=0
    # shellcheck disable=SC2086
    (ulimit -v 1000000 && timeout 60 "$GAME" $args) >"$WORK/out" 2>"$WORK/err" || rc=$?
    [[ $rc == 2 && "$(cat "$WORK/err")" == *"$reason"* ]] || fail "'$args': exit code $rc, $(cat "$WORK/err")"
done <<TABLE
--replay bad.txt|bad.txt: line 2
--replay=bad.txt|bad.txt: line 2
--replay missing.txt|missing.txt: No such file
--replay $WORK|it is a folder
--replay /dev/zero|longer than 8192 characters
--replay long.txt|longer than 16 MiB
--record /dev/full|No space left on device
TABLE
rm long.txt

# The seed shows in the first play frame's map; --seed=5 and --seed 5 start the same maze.
start_display
cd "$(play_folder)"
printf '10 -\n2 return\n40 -\nshot %s/play.png\n1 escape\n' "$WORK" >start.txt
for args in "--seed=5 --replay=start.txt" "--seed 5 --replay start.txt" "--replay start.txt"; do
    # shellcheck disable=SC2086
    run $args
    expect_eq "$rc" 0 "exit code of '$args'"
    mv "$WORK/play.png" "$WORK/play_${args%% *}.png"
done
expect_eq "$("$PNG_PROBE" "$WORK/play_--seed=5.png" diff "$WORK/play_--seed.png" 538,16,260,260)" 0 \
    "map difference between --seed=5 and --seed 5"
[[ "$("$PNG_PROBE" "$WORK/play_--seed.png" diff "$WORK/play_--replay.png" 538,16,260,260)" != 0 ]] ||
    fail "seed 5 shows the map of seed 1"
echo "ok"
