#!/usr/bin/env bash
# Every measurement of docs/performance.md: maze generation, frame pacing, play frame times at rate 1
# and 2, fragments per view pixel, CPU share, start-up and peak RSS. Usage: make bench
# [BEFORE=FOLDER]: FOLDER holds a Release build of an earlier commit (for example made with
# `git worktree add ../before COMMIT && cmake -S ../before -B build-before -DCMAKE_BUILD_TYPE=Release
# && cmake --build build-before`), measured in the same run for the figures before.
set -euo pipefail
build=${BUILD:-build}
export PROBES=$(realpath "$build")  # this build's probes serve the build before too
builds=("$build")
[[ -n "${BEFORE:-}" ]] && builds=("$BEFORE" "$build")
echo "== maze generation and one play frame's logic (Google Benchmark, test backend)"
"$build/quarnel-bench" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
echo "== pace on the still title screen"
bash bench/measure_pace.sh 5
echo "== fragments of the 3-D pass per view pixel"
bash bench/fragments.sh "${builds[@]}"
for folder in "${builds[@]}"; do
    echo "== $folder: play frame times (three stages, unpaced), CPU share, start-up and memory"
    BUILD=$folder bash bench/frame_times.sh
    BUILD=$folder bash bench/cpu_share.sh
    BUILD=$folder bash bench/startup.sh
done
