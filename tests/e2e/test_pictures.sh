# The 2-D calls on the real renderer, driven by the probe: whole-screen and small boxes, runs of
# equal boxes, the transparent colour, stretched pictures by the nearest pixel, and screen copies
# that stay opaque.
source "$(dirname "$0")/lib.sh"
PROBE="$BUILD_DIR/tests/model_probe"
[[ -x "$PROBE" ]] || fail "no model probe at $PROBE"
start_display
cd "$SOURCE"  # the window icon lies in res/

pixels() { "$PNG_PROBE" "$@" | tr '\n' ' '; }

# Pictures to load are made by the probe itself: boxes, then a shot of the screen.
"$PROBE" >"$WORK/out" 2>"$WORK/err" <<SCRIPT
clear
box 0 0 800 400 FF00FF
box 100 100 200 200 00FF00
shot $WORK/keyed.png
clear
box 0 0 2 2 FF0000
box 2 0 4 2 00FF00
shot $WORK/stripes.png
clear
box 0 0 800 400 102030
shot $WORK/whole.png
clear
box 300 0 310 10 AAAAAA
box 300 10 310 20 AAAAAA
box 300 20 310 30 BBBBBB
box 310 0 320 10 AAAAAA
box 310 10 320 20 AAAAAA
box 400 0 410 10 CCCCCC
box 410 0 420 10 CCCCCC
box 500 0 510 10 DDDDDD
box 505 10 515 20 DDDDDD
shot $WORK/runs.png
trans FF00FF
picture $WORK/keyed.png
picture $WORK/stripes.png
make 800 400
clear
box 0 0 800 400 0000FF
graph 0 0 0 1
shot $WORK/keyed_drawn.png
grab 0 0 800 400 2
box 0 0 800 400 FF0000
graph 2 0 0 1
shot $WORK/copy_drawn.png
clear
extend 1 0 0 1600 800 0
shot $WORK/stretched.png
SCRIPT
[[ -s "$WORK/err" ]] && fail "probe stderr: $(cat "$WORK/err")"
expect_eq "$(grep -c '^graph [0-9]' "$WORK/out")" 3 "pictures made"

expect_eq "$(count_colour "$WORK/whole.png" 102030)" 320000 "a whole-screen box fills every pixel"

# Boxes that continue each other, down or right, draw the very same pixels as one by one.
expect_eq "$(count_colour "$WORK/runs.png" AAAAAA)" 400 "column runs"
expect_eq "$(count_colour "$WORK/runs.png" BBBBBB)" 100 "a different colour ends a run"
expect_eq "$(count_colour "$WORK/runs.png" CCCCCC)" 200 "row runs"
expect_eq "$(count_colour "$WORK/runs.png" DDDDDD)" 200 "offset boxes stay two"
expect_eq "$(pixels "$WORK/runs.png" 305,25 315,25 505,5 510,15 504,15)" \
    "BBBBBB 000000 DDDDDD DDDDDD 000000 " "run edges"

# The transparent colour shows what lies beneath; a copy of the screen is opaque all over.
expect_eq "$(pixels "$WORK/keyed_drawn.png" 50,50 150,150)" "0000FF 00FF00 " "keyed picture"
expect_eq "$(pixels "$WORK/copy_drawn.png" 50,50 150,150 799,399)" "0000FF 00FF00 0000FF " \
    "screen copy drawn with transparency"

# A picture stretched twice is sampled by the nearest pixel: no blend at the stripes' border.
expect_eq "$(pixels "$WORK/stretched.png" 3,1 4,1 7,3 8,3)" "FF0000 00FF00 00FF00 000000 " \
    "stretched by the nearest pixel"
echo "pictures: ok"
