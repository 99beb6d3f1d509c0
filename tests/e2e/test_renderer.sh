# The real renderer, driven by the model probe. 2-D: whole-screen and small boxes, runs of equal
# boxes, the transparent colour, pictures stretched by the nearest pixel, opaque screen copies. 3-D,
# over a fixture scene: what lies on the left is drawn on the left, near hides far, a left turn
# brings the left wall ahead, pictures, light and failed loads, a model removed while a copy holds
# it; and the game's wall models have their walls on the sides their frames say.
source "$(dirname "$0")/lib.sh"
PROBE="$BUILD_DIR/tests/model_probe"
[[ -x "$PROBE" ]] || fail "no model probe at $PROBE"
start_display

# shot NAME COMMAND...: a probe script part that clears, runs the commands and saves NAME.png.
shot() {
    printf 'clear\n'
    printf '%s\n' "${@:2}"
    printf 'shot %s/%s.png\n' "$WORK" "$1"
}

# Pictures to load are made by the probe itself: boxes, then a shot of the screen.
{
    shot keyed "box 0 0 800 400 FF00FF" "box 100 100 200 200 00FF00"
    shot stripes "box 0 0 2 2 FF0000" "box 2 0 4 2 00FF00"
    shot whole "box 0 0 800 400 102030"
    shot runs "box 300 0 310 10 AAAAAA" "box 300 10 310 20 AAAAAA" "box 300 20 310 30 BBBBBB" \
        "box 310 0 320 10 AAAAAA" "box 310 10 320 20 AAAAAA" "box 400 0 410 10 CCCCCC" "box 410 0 420 10 CCCCCC" \
        "box 500 0 510 10 DDDDDD" "box 505 10 515 20 DDDDDD"
    printf 'trans FF00FF\npicture %s/keyed.png\npicture %s/stripes.png\nmake 800 400\n' "$WORK" "$WORK"
    shot keyed_drawn "box 0 0 800 400 0000FF" "graph 0 0 0 1"
    printf 'grab 0 0 800 400 2\n'
    shot copy_drawn "box 0 0 800 400 FF0000" "graph 2 0 0 1"
    shot stretched "extend 1 0 0 1600 800 0"
} | "$PROBE" >"$WORK/out" 2>"$WORK/err"
[[ -s "$WORK/err" ]] && fail "probe stderr: $(cat "$WORK/err")"
expect_eq "$(grep -c '^graph [0-9]' "$WORK/out")" 3 "pictures made"
expect_eq "$(count_colour "$WORK/whole.png" 102030)" 320000 "a whole-screen box fills every pixel"
# Boxes that continue each other, down or right, draw the very same pixels as one by one.
counts=$(for c in AAAAAA BBBBBB CCCCCC DDDDDD; do count_colour "$WORK/runs.png" $c; done | tr '\n' ' ')
expect_eq "$counts" "400 100 200 200 " "pixels of a column run, a colour ending it, a row run, offset boxes"
expect_pixels "$WORK/runs.png" 305,25=BBBBBB 315,25=000000 505,5=DDDDDD 510,15=DDDDDD 504,15=000000
# The transparent colour shows what lies beneath; a copy of the screen is opaque all over.
expect_pixels "$WORK/keyed_drawn.png" 50,50=0000FF 150,150=00FF00
expect_pixels "$WORK/copy_drawn.png" 50,50=0000FF 150,150=00FF00 799,399=0000FF
# A picture stretched twice is sampled by the nearest pixel: no blend at the stripes' border.
expect_pixels "$WORK/stretched.png" 3,1=FF0000 4,1=00FF00 7,3=00FF00 8,3=000000

