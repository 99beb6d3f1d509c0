#!/usr/bin/env bash
# The maze tool: golden text output, usage errors, picture size.
# Usage: test_maze_tool.sh <path of build/quarnel> <source dir>
set -u
tool="$(dirname "$1")/quarnel-maze"
fixtures="$2/tests/fixtures/mazes"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ -x "$tool" ] || { echo "FAIL: no maze tool at $tool"; exit 1; }

# Golden mazes: seed<N>-algorithm<A>-count<K>.txt holds the tool's output for those options.
goldens=0
for golden in "$fixtures"/seed*-algorithm*-count*.txt; do
    name="$(basename "$golden" .txt)"
    seed="${name#seed}"; seed="${seed%%-*}"
    algorithm="${name#*-algorithm}"; algorithm="${algorithm%%-*}"
    count="${name##*-count}"
    "$tool" --seed "$seed" --algorithm "$algorithm" --count "$count" > "$work/out.txt" \
        || fail "$name: exit code $?"
    cmp -s "$work/out.txt" "$golden" || fail "$name: output differs from the golden maze"
    goldens=$((goldens + 1))
done
[ "$goldens" -ge 4 ] || fail "only $goldens golden mazes found in $fixtures"

# Defaults are seed 1, algorithm 1, one maze.
"$tool" > "$work/default.txt"
head -n 42 "$fixtures/seed1-algorithm1-count3.txt" | cmp -s - "$work/default.txt" || fail "defaults"

# Bad options: the reason and the usage on stderr, nothing on stdout, exit code 2.
bad_option_sets=(
    "--algorithm 3|--algorithm needs 1 or 2" "--algorithm 0|--algorithm needs 1 or 2"
    "--seed -1|--seed needs a number" "--seed 4294967296|--seed needs a number" "--seed abc|--seed needs a number"
    "--count 0|--count needs a number" "--count|--count needs a value" "--bogus|unknown option '--bogus'"
    "--format png|--format png needs --output" "--format bmp|--format needs text or png"
    "--output $work/x.png|--output needs --format png" "--seed 1 2|unknown option '2'"
    "--shots p|--shots needs --script" "--seed=x|--seed needs a number"
)
for entry in "${bad_option_sets[@]}"; do
    options=${entry%%|*}
    # shellcheck disable=SC2086
    "$tool" $options > "$work/stdout" 2> "$work/stderr"
    code=$?
    [ "$code" -eq 2 ] || fail "'$options': exit code $code, wanted 2"
    [ -s "$work/stdout" ] && fail "'$options': wrote to stdout"
    grep -q -F "quarnel-maze: ${entry#*|}" "$work/stderr" || fail "'$options': no reason '${entry#*|}': $(head -1 "$work/stderr")"
    grep -q "usage" "$work/stderr" || fail "'$options': no usage on stderr"
done
# GNU style: a value after '='.
"$tool" --seed=5 --algorithm=2 | cmp -s - "$fixtures/seed5-algorithm2-count1.txt" || fail "--seed=5 --algorithm=2"

# The picture: a 567 x 287 PNG.
"$tool" --seed 7 --algorithm 2 --format png --output "$work/maze.png" || fail "png: exit code $?"
if [ -s "$work/maze.png" ]; then
    signature="$(od -An -tx1 -N8 "$work/maze.png" | tr -d ' \n')"
    [ "$signature" = "89504e470d0a1a0a" ] || fail "png: not a PNG file"
    size="$(od -An -tu1 -j16 -N8 "$work/maze.png" | tr -s ' ' | sed 's/^ //')"
    [ "$size" = "0 0 2 55 0 0 1 31" ] || fail "png: size bytes '$size', wanted 567 x 287"
else
    fail "png: no file written"
fi

[ "$failures" -eq 0 ] && echo "maze tool: all checks passed"
exit $((failures > 0))
