#!/usr/bin/env bash
# The long run: a generated replay of many stages on the real backend under Xvfb, checking that heap,
# resident memory and live GL objects stay flat. `bash bench/soak.sh [STAGES]` from the repository
# root (default 200; `make soak` builds first). Most stages take a few steps and give up with E; the
# stages in SOAK_FULL (default "3 7 60 120 180") are walked to the exit and through the result
# screen. A sample is taken at the title before stage 1 and after every tenth stage; the run fails
# when heap or RSS grew by more than 1 MiB, or any GL object count changed, from the sample after
# stage 10 to the one after the last stage. Takes about 15 minutes on a 2-core machine.
set -euo pipefail
stages=${1:-200}
full=" ${SOAK_FULL-3 7 60 120 180} "
moves=${SOAK_MOVES:-4}
seed=${SOAK_SEED:-11}
build=${BUILD:-build}
source tests/e2e/lib.sh "$build/quarnel" .
probe=$BUILD_DIR/tests/libsoak_probe.so
[[ -f "$probe" ]] || fail "no $probe: build first (make soak)"
((stages >= 10)) || fail "at least 10 stages"

algorithms=$(seq "$stages" | awk '{printf "%s%d", (NR > 1 ? "," : ""), (NR % 2 ? 1 : 2)}')
"$BUILD_DIR/quarnel-maze" --seed "$seed" --script "$algorithms" >"$WORK/full.txt"
# Short stages keep the first moves of their walk and give up; samples go at every tenth title.
awk -v full="$full" -v moves="$moves" -v dir="$WORK" '
    function sample(after) { printf "shot %s/after_%03d.png\n", dir, after }
    /^# stage [0-9]+:/ {
        stage = $3 + 0; walking = 0; n = 0; skipping = 0
        short = index(full, " " stage " ") == 0
        if ((stage - 1) % 10 == 0) sample(stage - 1)
        print; next
    }
    /^# goal picture/ && short { print "1 e"; print "1 -"; skipping = 1; next }
    skipping && /^1 (return|-)$/ { next }
    /^2 -$/ { sample(stage) }
    /^1 -$/ && !walking { walking = 1; print; next }
    walking && short && /^31 / { if (++n > moves) next }
    { print }
' "$WORK/full.txt" >"$WORK/soak.txt"

start_display
cd "$(play_folder)"
echo "soak: $stages stages from seed $seed, full stages:$full$(date +%T)"
began=$(date +%s)
rc=0
LD_PRELOAD="$(realpath "$probe")" "$GAME" --seed "$seed" --replay "$WORK/soak.txt" --report \
    >"$WORK/report.txt" 2>"$WORK/stderr" || rc=$?
expect_eq "$rc" 0 "exit code"
echo "soak: $(($(date +%s) - began)) s, $(wc -l <"$WORK/report.txt") stages played to the score panel"
if grep -v '^soak ' "$WORK/stderr" >&2; then fail "the game wrote to stderr"; fi

# One row per sample: after stage, heap, RSS, then the GL counts.
grep '^soak ' "$WORK/stderr" | sed -E 's|^soak .*/after_0*([0-9]+)\.png|\1|; s/[a-z_]+=//g' |
    awk '{printf "%-7s %-9s %-9s %s %s %s %s %s %s %s\n", $1, $2, $3, $4, $5, $6, $7, $8, $9, $10}' >"$WORK/samples.txt"
echo "after  heap     rss_kib  textures buffers vertex_arrays framebuffers renderbuffers programs shaders"
cat "$WORK/samples.txt"
read -r -a at10 < <(awk '$1 == 10' "$WORK/samples.txt")
read -r -a last < <(awk -v s="$stages" '$1 == s' "$WORK/samples.txt")
[[ ${#at10[@]} -gt 0 && ${#last[@]} -gt 0 ]] || fail "samples after stage 10 and stage $stages are missing"
heap_growth=$((last[1] - at10[1]))
rss_growth=$(((last[2] - at10[2]) * 1024))
echo "growth from stage 10 to stage $stages: heap $heap_growth bytes, RSS $rss_growth bytes," \
    "GL objects $(echo "${at10[*]:3}") -> $(echo "${last[*]:3}")"
((heap_growth <= 1048576)) || fail "the heap grew by $heap_growth bytes"
((rss_growth <= 1048576)) || fail "RSS grew by $rss_growth bytes"
expect_eq "${last[*]:3}" "${at10[*]:3}" "live GL objects"
echo "ok"
