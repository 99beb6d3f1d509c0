# `make run` on a machine that has the game's packages builds the game alone, not the tests, tools
# and benchmarks, and starts it (here with a replay that quits at once).
source "$(dirname "$0")/lib.sh"
start_display
printf '10 -\n1 escape\n' >"$WORK/quit.txt"
rc=0
make -C "$SOURCE" run BUILD="$WORK/build" ARGS="--replay $WORK/quit.txt" >"$WORK/make.log" 2>&1 || rc=$?
expect_eq "$rc" 0 "exit code of make run ($(tail -n 5 "$WORK/make.log"))"
[[ -x "$WORK/build/quarnel" ]] || fail "make run built no game"
for other in quarnel-maze quarnel-assets quarnel-bench tests/quarnel_tests tests/png_probe; do
    [[ ! -e "$WORK/build/$other" ]] || fail "make run built $other too"
done
echo "ok"
