#!/usr/bin/env bash
# Every measurement of the README's Performance section: maze generation, frame pacing, play frame
# times at rate 1 and 2, start-up and peak RSS. Usage: make bench
set -euo pipefail
build=${BUILD:-build}
echo "== maze generation and one play frame's logic (Google Benchmark, test backend)"
"$build/quarnel-bench" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
echo "== pace on the title screen"
bash bench/measure_pace.sh 5
echo "== start-up and memory"
bash bench/startup.sh
echo "== play frame times (three stages, unpaced)"
bash bench/frame_times.sh
