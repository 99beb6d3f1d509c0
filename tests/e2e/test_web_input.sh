# The browser build (make web) in headless Chromium, played with keys as a player types them, then
# with a standard gamepad alone: taps change the title's choice, a stage starts when start is let go
# (not when pressed), a tap of up takes a step. Neither Alt+Enter's fullscreen and back nor another
# tab taking the focus while start is held acts in the game, and the hidden page draws nothing. A
# page the game refuses to start (?lang=xx) says why. Skipped (77) without build-web/.
source "$(dirname "$0")/lib.sh"
WEB=${QUARNEL_WEB_BUILD:-$SOURCE/build-web}
[[ -f "$WEB/quarnel.wasm" ]] || { echo "no web build in $WEB (make web)"; exit 77; }
node "$SOURCE/tests/web/page.mjs" input "$WEB" || fail "real input in the browser"
echo "ok"
