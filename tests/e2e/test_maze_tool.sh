# The maze tool: golden mazes, the reason and usage for a command line it refuses, the picture.
source "$(dirname "$0")/lib.sh"
tool="$BUILD_DIR/quarnel-maze"
fixtures="$SOURCE/tests/fixtures/mazes"

# Golden mazes: seed<N>-algorithm<A>-count<K>.txt holds the tool's output for those options.
goldens=0
for golden in "$fixtures"/seed*-algorithm*-count*.txt; do
    IFS=- read -r seed algorithm count <<<"$(basename "$golden" .txt)"
    "$tool" --seed "${seed#seed}" --algorithm "${algorithm#algorithm}" --count "${count#count}" |
        cmp -s - "$golden" || fail "$(basename "$golden"): the output differs from the golden maze"
    goldens=$((goldens + 1))
done
((goldens >= 4)) || fail "only $goldens golden mazes in $fixtures"
# Defaults: seed 1, algorithm 1, one maze; a value may follow its option after '='.
head -n 42 "$fixtures/seed1-algorithm1-count3.txt" | cmp -s - <("$tool") || fail "defaults"
"$tool" --seed=5 --algorithm=2 | cmp -s - "$fixtures/seed5-algorithm2-count1.txt" || fail "--seed=5 --algorithm=2"

# Refused: the reason and the usage on stderr, nothing on stdout, exit code 2.
while IFS='|' read -r options reason; do
    rc=0
    # shellcheck disable=SC2086
    "$tool" $options >"$WORK/out" 2>"$WORK/err" || rc=$?
    expect_eq "$rc" 2 "exit code for '$options'"
    [[ ! -s "$WORK/out" ]] || fail "'$options' wrote to stdout"
    grep -q -F "quarnel-maze: $reason" "$WORK/err" && grep -q usage "$WORK/err" ||
        fail "'$options': no '$reason' and usage: $(cat "$WORK/err")"
done <<TABLE
--algorithm 3|--algorithm needs 1 or 2
--algorithm 0|--algorithm needs 1 or 2
--seed -1|--seed needs a number
--seed 4294967296|--seed needs a number
--seed=x|--seed needs a number
--count 0|--count needs a number
--count|--count needs a value
--bogus|unknown option '--bogus'
--seed 1 2|unknown option '2'
--format png|--format png needs --output
--format bmp|--format needs text or png
--output $WORK/x.png|--output needs --format png
--shots p|--shots needs --script
--script 1 --algorithm 2|--algorithm does not go with --script
--count 2 --script 1,2|--count does not go with --script
TABLE

# The picture: 567 x 287.
"$tool" --seed 7 --algorithm 2 --format png --output "$WORK/maze.png" || fail "png: exit code $?"
expect_eq "$("$PNG_PROBE" "$WORK/maze.png" size)" "567 287" "picture size"
echo "ok"
