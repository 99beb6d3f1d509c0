#!/usr/bin/env bash
# The asset generator redraws every committed picture and model exactly, and the pictures keep the
# sizes and cell layouts the game cuts them by. Usage: test_assets_reproducible.sh BUILD/quarnel SOURCE_DIR
set -euo pipefail

generator="$(dirname "$1")/quarnel-assets"
source_dir=$2
[[ -x $generator ]] || { echo "FAIL: generator not built: $generator"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$generator" "$work/tree"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
have_python=0
command -v python3 >/dev/null && have_python=1

# Same pixels in two PNGs, whatever the compressor did (another zlib may pack them differently).
same_pixels() {
    python3 "$work/png.py" same "$1" "$2"
}

cat >"$work/png.py" <<'PY'
import struct, sys, zlib

def decode(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat, w = 8, b"", 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            w, h, depth, colour = struct.unpack(">IIBB", body[:10])
            assert (depth, colour) == (8, 2), "expected 8-bit RGB"
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw, stride, rows, prev = zlib.decompress(idat), w * 3, [], bytearray(w * 3)
    for y in range(h):
        f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 3] if i >= 3 else 0
            b, c = prev[i], prev[i - 3] if i >= 3 else 0
            if f == 1: line[i] = (line[i] + a) & 255
            elif f == 2: line[i] = (line[i] + b) & 255
            elif f == 3: line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        prev = line
    return w, h, rows

if __name__ == "__main__" and sys.argv[1] == "same":
    sys.exit(0 if decode(sys.argv[2]) == decode(sys.argv[3]) else 1)
PY

# 1. Every generated file is committed, unchanged, and nothing committed is left ungenerated.
(cd "$work/tree" && find res res_3d -type f | sort) >"$work/generated.list"
(cd "$source_dir" && find res res_3d -type f | sort) >"$work/committed.list"
diff "$work/generated.list" "$work/committed.list" >"$work/lists.diff" ||
    fail "generated and committed file sets differ (< generated only, > committed only):
$(cat "$work/lists.diff")"
while read -r f; do
    [[ -f $source_dir/$f ]] || continue
    cmp -s "$work/tree/$f" "$source_dir/$f" && continue
    if [[ $f == *.png && $have_python == 1 ]] && same_pixels "$work/tree/$f" "$source_dir/$f"; then continue; fi
    fail "$f differs from what the generator draws; rerun quarnel-assets and commit"
done <"$work/generated.list"

# 2. Picture sizes, read from the PNG header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}'; }
expect_size() {
    local got
    got=$(png_size "$source_dir/$1")
    [[ $got == "$2 $3" ]] || fail "$1 is $got, expected $2 $3"
}
expect_size res/Player.png 40 10
expect_size res/d_meter.png 600 60
expect_size res/counter.png 200 48
expect_size res/icon16.png 16 16
expect_size res/icon32.png 32 32
# drawn at (x, y) and required to stay inside the rectangle up to (right, bottom)
expect_inside() {
    local w h
    read -r w h < <(png_size "$source_dir/$1")
    ((${2} + w <= ${4} && ${3} + h <= ${5})) || fail "$1 ($w x $h) drawn at ($2, $3) passes ($4, $5)"
}
expect_inside res/title_maze.png 175 60 800 180     # above the stage line
expect_inside res/start.png 255 100 800 400
expect_inside res/goal.png 149 60 528 272           # over the reduced 3-D view
expect_inside res/d_meter_panel.png 20 276 800 400
read -r pw ph < <(png_size "$source_dir/res/d_meter_panel.png")
((20 + pw >= 740 && 276 + ph >= 372)) || fail "panel ($pw x $ph) does not reach the counters at (740, 372)"
for f in "$source_dir"/res_3d/*.png; do
    read -r w h < <(png_size "$f")
    ((w == h && (w & (w - 1)) == 0)) || fail "texture $(basename "$f") is $w x $h, not a square power of two"
done

# 3. Models: sixteen frames each, and every texture they name is there.
for m in wall wall_SG wall_ETC; do
    model="$source_dir/res_3d/$m.mqo"
    [[ -f $model ]] || { fail "$m.mqo missing"; continue; }
    n=$(grep -c '^Object ' "$model" || true)
    [[ $n == 16 ]] || fail "$m.mqo has $n objects, expected 16"
    for tex in $(grep -o 'tex("[^"]*")' "$model" | sed 's/tex("\(.*\)")/\1/' | sort -u); do
        [[ -f $source_dir/res_3d/$tex ]] || fail "$m.mqo names missing texture $tex"
    done
done

# 4. Cell layouts and model frames, checked on the pixels and vertices themselves.
if [[ $have_python == 1 ]]; then
    python3 - "$source_dir" "$work" <<'PY' || failures=$((failures + 1))
import glob, re, sys
sys.path.insert(0, sys.argv[2])
from png import decode

src, problems = sys.argv[1], []
KEY = (0, 255, 0)

def px(rows, x, y):
    return tuple(rows[y][x * 3:x * 3 + 3])

def opaque(rows, x, y):
    return px(rows, x, y) != KEY

def check(ok, message):
    if not ok:
        problems.append(message)

# counter: rows 16-31 of cell d are rows 0-15 of cell d + 1, so the rolling window lands on the next digit
w, h, counter = decode(f"{src}/res/counter.png")
cells = [[counter[y][d * 60:(d + 1) * 60] for y in range(48)] for d in range(10)]
for d in range(10):
    check(cells[d][16:32] == cells[(d + 1) % 10][0:16], f"counter cell {d}: lower band is not the next digit")
    check(any(opaque(counter, d * 20 + x, y) for y in range(16) for x in range(20)), f"counter cell {d}: nothing drawn")
tops = [tuple(cells[d][0:16]) for d in range(10)]
check(len(set(tops)) == 10, "counter digits are not all different")

# time digits: twelve distinct cells, each with something lit on a transparent ground
w, h, meter = decode(f"{src}/res/d_meter.png")
shapes = []
for k in range(12):
    lit = frozenset((x, y) for y in range(60) for x in range(50) if opaque(meter, k * 50 + x, y))
    check(0 < len(lit) < 50 * 60, f"d_meter cell {k}: empty or without transparency")
    shapes.append(lit)
check(len(set(shapes)) == 12, "d_meter cells are not all different")
check(len(shapes[8]) > max(len(shapes[d]) for d in range(10) if d != 8), "d_meter 8 should light the most")

# arrows: cell k is cell 0 turned k quarter turns counter-clockwise, and cell 0 points right
w, h, player = decode(f"{src}/res/Player.png")
def shape(k):
    return {(x, y) for y in range(10) for x in range(10) if opaque(player, k * 10 + x, y)}
right = shape(0)
turn = lambda s: {(y, 9 - x) for x, y in s}     # a quarter turn counter-clockwise, y pointing down
expected = right
for k in range(1, 4):
    expected = turn(expected)
    check(shape(k) == expected, f"Player cell {k} is not cell {k - 1} turned a quarter counter-clockwise")
height = lambda s, col: sum(1 for x, y in s if x == col)
check(height(right, 8) < height(right, 1), "Player cell 0 does not point right")

# transparency: pure green marks the clear parts of the screen pictures; icons and textures are opaque
for name in ["Player", "d_meter", "counter", "d_meter_panel", "title_maze", "start", "goal"]:
    w, h, rows = decode(f"{src}/res/{name}.png")
    check(any(not opaque(rows, x, y) for y in range(h) for x in range(w)), f"{name}.png has no transparent pixel")
for path in [f"{src}/res/icon16.png", f"{src}/res/icon32.png"] + sorted(glob.glob(f"{src}/res_3d/*.png")):
    w, h, rows = decode(path)
    check(all(opaque(rows, x, y) for y in range(h) for x in range(w)), f"{path} has transparent pixels")

# panel at (20, 276): solid under the time digits and both counters, so the background never shows there
w, h, panel = decode(f"{src}/res/d_meter_panel.png")
for name, (x0, y0, x1, y1) in {"time digits": (40, 300, 490, 360), "route counter": (580, 308, 740, 324),
                               "step counter": (580, 356, 740, 372)}.items():
    holes = sum(1 for y in range(y0, y1) for x in range(x0, x1) if not opaque(panel, x - 20, y - 276))
    check(holes == 0, f"panel has {holes} transparent pixels under the {name}")

# models: frame m has the floor, the ceiling and one wall per solid side of m, on that side
# (file z is world z mirrored: the +Z wall, bit 4, lies at z = -500)
sides = {1: (0, 500), 2: (0, -500), 4: (2, -500), 8: (2, 500)}
for model in ["wall", "wall_SG", "wall_ETC"]:
    text = open(f"{src}/res_3d/{model}.mqo").read()
    objects = re.findall(r'Object "([^"]*)" \{.*?vertex \d+ \{(.*?)\}.*?face (\d+) \{(.*?)\}', text, re.S)
    check([name[:6] for name, *_ in objects] == [f"mask{m:02d}" for m in range(16)],
          f"{model}.mqo objects are not mask00..mask15 in order")
    for m, (name, vtext, nfaces, ftext) in enumerate(objects):
        verts = [tuple(map(float, line.split())) for line in vtext.strip().splitlines()]
        check(all(-500 <= x <= 500 and 0 <= y <= 1000 and -500 <= z <= 500 for x, y, z in verts),
              f"{model}.mqo {name}: a vertex leaves the cell")
        walls = set()
        for face in re.findall(r"V\(([\d ]+)\)", ftext):
            pts = [verts[int(i)] for i in face.split()]
            for bit, (axis, at) in sides.items():
                if all(p[axis] == at for p in pts):
                    walls.add(bit)
        expected = {bit for bit in sides if m & bit}
        check(walls == expected and int(nfaces) == 2 + len(expected),
              f"{model}.mqo {name}: walls on sides {sorted(walls)}, expected {sorted(expected)}")

for p in problems:
    print("FAIL:", p)
sys.exit(1 if problems else 0)
PY
else
    echo "SKIP: python3 not found; cell layouts and model frames not checked"
fi

((failures == 0)) || { echo "$failures check(s) failed"; exit 1; }
echo "assets: all checks passed"
