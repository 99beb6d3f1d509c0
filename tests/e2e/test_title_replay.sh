# The title screen as a replay sees it: pictures of the first visit, a choice and a re-seed.
source "$(dirname "$0")/lib.sh"
start_display
cd "$(play_folder)"

cat >"$WORK/title.txt" <<SCRIPT
10 -
shot $WORK/first.png
10 down
5 r
1 -
shot $WORK/chosen.png
2 -
1 escape
SCRIPT
rc=0
"$GAME" --replay "$WORK/title.txt" 2>"$WORK/stderr" || rc=$?
expect_eq "$rc" 0 "exit code"

expect_eq "$("$PNG_PROBE" "$WORK/first.png" size)" "800 400" "picture size"
# First visit: white lines, the grey second algorithm, no yellow.
(($(count_colour "$WORK/first.png" FFFFFF) > 300)) || fail "too little white text on the first title"
(($(count_colour "$WORK/first.png" 808080) > 50)) || fail "no grey line on the first title"
expect_eq "$(count_colour "$WORK/first.png" FFFF00)" 0 "yellow pixels before a re-seed"
# The background stays black where no text is.
expect_eq "$("$PNG_PROBE" "$WORK/first.png" 10,390 790,390 500,200)" $'000000\n000000\n000000' "background"

# After down and R: the re-seed line and its mark are yellow.
(($(count_colour "$WORK/chosen.png" FFFF00) > 100)) || fail "no yellow text after R"
echo "ok"