# Models load relative to the working folder, their pictures relative to the model. Frames of
# probe_scene.mqo: 0 red wall on world +Z and green wall on -Z along the X axis, 1 blue wall across
# X at 2000, 2 yellow square across X at 1000, 3 white lit wall at 2000, 4 four-colour picture at
# 1000, 5 square whose picture is missing, 6 a hidden triangle.
cd "$SOURCE/tests/fixtures"
printf 'Metasequoia Document\nFormat Text Ver 1.0\nObject "cut" {\n\tvertex 8 {\n' >"$WORK/broken.mqo"
{
    printf 'load models/probe_scene.mqo\nload models/no_such_model.mqo\nload %s/broken.mqo\n' "$WORK"
    printf 'camera 0 500 0 1 500 0\nfov 1.0471975803375244\n'
    shot against_light "direction -1 0 0" "draw 0 3"
    shot with_light "direction 1 0 0" "draw 0 3"
    shot sides "light 0 500 0 30000 0 0.0005 0" "draw 0 0"
    shot near_first "draw 0 2" "draw 0 1"
    shot far_first "draw 0 1" "draw 0 2"
    shot turned_left "camera 0 500 0 0 500 1" "draw 0 0"
    shot from_behind "camera 0 500 1000 1 500 1000" "draw 0 0"
    shot picture "camera 0 500 0 1 500 0" "draw 0 4"
    shot missing_picture "draw 0 5"
    shot hidden "draw 0 6"
    shot lit "draw 0 3"
    shot dimmed "light 0 500 0 30000 0 0.002 0" "draw 0 3"
    shot out_of_range "light 0 500 0 1000 0 0.0005 0" "draw 0 3"
    shot boxes "box 0 0 800 400 808080" "draw 0 2" "box 390 190 410 210 00FFFF"
    printf 'clear\ndraw 0 7\ndraw -1 0\ndelete 0\ndraw 0 0\nload models/probe_scene.mqo\ndraw 0 0\n'
} | "$PROBE" >"$WORK/out" 2>"$WORK/err"
[[ -s "$WORK/out" ]] || fail "the probe printed nothing: $(cat "$WORK/err")"

# Load results and one line on stderr for each failure.
expect_eq "$(grep '^model' "$WORK/out" | head -n 3 | tr '\n' ' ')" "model 0 model -1 model -1 " "load results"
expect_eq "$(grep -c 'cannot load model' "$WORK/err")" 2 "lines about failed loads"
expect_eq "$(grep -c "missing.png" "$WORK/err")" 2 "lines about the missing picture (one a load)"
# Each shot's 3-D pass is one instanced draw, whatever frames it holds; the last one adds a small
# box (one draw) and a screen-sized one (filled by a clear, no draw).
expect_eq "$(grep '^calls' "$WORK/out" | head -n -1 | sort -u)" "calls 1" "GL draws per shot"
expect_eq "$(grep '^calls' "$WORK/out" | tail -n 1)" "calls 2" "GL draws of the shot with boxes"
# Frame 7 does not exist, -1 is no model, and a deleted model draws nothing, even once another
# model has taken its place.
expect_eq "$(grep '^draw' "$WORK/out" | tail -n 4 | tr '\n' ' ')" "draw -1 draw -1 draw -1 draw -1 " "refused draws"
expect_eq "$(grep '^model' "$WORK/out" | tail -n 1)" "model 65536" "the model in the released one's place"

# Looking along +X with Y up, +Z is on the left: red left, green right, the corridor dark between.
expect_pixels "$WORK/sides.png" 100,200=FF0000 60,380=FF0000 700,200=00FF00 740,20=00FF00 400,200=000000
# The near square hides the far wall whichever is drawn first.
for name in near_first far_first; do
    expect_pixels "$WORK/$name.png" 400,200=FFFF00 400,60=0000FF 600,200=0000FF 340,140=FFFF00
