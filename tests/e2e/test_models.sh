# The 3-D calls on the real renderer, driven by the model probe over a fixture scene: what lies on
# the left is drawn on the left, near hides far, a left turn brings the left wall ahead, pictures,
# light and failed loads.
source "$(dirname "$0")/lib.sh"
PROBE="$BUILD_DIR/tests/model_probe"
[[ -x "$PROBE" ]] || fail "no model probe at $PROBE"
start_display

# Models load relative to the working folder, their pictures relative to the model.
cd "$SOURCE/tests/fixtures"
printf 'Metasequoia Document\nFormat Text Ver 1.0\nObject "cut" {\n\tvertex 8 {\n' >"$WORK/broken.mqo"

# Frames of probe_scene.mqo: 0 red wall on world +Z and green wall on -Z along the X axis,
# 1 blue wall across X at 2000, 2 yellow square across X at 1000, 3 white lit wall at 2000,
# 4 four-colour picture at 1000, 5 square whose picture is missing, 6 a hidden triangle.
"$PROBE" >"$WORK/out" 2>"$WORK/err" <<SCRIPT
load models/probe_scene.mqo
load models/no_such_model.mqo
load $WORK/broken.mqo
camera 0 500 0 1 500 0
fov 1.0471975803375244
direction -1 0 0
clear
draw 0 3
shot $WORK/against_light.png
clear
direction 1 0 0
draw 0 3
shot $WORK/with_light.png
clear
light 0 500 0 30000 0 0.0005 0
draw 0 0
shot $WORK/sides.png
clear
draw 0 2
draw 0 1
shot $WORK/near_first.png
clear
draw 0 1
draw 0 2
shot $WORK/far_first.png
clear
camera 0 500 0 0 500 1
draw 0 0
shot $WORK/turned_left.png
clear
camera 0 500 1000 1 500 1000
draw 0 0
shot $WORK/from_behind.png
clear
camera 0 500 0 1 500 0
draw 0 4
shot $WORK/picture.png
clear
draw 0 5
shot $WORK/missing_picture.png
clear
draw 0 6
shot $WORK/hidden.png
clear
draw 0 3
shot $WORK/lit.png
clear
light 0 500 0 30000 0 0.002 0
draw 0 3
shot $WORK/dimmed.png
clear
light 0 500 0 1000 0 0.0005 0
draw 0 3
shot $WORK/out_of_range.png
clear
box 0 0 800 400 808080
draw 0 2
box 390 190 410 210 00FFFF
shot $WORK/boxes.png
clear
draw 0 7
draw -1 0
delete 0
draw 0 0
SCRIPT
[[ -s "$WORK/out" ]] || fail "the probe printed nothing: $(cat "$WORK/err")"

# Load results and one line on stderr for each failure.
expect_eq "$(grep '^model' "$WORK/out" | tr '\n' ' ')" "model 0 model -1 model -1 " "load results"
expect_eq "$(grep -c 'cannot load model' "$WORK/err")" 2 "lines about failed loads"
expect_eq "$(grep -c 'missing.png' "$WORK/err")" 1 "lines about the missing picture"
# Each shot's 3-D pass is one instanced draw, whatever frames it holds; the last one adds a small
# box (one draw) and a screen-sized one (filled by a clear, no draw).
expect_eq "$(grep '^calls' "$WORK/out" | head -n -1 | sort -u)" "calls 1" "GL draws per shot"
expect_eq "$(grep '^calls' "$WORK/out" | tail -n 1)" "calls 2" "GL draws of the shot with boxes"
# Frame 7 does not exist, -1 is no model, and a deleted model draws nothing.
expect_eq "$(grep '^draw' "$WORK/out" | tail -n 3 | tr '\n' ' ')" "draw -1 draw -1 draw -1 " "refused draws"

# Grey level of a pixel, 0..255, when red, green and blue agree.
grey_at() {
    local hex
    hex=$("$PNG_PROBE" "$1" "$2")
    [[ ${hex:0:2} == "${hex:2:2}" && ${hex:2:2} == "${hex:4:2}" ]] || fail "$(basename "$1") at $2 is not grey: $hex"
    echo $((16#${hex:0:2}))
}

# Looking along +X with Y up, +Z is on the left: red left, green right, the corridor dark between.
expect_pixels "$WORK/sides.png" 100,200=FF0000 60,380=FF0000 700,200=00FF00 740,20=00FF00 400,200=000000
# The near square hides the far wall whichever is drawn first.
for shot in near_first far_first; do
    expect_pixels "$WORK/$shot.png" 400,200=FFFF00 400,60=0000FF 600,200=0000FF 340,140=FFFF00
done
# A quarter turn to the left puts the red wall ahead, running off to the right.
expect_pixels "$WORK/turned_left.png" 400,200=FF0000 700,200=FF0000 20,200=000000
# Seen from its back the red wall is not drawn; the green wall's front shows through.
expect_pixels "$WORK/from_behind.png" 700,200=00FF00 400,200=000000
# The picture keeps its corners: red top left, green top right, blue bottom left, white bottom right.
expect_pixels "$WORK/picture.png" 330,130=FF0000 470,130=00FF00 330,270=0000FF 470,270=FFFFFF 100,200=000000
expect_pixels "$WORK/missing_picture.png" 400,200=FF00FF
[[ "$("$PNG_PROBE" "$WORK/hidden.png" 400,230)" != 000000 ]] || fail "the hidden object's frame was not drawn"

# Light: full face-on at distance 2000 with attenuation 1 / (0.0005 d); a quarter of that with
# 0.002; only the ambient share out of range or with a directional light from behind the wall.
lit=$(grey_at "$WORK/lit.png" 400,200)
dimmed=$(grey_at "$WORK/dimmed.png" 400,200)
ambient=$(grey_at "$WORK/out_of_range.png" 400,200)
expect_eq "$lit" 255 "grey level of the lit wall"
((dimmed > ambient + 40 && dimmed < lit - 40)) || fail "dimmed wall at $dimmed, lit $lit, ambient $ambient"
((ambient > 20 && ambient < 120)) || fail "ambient share at $ambient"
expect_eq "$(grey_at "$WORK/with_light.png" 400,200)" 255 "wall facing a directional light"
expect_eq "$(grey_at "$WORK/against_light.png" 400,200)" "$ambient" "wall turned from a directional light"
# Light falls off across the wall: its edge lies further from the eye than its middle.
(($(grey_at "$WORK/dimmed.png" 10,10) < dimmed)) || fail "the light does not weaken with distance"

# The game's wall model seen from the cell before it along +X: a wall on one side only stands on
# that side of the view (frame 4, world +Z, on the left; frame 8, world -Z, on the right).
"$PROBE" >"$WORK/walls.out" 2>&1 <<SCRIPT
load $SOURCE/res_3d/wall.mqo
camera -1000 500 0 0 500 0
fov 1.0471975803375244
light -1000 500 0 30000 0 0.0005 0
clear
draw 0 4
shot $WORK/wall_left.png
clear
draw 0 8
shot $WORK/wall_right.png
SCRIPT
for shot in wall_left:170,200:630,200 wall_right:630,200:170,200; do
    IFS=: read -r name wall open <<<"$shot"
    [[ "$("$PNG_PROBE" "$WORK/$name.png" "$wall")" != 000000 ]] || fail "$name: no wall at $wall"
    expect_pixels "$WORK/$name.png" "$open=000000"
done

# 2-D boxes keep their order around the queued models.
expect_pixels "$WORK/boxes.png" 400,200=00FFFF 400,150=FFFF00 700,50=808080
echo "ok"
