# The asset generator redraws every committed picture and model, and the pictures keep what the game
# relies on: sizes and cell layouts, the transparent green where the screen shows through, distinct
# digits, and counter cells whose lower band is the next digit, which rolling the window shows.
source "$(dirname "$0")/lib.sh"
generator="$BUILD_DIR/quarnel-assets"
[[ -x "$generator" ]] || fail "no asset generator at $generator"
"$generator" "$WORK/tree" >"$WORK/out" 2>&1 || fail "quarnel-assets failed: $(cat "$WORK/out")"

# Every generated file is committed unchanged (pictures may be packed otherwise by another zlib), and
# nothing committed is left ungenerated.
diff <(cd "$WORK/tree" && find res res_3d -type f | sort) <(cd "$SOURCE" && find res res_3d -type f | sort) ||
    fail "generated and committed file sets differ (< generated only, > committed only)"
for file in $(cd "$WORK/tree" && find res res_3d -type f); do
    cmp -s "$WORK/tree/$file" "$SOURCE/$file" && continue
    [[ $file == *.png && $("$PNG_PROBE" "$WORK/tree/$file" diff "$SOURCE/$file") == 0 ]] ||
        fail "$file differs from what the generator draws; rerun quarnel-assets and commit"
done

cd "$SOURCE/res"
sizes=$(for p in Player d_meter counter icon16 icon32; do "$PNG_PROBE" "$p.png" size; done | tr '\n' ' ')
expect_eq "$sizes" "40 10 600 60 200 48 16 16 32 32 " "sizes of the cut pictures and the icons"
# fits PICTURE X Y RIGHT BOTTOM: drawn at (X, Y) it stays left of RIGHT and above BOTTOM.
fits() {
    local w h
    read -r w h < <("$PNG_PROBE" "$1" size)
    (($2 + w <= $4 && $3 + h <= $5)) || fail "$1 ($w x $h) drawn at ($2, $3) passes ($4, $5)"
}
fits title_maze.png 175 60 800 180 # above the stage line
fits start.png 255 100 800 400
fits goal.png 149 60 528 272 # over the reduced 3-D view
fits d_meter_panel.png 20 276 800 400
for p in Player d_meter counter d_meter_panel title_maze start goal; do
    (($(count_colour "$p.png" 00FF00) > 0)) || fail "$p.png has no transparent pixel"
done
for p in icon16.png icon32.png ../res_3d/*.png; do expect_eq "$(count_colour "$p" 00FF00)" 0 "green pixels of $p"; done

# distinct PICTURE W H COUNT: the cells of a strip differ from the first one.
distinct() {
    for k in $(seq 1 $(($4 - 1))); do
        [[ $("$PNG_PROBE" "$1" diff "$1" "0,0,$2,$3" "$((k * $2)),0") != 0 ]] || fail "$1 cells 0 and $k look alike"
    done
}
distinct Player.png 10 10 4
distinct d_meter.png 50 60 12
distinct counter.png 20 16 10
for d in $(seq 0 9); do
    expect_eq "$("$PNG_PROBE" counter.png diff counter.png $((d * 20)),16,20,16 $(((d + 1) % 10 * 20)),0)" 0 \
        "pixels of counter cell $d's lower band differing from the next digit"
done

# Models: sixteen frames each and every texture they name (test_models.sh checks where their walls are).
for model in ../res_3d/*.mqo; do
    expect_eq "$(grep -c '^Object ' "$model")" 16 "frames of $model"
    for tex in $(grep -o 'tex("[^"]*")' "$model" | sed 's/tex("\(.*\)")/\1/' | sort -u); do
        [[ -f "../res_3d/$tex" ]] || fail "$model names a missing texture $tex"
    done
done
echo "ok"
