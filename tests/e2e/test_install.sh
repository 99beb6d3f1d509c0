# An installation into a temporary prefix: the files a desktop expects, a valid menu entry, and a
# game that runs from any folder with its pictures, models and settings from the installed data
# folder unless the working folder has its own. The built game, too, runs from any folder.
source "$(dirname "$0")/lib.sh"

PREFIX="$WORK/prefix"
DATA="$PREFIX/share/quarnel"
cmake --install "$BUILD_DIR" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$WORK/install.log")"
for file in bin/quarnel bin/quarnel-maze share/quarnel/res/title_maze.png share/quarnel/res/goal.png \
    share/quarnel/res_3d/wall.mqo share/quarnel/res_3d/tex_wall.png share/applications/quarnel.desktop \
    share/quarnel/locale/en.mo share/quarnel/locale/ja.mo; do
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
expect_pictures_from_elsewhere "$PREFIX/bin/quarnel"
# The built game, not installed, finds the source tree's files from anywhere too.
expect_pictures_from_elsewhere "$GAME"
printf '1 escape\n' >"$WORK/quit.txt"
(cd "$WORK/elsewhere" && "$PREFIX/bin/quarnel" --lang en --replay "$WORK/quit.txt") || fail "no installed English texts"

# Settings: the installed file applies from any folder, the working folder's wins.
cd "$WORK/elsewhere"
echo "1.5" >"$DATA/QUARNEL_ini.txt"
expect_window_then_escape "$PREFIX/bin/quarnel" 1200x600 "window size with the installed settings file"
echo "1" >QUARNEL_ini.txt
expect_window_then_escape "$PREFIX/bin/quarnel" 800x400 "window size with a settings file in the working folder"
echo "ok"
