# The game opens its window, takes real keys, and scales the window by the settings file.
source "$(dirname "$0")/lib.sh"
start_display
cd "$(play_folder)"

expect_window_then_escape "$GAME" 800x400 "window size"
echo "1.5" >QUARNEL_ini.txt
expect_window_then_escape "$GAME" 1200x600 "window size"
rm QUARNEL_ini.txt

# A replay that presses Escape ends the game with 0.
printf '5 -\n1 escape\n' >"$WORK/escape.txt"
rc=0
"$GAME" --replay "$WORK/escape.txt" 2>"$WORK/stderr" || rc=$?
expect_eq "$rc" 0 "exit code of the Escape replay"
echo "ok"
