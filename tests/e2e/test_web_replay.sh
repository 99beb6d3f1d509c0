# The browser build (make web) in headless Chromium replays the whole walked stage of seed 1 with
# DadiZider 1 to the desktop's golden result line and ends with status 0; its title and first play
# frame are the desktop's pictures of the same replay; ?lang=en gives the desktop's English title.
# Skipped (77) when build-web/ was not built.
source "$(dirname "$0")/lib.sh"
WEB=${QUARNEL_WEB_BUILD:-$SOURCE/build-web}
[[ -f "$WEB/quarnel.wasm" ]] || { echo "no web build in $WEB (make web)"; exit 77; }

"$BUILD_DIR/quarnel-maze" --seed 1 --script 1 --shots s >"$WORK/walk.txt"
mkdir -p "$WORK/web"
node "$SOURCE/tests/web/page.mjs" replay "$WEB" "$WORK/walk.txt" "$WORK/web" || fail "the web replay did not end"
expect_eq "$(cat "$WORK/web/exit.txt")" 0 "exit status of the web replay"
diff -u "$SOURCE/tests/e2e/golden/seed1_stage1_dadizider1.txt" <(head -n 1 "$WORK/web/report.txt") ||
    fail "the web replay's result line differs"

# The desktop's pictures of the same start: the title, then the view after the first step.
start_display
cd "$(play_folder)"
{ sed "/s1_play.png/q" "$WORK/walk.txt"; echo "1 close"; } >"$WORK/start.txt"
"$GAME" --replay "$WORK/start.txt" >/dev/null 2>"$WORK/stderr" || fail "desktop replay: $(cat "$WORK/stderr")"
# The same text, pictures and boxes: pixel for pixel. The 3-D view is rasterised by another GPU
# (SwiftShader against llvmpipe), a level or two apart: no channel may be off by more than 4 on
# more than 0.5 % of its pixels.
expect_eq "$("$PNG_PROBE" "$WORK/web/s1_title.png" diff s1_title.png)" 0 "pixels of the web title unlike the desktop's"
expect_eq "$("$PNG_PROBE" "$WORK/web/s1_play.png" diff s1_play.png 0,272,800,128)" 0 \
    "pixels of the web meters unlike the desktop's"
view=$("$PNG_PROBE" "$WORK/web/s1_play.png" diff s1_play.png 0,0,800,272 0,0 4)
((view <= 800 * 272 / 200)) || fail "$view pixels of the web play view unlike the desktop's"

# ?lang=en draws the English title the desktop draws with --lang en.
printf '10 -\n1 r\n1 -\nshot en_title.png\n1 escape\n' >"$WORK/en.txt"
mkdir -p "$WORK/en"
node "$SOURCE/tests/web/page.mjs" replay "$WEB" "$WORK/en.txt" "$WORK/en" lang=en || fail "the English replay did not end"
expect_eq "$("$PNG_PROBE" "$WORK/en/en_title.png" diff "$SOURCE/tests/e2e/golden/en_title.png")" 0 \
    "pixels of the web's English title unlike the desktop's"
echo "ok (play view: $view pixels off by more than 4)"
