#!/usr/bin/env bash
# Fragments the 3-D pass rasterises per play frame, hidden ones included, and those that reach the
# shader: the three-stage replay of bench/frame_times.sh at rate 1 with bench/fragment_probe.cpp
# (of $BUILD, default build) preloaded, for each build folder named (default: $BUILD too), such
# as a build of an older commit. Usage, from the repository root: bash bench/fragments.sh [FOLDER...]
set -euo pipefail
build=${BUILD:-build}
builds=("${@:-$build}")
source tests/e2e/lib.sh "$build/quarnel" .
probe=$(realpath "$BUILD_DIR/libfragment_probe.so")
start_display
cd "$(play_folder)"
"$BUILD_DIR/quarnel-maze" --seed 1 --script 1,2,1 >"$WORK/stages.txt"
for folder in "${builds[@]}"; do
    for count in rasterised shaded; do
        printf '%s %s: ' "$folder" "$count"
        FRAGMENT_PROBE=$count LD_PRELOAD="$probe" "$(cd "$SOURCE" && realpath "$folder")/quarnel" --seed 1 --replay "$WORK/stages.txt" \
            2>&1 >/dev/null | grep '^scene_frames'
    done
done
