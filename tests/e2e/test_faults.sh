# Broken files on a player's machine: missing, damaged or cut-short pictures, models and textures,
# a settings file that is a folder, unreadable or huge. Each time the game plays on (title, a step
# and a turn, E, title, Escape) and ends with 0, draws nothing where a file failed, and says one
# line on stderr for each failure, naming the file.
source "$(dirname "$0")/lib.sh"
start_display
# A copy outside the build folder, which would find the source tree's files where these are broken.
mkdir "$WORK/bin"
cp "$GAME" "$WORK/bin/quarnel"
GAME="$WORK/bin/quarnel"

# A fresh play folder with its own copies of the pictures and models, to be broken.
fresh_folder() {
    local dir="$WORK/$1"
    mkdir -p "$dir"
    cp -r "$SOURCE/res" "$SOURCE/res_3d" "$dir/"
    echo "$dir"
}

# play_broken NAME EXPECTED_LINES FILE...: replays a short visit in the current folder and checks
# the exit code, the number of lines on stderr and that each file named is mentioned.
play_broken() {
    local name=$1 lines=$2
    shift 2
    printf '5 -\nshot %s_title.png\n2 return\n1 -\n31 up\n31 left\n5 -\nshot %s_play.png\n1 e\n1 -\n5 -\n' \
        "$WORK/$name" "$WORK/$name" >"$WORK/visit.txt"
    printf 'shot %s_title2.png\n2 -\n1 escape\n' "$WORK/$name" >>"$WORK/visit.txt"
    local rc=0 err=$WORK/${name}_err.txt file
    "$GAME" --replay "$WORK/visit.txt" 2>"$err" || rc=$?
    expect_eq "$rc" 0 "exit code with $name"
    expect_eq "$(wc -l <"$err")" "$lines" "lines on stderr with $name ($(cat "$err"))"
    for file in "$@"; do grep -q -F "$file" "$err" || fail "no line names $file: $(cat "$err")"; done
    grep -v '^quarnel: ' "$err" >&2 && fail "a line on stderr with $name is not the game's own"
    for shot in title play title2; do [[ -s "$WORK/${name}_$shot.png" ]] || fail "no $shot picture with $name"; done
}

# Pictures: missing, random bytes, cut short, a folder of that name, empty; each icon names itself.
cd "$(fresh_folder pictures)"
rm res/goal.png res/icon16.png
head -c 100 "$SOURCE/res/icon32.png" >res/icon32.png
head -c 3000 /dev/urandom >res/title_maze.png
head -c 200 "$SOURCE/res/start.png" >res/start.png
rm res/d_meter.png && mkdir res/d_meter.png
: >res/counter.png
play_broken pictures 7 res/goal.png res/title_maze.png res/start.png res/d_meter.png res/counter.png \
    res/icon16.png res/icon32.png
# The title draws its text but no maze picture; play still draws its layout and 3-D view.
expect_eq "$("$PNG_PROBE" "$WORK/pictures_title.png" 400,100)" 000000 "title without its maze picture"
(($(count_colour "$WORK/pictures_title.png" FFFFFF) > 300)) || fail "no text on the title"
expect_eq "$("$PNG_PROBE" "$WORK/pictures_play.png" 5,5)" 333333 "play layout without some pictures"
[[ "$("$PNG_PROBE" "$WORK/pictures_play.png" 272,144)" != 333333 ]] || fail "no 3-D view without some pictures"

# Models: random bytes, missing, larger than any model may be. Play draws no walls at all.
cd "$(fresh_folder models)"
head -c 5000 /dev/urandom >res_3d/wall.mqo
rm res_3d/wall_SG.mqo
{ head -c 17000000 /dev/zero | tr '\0' ' '; cat "$SOURCE/res_3d/wall_ETC.mqo"; } >res_3d/wall_ETC.mqo
play_broken models 3 res_3d/wall.mqo res_3d/wall_SG.mqo res_3d/wall_ETC.mqo
expect_eq "$("$PNG_PROBE" "$WORK/models_play.png" 5,5 272,144)" $'333333\n000000' "play without models"

# Textures: missing, random bytes, cut short. Every model that uses one says so once.
cd "$(fresh_folder textures)"
rm res_3d/tex_floor.png
head -c 999 /dev/urandom >res_3d/tex_ceiling.png
head -c 300 "$SOURCE/res_3d/tex_wall.png" >res_3d/tex_wall.png
uses=$(for m in res_3d/*.mqo; do grep -o -E 'tex\("tex_(floor|ceiling|wall)\.png"\)' "$m" | sort -u; done | wc -l)
play_broken textures "$uses" res_3d/tex_floor.png res_3d/tex_ceiling.png res_3d/tex_wall.png
[[ "$("$PNG_PROBE" "$WORK/textures_play.png" 272,144)" != 333333 ]] || fail "no 3-D view without textures"

# No data anywhere: one line naming the folders tried, instead of one per file.
mkdir -p "$WORK/empty" && cd "$WORK/empty"
play_broken empty 1 "$WORK/empty" "$WORK/share/quarnel"
grep -q "res/, res_3d/" "$WORK/empty_err.txt" || fail "the line does not say what is missing: $(cat "$WORK/empty_err.txt")"

# The settings file: a folder of that name, then a huge one (only its first field is read), then
# one that cannot be read (not for root, whom permissions do not stop).
cd "$(play_folder)"
mkdir QUARNEL_ini.txt
play_broken settings_folder 1 QUARNEL_ini.txt
rmdir QUARNEL_ini.txt
head -c 50000000 /dev/zero | tr '\0' '7' >QUARNEL_ini.txt
play_broken settings_huge 0
if [[ $(id -u) -ne 0 ]]; then
    echo 1.5 >QUARNEL_ini.txt
    chmod 000 QUARNEL_ini.txt
    play_broken settings_unreadable 1 QUARNEL_ini.txt
fi
rm -f QUARNEL_ini.txt
echo "ok"
