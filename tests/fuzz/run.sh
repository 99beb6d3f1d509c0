#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz and runs each for a bounded time, seeded with the
# game's own files: `bash tests/fuzz/run.sh [seconds]` from the repository root (default 60).
# Findings land in build-fuzz/findings/; the corpus grown by earlier runs is kept in build-fuzz/corpus/.
set -euo pipefail
seconds=${1:-60}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
out=${FUZZ_BUILD:-$source_dir/build-fuzz}

if [[ ! -f "$out/build.ninja" ]]; then
    CC=clang CXX=clang++ cmake -S "$source_dir/tests/fuzz" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$out" -j2

# Seeds: the real models, scripts and settings examples.
seeds=$out/seeds
rm -rf "$seeds"
mkdir -p "$seeds/mqo" "$seeds/input_script" "$seeds/settings" "$seeds/records"
cp "$source_dir"/res_3d/*.mqo "$source_dir"/tests/fixtures/models/*.mqo "$seeds/mqo/"
cp "$source_dir"/tests/fuzz/seeds/input_script/* "$seeds/input_script/"
cp "$source_dir"/tests/fuzz/seeds/settings/* "$seeds/settings/"
cp "$source_dir"/tests/fuzz/seeds/records/* "$seeds/records/"
[[ -x "$source_dir/build/quarnel-maze" ]] &&
    "$source_dir/build/quarnel-maze" --seed 3 --script 1,2,1 >"$seeds/input_script/walk_three_stages.txt"

status=0
for name in settings input_script mqo records; do
    corpus=$out/corpus/$name findings=$out/findings/$name
    mkdir -p "$corpus" "$findings"
    log=$out/fuzz_$name.log
    rc=0
    # The outer limit bounds the run even if the fuzzer itself hangs past its own time limit.
    timeout --kill-after=10 $((seconds + 60)) "$out/fuzz_$name" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 -dict="$source_dir/tests/fuzz/$name.dict" \
        -artifact_prefix="$findings/" "$corpus" "$seeds/$name" >"$log" 2>&1 || rc=$?
    runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
    found=$(find "$findings" -type f | wc -l)
    echo "fuzz_$name: ${runs:-?} executions in ${seconds} s, corpus $(find "$corpus" -type f | wc -l) inputs, findings $found, exit $rc"
    if [[ $rc -ne 0 || $found -ne 0 ]]; then
        status=1
        grep -m5 -E 'ERROR|SUMMARY|runtime error' "$log" >&2 || tail -n 20 "$log" >&2
    fi
done
exit $status
