# The browser build (make web) in headless Chromium, played with keys as a player types them:
# taps change the title's choice, a stage starts on Return's release (not its press), a tap of Up
# takes a step. Skipped (77) when build-web/ was not built.
source "$(dirname "$0")/lib.sh"
WEB=${QUARNEL_WEB_BUILD:-$SOURCE/build-web}
[[ -f "$WEB/quarnel.wasm" ]] || { echo "no web build in $WEB (make web)"; exit 77; }
node "$SOURCE/tests/web/page.mjs" input "$WEB" || fail "real input in the browser"
echo "ok"
