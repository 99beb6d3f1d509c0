# bash bench/web_measure.sh: the browser build's download size (gzip -9) and, in one run, its time
# to the title and play frame times in headless Chromium beside the desktop's frame times on
# llvmpipe, both replaying the first 40 steps of seed 1's stage 1. Needs make build and make web.
set -euo pipefail
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$SOURCE/build} WEB=${WEB_BUILD:-$SOURCE/build-web}
WORK=$(mktemp -d)
trap 'kill "${XVFB_PID:-}" 2>/dev/null || true; rm -rf "$WORK"' EXIT

total=0
for file in index.html quarnel.js quarnel.wasm quarnel.data; do
    size=$(gzip -9c "$WEB/$file" | wc -c)
    echo "web $file $(wc -c <"$WEB/$file") bytes, $size gzip -9"
    total=$((total + size))
done
echo "web download $total bytes gzip -9"

"$BUILD/quarnel-maze" --seed 1 --script 1 | awk '/return/ {go = 1} {print} go && /up|down|left|right/ && ++n == 40 {exit}' \
    >"$WORK/steps.txt"
echo "1 close" >>"$WORK/steps.txt"
node "$SOURCE/bench/web_measure.mjs" "$WEB" "$WORK/steps.txt"
Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
while [[ ! -s "$WORK/display" ]]; do sleep 0.1; done
mkdir "$WORK/play" && ln -s "$SOURCE/res" "$SOURCE/res_3d" "$WORK/play/"
cd "$WORK/play"
echo "desktop $(DISPLAY=":$(head -n 1 "$WORK/display")" "$BUILD/quarnel" --replay "$WORK/steps.txt" --frame-stats | tail -n 1)"
