# The browser build (make web) keeps the records folder in IndexedDB: a records file saved there
# shows as the title's BEST line after the page is reloaded. Skipped (77) without build-web/.
source "$(dirname "$0")/lib.sh"
WEB=${QUARNEL_WEB_BUILD:-$SOURCE/build-web}
[[ -f "$WEB/quarnel.wasm" ]] || { echo "no web build in $WEB (make web)"; exit 77; }
node "$SOURCE/tests/web/page.mjs" records "$WEB" || fail "records in the browser"
echo "ok"
