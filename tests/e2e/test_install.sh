# An installation into a temporary prefix: the files a desktop expects, a valid menu entry, and a
# game that runs from any folder with its pictures, models and settings from the installed data
# folder unless the working folder has its own. The built game, too, runs from any folder.
source "$(dirname "$0")/lib.sh"

PREFIX="$WORK/prefix"
DATA="$PREFIX/share/quarnel"
cmake --install "$BUILD_DIR" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$WORK/install.log")"
for file in bin/quarnel bin/quarnel-maze share/quarnel/res/title_maze.png share/quarnel/res/goal.png \
    share/quarnel/res_3d/wall.mqo share/quarnel/res_3d/tex_wall.png share/applications/quarnel.desktop; do
    [[ -f "$PREFIX/$file" ]] || fail "not installed: $file"
done
for size in 16 32; do
    expect_eq "$("$PNG_PROBE" "$PREFIX/share/icons/hicolor/${size}x$size/apps/quarnel.png" size)" "$size $size" \
        "installed $size-pixel icon"
done
command -v desktop-file-validate >/dev/null || fail "desktop-file-validate is not installed"
desktop-file-validate "$PREFIX/share/applications/quarnel.desktop" || fail "the menu entry is not valid"
grep -qx 'Exec=quarnel' "$PREFIX/share/applications/quarnel.desktop" || fail "the menu entry starts something else"
grep -qx 'Icon=quarnel' "$PREFIX/share/applications/quarnel.desktop" || fail "the menu entry names another icon"
expect_eq "$("$PREFIX/bin/quarnel" --version)" "$("$GAME" --version)" "installed version"

start_display
# The title, then the first play frame (the models and their textures).
cat >"$WORK/walk.txt" <<SCRIPT
10 -
shot title.png
3 return
30 -
shot play.png
1 escape
SCRIPT

mkdir "$WORK/elsewhere"
cd "$WORK/elsewhere"
rc=0
"$PREFIX/bin/quarnel" --replay "$WORK/walk.txt" 2>"$WORK/stderr" || rc=$?
expect_eq "$rc" 0 "exit code of the installed game"
[[ ! -s "$WORK/stderr" ]] || fail "the installed game complained: $(cat "$WORK/stderr")"
# The same pictures as the built game shows from a folder with the data beside it.
mkdir "$WORK/reference"
(cd "$(play_folder)" && "$GAME" --replay "$WORK/walk.txt" 2>/dev/null && mv title.png play.png "$WORK/reference/")
cmp -s title.png "$WORK/reference/title.png" || fail "the installed title picture differs from the built game's"
cmp -s play.png "$WORK/reference/play.png" || fail "the installed play picture differs from the built game's"
(($(count_colour title.png FFFFFF) > 300)) || fail "no title text"

# The built game, not installed, finds the source tree's files from here too, and says nothing.
rm -f title.png play.png
"$GAME" --replay "$WORK/walk.txt" 2>"$WORK/stderr" || fail "the built game failed from another folder"
[[ ! -s "$WORK/stderr" ]] || fail "the built game complained from another folder: $(cat "$WORK/stderr")"
cmp -s play.png "$WORK/reference/play.png" || fail "the built game shows another play picture from here"

# Settings: the installed file applies from any folder, the working folder's wins.
echo "1.5" >"$DATA/QUARNEL_ini.txt"
expect_window_then_escape "$PREFIX/bin/quarnel" 1200x600 "window size with the installed settings file"
echo "1" >QUARNEL_ini.txt
expect_window_then_escape "$PREFIX/bin/quarnel" 800x400 "window size with a settings file in the working folder"
echo "ok"
