#!/usr/bin/env bash
# Fragments the 3-D pass rasterises per play frame, hidden ones included, and those that reach the
# shader: the three-stage replay of bench/frame_times.sh at rate 1 with bench/fragment_probe.cpp
# preloaded, for each build folder named (default: build).
# Usage, from the repository root: bash bench/fragments.sh [BUILD...]
set -euo pipefail
builds=("${@:-build}")
source tests/e2e/lib.sh "${builds[0]}/quarnel" .
probe=$(realpath "$BUILD_DIR/libfragment_probe.so")
start_display
cd "$(play_folder)"
"$BUILD_DIR/quarnel-maze" --seed 1 --script ${ALGS:-1,2,1} >"$WORK/stages.txt"
for build in "${builds[@]}"; do
    for count in rasterised shaded; do
        printf '%s %s: ' "$build" "$count"
        FRAGMENT_PROBE=$count LD_PRELOAD="$probe" "$SOURCE/$build/quarnel" --seed 1 --replay "$WORK/stages.txt" \
            2>&1 >/dev/null | grep '^scene_frames'
    done
done
