# Options, bad input scripts and a missing display: clear messages and the right exit codes.
source "$(dirname "$0")/lib.sh"
cd "$WORK"

run() {  # run ARGS...: sets rc, out, err
    rc=0
    "$GAME" "$@" >"$WORK/out" 2>"$WORK/err" || rc=$?
    out=$(cat "$WORK/out")
    err=$(cat "$WORK/err")
}

# No display at all: status 255 (-1) and one line saying why.
unset DISPLAY WAYLAND_DISPLAY SDL_VIDEODRIVER
run
expect_eq "$rc" 255 "exit code without a display"
expect_eq "$(wc -l <"$WORK/err")" 1 "lines on stderr without a display"
[[ "$err" == quarnel:* ]] || fail "message without a display: $err"

run --help
expect_eq "$rc" 0 "--help"
[[ "$out" == *"--seed N"* && "$out" == *"--replay FILE"* ]] || fail "--help text: $out"
run --version
expect_eq "$rc" 0 "--version"
[[ "$out" == "quarnel "* ]] || fail "--version text: $out"

for args in "--bogus" "--seed" "--seed 4294967296" "--seed abc" "--replay"; do
    # shellcheck disable=SC2086
    run $args
    expect_eq "$rc" 2 "exit code for '$args'"
    [[ "$err" == *usage:* ]] || fail "no usage for '$args': $err"
done

# A malformed script fails before any window opens (no display here, so 2 and not 255).
printf '10 -\n5 jump\n' >bad.txt
run --replay bad.txt
expect_eq "$rc" 2 "exit code for a malformed script"
[[ "$err" == *"line 2"* ]] || fail "the message does not name the line: $err"
run --replay missing.txt
expect_eq "$rc" 2 "exit code for a missing script"
echo "ok"
