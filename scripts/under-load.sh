#!/usr/bin/env bash
# The end-to-end tests on a busy machine: two processes spin on every core while the suite runs
# ROUNDS times (default 3), and each round's result is printed with the load average. The tests wait
# for what they check, never for a time, so every round must pass. `make test-under-load` builds
# first; BUILD names the build folder (default build).
set -euo pipefail
rounds=${1:-3}
build=${BUILD:-build}
[[ -f "$build/CTestTestfile.cmake" ]] || { echo "no tests in $build: build first (make test-under-load)" >&2 && exit 2; }

spinners=()
stop_spinning() { [[ ${#spinners[@]} -eq 0 ]] || kill "${spinners[@]}" 2>/dev/null || true; }
trap stop_spinning EXIT
for _ in $(seq $((2 * $(nproc)))); do
    bash -c 'while :; do :; done' &
    spinners+=($!)
done

failed_rounds=0
for round in $(seq "$rounds"); do
    log="$build/under-load-$round.log"
    began=$SECONDS
    rc=0
    (cd "$build" && ctest -L e2e -j2 --output-on-failure) >"$log" 2>&1 || rc=$?
    echo "round $round: $(grep -E 'tests passed' "$log" || echo "ctest failed to run") in $((SECONDS - began)) s," \
        "load average $(cut -d' ' -f1-3 /proc/loadavg)"
    grep -E '^\s+[0-9]+ - .*\((Failed|Timeout)' "$log" || true
    ((rc == 0)) || failed_rounds=$((failed_rounds + 1))
done
echo "$failed_rounds of $rounds rounds failed ($((2 * $(nproc))) spinning processes on $(nproc) cores; logs in $build/under-load-*.log)"
((failed_rounds == 0))