done
# A quarter turn to the left puts the red wall ahead, running off to the right.
expect_pixels "$WORK/turned_left.png" 400,200=FF0000 700,200=FF0000 20,200=000000
# Seen from its back the red wall is not drawn; the green wall's front shows through.
expect_pixels "$WORK/from_behind.png" 700,200=00FF00 400,200=000000
# The picture keeps its corners: red top left, green top right, blue bottom left, white bottom right.
expect_pixels "$WORK/picture.png" 330,130=FF0000 470,130=00FF00 330,270=0000FF 470,270=FFFFFF 100,200=000000
expect_pixels "$WORK/missing_picture.png" 400,200=FF00FF
[[ "$("$PNG_PROBE" "$WORK/hidden.png" 400,230)" != 000000 ]] || fail "the hidden object's frame was not drawn"
# 2-D boxes keep their order around the queued models.
expect_pixels "$WORK/boxes.png" 400,200=00FFFF 400,150=FFFF00 700,50=808080

# A model removed while a copy of the screen holds it: the screen and the copy have it all the same.
printf 'load models/probe_scene.mqo\ncamera 0 500 0 1 500 0\nlight 0 500 0 30000 0 0.0005 0\nmake 800 400\nclear
draw 0 0\ngrab 0 0 800 400 0\ndelete 0\nshot %s/settled.png\nextend 0 0 0 400 200 0\nshot %s/settled_copy.png\n' \
    "$WORK" "$WORK" | "$PROBE" >/dev/null 2>&1
expect_pixels "$WORK/settled.png" 100,200=FF0000 700,200=00FF00
expect_pixels "$WORK/settled_copy.png" 50,100=FF0000 350,100=00FF00 700,200=00FF00

# Grey level of a pixel, 0..255, when red, green and blue agree.
grey_at() {
    local hex
    hex=$("$PNG_PROBE" "$WORK/$1.png" "$2")
    [[ ${hex:0:2} == "${hex:2:2}" && ${hex:2:2} == "${hex:4:2}" ]] || fail "$1 at $2 is not grey: $hex"
    echo $((16#${hex:0:2}))
}
# Light: full face-on at distance 2000 with attenuation 1 / (0.0005 d); a quarter of that with
# 0.002; only the ambient share out of range or with a directional light from behind the wall.
lit=$(grey_at lit 400,200) dimmed=$(grey_at dimmed 400,200) ambient=$(grey_at out_of_range 400,200)
expect_eq "$lit" 255 "grey level of the lit wall"
((dimmed > ambient + 40 && dimmed < lit - 40)) || fail "dimmed wall at $dimmed, lit $lit, ambient $ambient"
((ambient > 20 && ambient < 120)) || fail "ambient share at $ambient"
expect_eq "$(grey_at with_light 400,200)" 255 "wall facing a directional light"
expect_eq "$(grey_at against_light 400,200)" "$ambient" "wall turned from a directional light"
# Light falls off across the wall: its edge lies further from the eye than its middle.
(($(grey_at dimmed 10,10) < dimmed)) || fail "the light does not weaken with distance"

# The game's wall models seen from the cell before theirs along +X: a frame with one solid side has
# its wall there alone. Frame 1 (world +X) ahead; frame 2 (world -X) shows the eye its back and is
# not drawn; 4 (world +Z) on the left; 8 (world -Z) on the right.
models=(wall wall_SG wall_ETC)
{
    printf 'camera -1000 500 0 0 500 0\nfov 1.0471975803375244\nlight -1000 500 0 30000 0 0.0005 0\n'
    for handle in 0 1 2; do
        printf 'load %s/res_3d/%s.mqo\n' "$SOURCE" "${models[handle]}"
        for frame in 1 2 4 8; do shot "${models[handle]}_$frame" "draw $handle $frame"; done
    done
} | "$PROBE" >"$WORK/walls.out" 2>&1
for model in "${models[@]}"; do
    seen=""
    for frame in 1 2 4 8; do
        for point in 400,200 170,200 630,200; do
            [[ "$("$PNG_PROBE" "$WORK/${model}_$frame.png" "$point")" == 000000 ]] && seen+=0 || seen+=1
        done
        seen+=" "
    done
    expect_eq "$seen" "100 000 010 001 " "$model: walls of frames 1, 2, 4, 8 in the middle, on the left, on the right"
done
echo "ok"
