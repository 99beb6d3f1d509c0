# A whole stage in English (--lang en) on what a gamepad alone gives (its d-pad, its south button
# as Z with Return, Back as Escape): from the title through the score panel back to the title, the
# same result as on the keyboard; the title once re-seeded and the score panel match the pictures
# kept in golden/, and without --lang (or a lang line in the controls file) the title stays Japanese. A language without texts is refused.
source "$(dirname "$0")/lib.sh"
start_display
cd "$(play_folder)"
GOLDEN=$SOURCE/tests/e2e/golden
PANEL=122,40,300,200 # the score panel; the 3-D frame around it is the renderer's business

printf '10 -\n1 r\n1 -\nshot %s/title.png\n1 escape\n' "$WORK" >"$WORK/title.txt"
"$BUILD_DIR/quarnel-maze" --seed 1 --script 1 --shots "$WORK/s" | sed 's/ return$/ z+return/' >"$WORK/pad.txt"
grep -q "z+return" "$WORK/pad.txt" && ! grep -qE " (return|e|r)$" "$WORK/pad.txt" || fail "not a pad-only script"
"$GAME" --replay "$WORK/title.txt" --lang en 2>"$WORK/stderr"
expect_eq "$("$PNG_PROBE" "$WORK/title.png" diff "$GOLDEN/en_title.png")" 0 "pixels off the English title"
"$GAME" --seed 1 --replay "$WORK/pad.txt" --lang=en --report >"$WORK/report.txt" 2>>"$WORK/stderr"
[[ ! -s "$WORK/stderr" ]] || fail "the game complained: $(cat "$WORK/stderr")"
diff -u "$GOLDEN/seed1_stage1_dadizider1.txt" "$WORK/report.txt" || fail "result line on the pad"
expect_eq "$("$PNG_PROBE" "$WORK/s1_score.png" diff "$GOLDEN/en_score.png" $PANEL)" 0 "pixels off the English panel"
[[ -s "$WORK/send_title.png" ]] || fail "the pad did not leave the score panel for the title"
"$GAME" --replay "$WORK/title.txt"
[[ "$("$PNG_PROBE" "$WORK/title.png" diff "$GOLDEN/en_title.png")" != 0 ]] || fail "English without --lang"
mkdir -p "$XDG_CONFIG_HOME/quarnel" && echo "lang = en" >"$XDG_CONFIG_HOME/quarnel/controls.txt"
"$GAME" --replay "$WORK/title.txt"
expect_eq "$("$PNG_PROBE" "$WORK/title.png" diff "$GOLDEN/en_title.png")" 0 "pixels off the title the lang line asks for"

rc=0
"$GAME" --lang xx 2>"$WORK/stderr" || rc=$?
expect_eq "$rc $(wc -l <"$WORK/stderr")" "2 1" "exit code and lines on stderr for an unknown language"
echo "ok"
