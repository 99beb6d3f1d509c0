# The Debian package: `make package` builds it into the build folder; its fields, files, manual pages
# and AppStream metadata pass Debian's checks; apt-get installs it with everything the programs
# need, the installed game shows its title from any folder, and a purge leaves nothing behind.
source "$(dirname "$0")/lib.sh"

ROOT=()
[[ $(id -u) -eq 0 ]] || ROOT=(sudo -n)
"${ROOT[@]}" true 2>/dev/null || fail "installing the package needs root or sudo without a password"
for tool in lintian appstreamcli dpkg-shlibdeps man; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (bash scripts/install-deps.sh test)"
done
# One package database: a run of this test from another checkout goes first, or is waited for below.
exec 9>"${TMPDIR:-/tmp}/quarnel-package-test.lock"
flock 9
APT=("${ROOT[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 -y -qq)
# Whether dpkg knows the package in any state but purged.
package_known() {
    local state
    state=$(dpkg-query -W -f='${db:Status-Status}' quarnel 2>/dev/null || true)
    [[ -n "$state" && "$state" != not-installed ]]
}

rm -f "$BUILD_DIR"/quarnel_*.deb
make -C "$SOURCE" package BUILD="$BUILD_DIR" >"$WORK/package.log" 2>&1 ||
    fail "make package failed: $(tail -n 30 "$WORK/package.log")"
debs=("$BUILD_DIR"/quarnel_*.deb)
[[ ${#debs[@]} -eq 1 && -f "${debs[0]}" ]] || fail "make package made no single build/quarnel_*.deb"
DEB=${debs[0]}

# Fields and files.
field() { dpkg-deb -f "$DEB" "$1"; }
VERSION=$("$GAME" --version | cut -d' ' -f2)
expect_eq "$(field Package) $(field Version) $(field Architecture) $(field Section)" \
    "quarnel $VERSION $(dpkg --print-architecture) games" "package fields"
dpkg-deb -c "$DEB" | awk '$6 !~ /\/$/ { sub(/^\./, "", $6); print $6 }' >"$WORK/files"
DATA=/usr/share/games/quarnel
for file in /usr/games/quarnel /usr/games/quarnel-maze /usr/share/applications/quarnel.desktop \
    /usr/share/icons/hicolor/16x16/apps/quarnel.png /usr/share/icons/hicolor/32x32/apps/quarnel.png \
    /usr/share/man/man6/quarnel.6.gz /usr/share/man/man6/quarnel-maze.6.gz \
    /usr/share/metainfo/io.github.quarnel.Quarnel.metainfo.xml /usr/share/doc/quarnel/copyright \
    $(cd "$SOURCE" && printf "$DATA/%s\n" res/* res_3d/*); do
    grep -qxF "$file" "$WORK/files" || fail "not in the package: $file"
done
stray=$(grep -vE '^/usr/(games/|share/(games/quarnel|applications|icons/hicolor|man/man6|metainfo|doc/quarnel)/)' \
    "$WORK/files" || true)
[[ -z "$stray" ]] || fail "files outside the game's places: $stray"

# Debian's checks: lintian (man pages included) and AppStream against the package's own tree.
lintian --fail-on error,warning "$DEB" >"$WORK/lintian.txt" 2>&1 ||
    fail "lintian: $(grep -v "not recommended" "$WORK/lintian.txt")"
dpkg-deb -x "$DEB" "$WORK/tree"
appstreamcli validate-tree --no-net "$WORK/tree" >"$WORK/appstream.txt" 2>&1 &&
    ! grep -qE '^ *[EWI]: ' "$WORK/appstream.txt" || fail "AppStream metadata: $(cat "$WORK/appstream.txt")"
for image in $(grep -o '<image>[^<]*' "$WORK/tree/usr/share/metainfo/"*.xml | sed 's/<image>//'); do
    [[ -f "$SOURCE/docs/${image##*/}" ]] || fail "screenshot not in the repository's docs/: $image"
done
[[ "$(zcat "$WORK/tree/usr/share/doc/quarnel/changelog.gz" | head -n1)" == "quarnel ($VERSION) "* ]] ||
    fail "the changelog's last entry is not for $VERSION"
grep -q "<release version=\"$VERSION\"" "$WORK/tree/usr/share/metainfo/"*.xml ||
    fail "the AppStream metadata names no release $VERSION"
# Every option a program names in its usage is in its manual page.
for program in quarnel quarnel-maze; do
    page=$(zcat "$WORK/tree/usr/share/man/man6/$program.6.gz" | sed 's/\\-/-/g')
    for option in $("$WORK/tree/usr/games/$program" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
        grep -qF -- "$option" <<<"$page" || fail "$program.6 does not document $option"
    done
done

# Installed from the file as a player would, then purged again, even when a check fails.
present_files() {
    printf '%s\n' "$DATA" /usr/share/doc/quarnel | cat "$WORK/files" - |
        while read -r file; do [[ ! -e "$file" ]] || echo "$file"; done
}
in_the_way() { AWAITED=$(present_files) && [[ -n "$AWAITED" ]] || package_known; }
await "a quarnel package or its files are in the way (apt-get remove --purge quarnel)" eval '! in_the_way'
purge() {
    "${APT[@]}" remove --purge quarnel >"$WORK/purge.log" 2>&1
}
trap 'purge || true; cleanup' EXIT
"${APT[@]}" install --no-install-recommends "$DEB" >"$WORK/install.log" 2>&1 ||
    fail "apt-get install failed: $(cat "$WORK/install.log")"
while read -r file; do
    [[ -f "$file" ]] || fail "installed package lacks $file"
done <"$WORK/files"
expect_eq "$(man -w quarnel-maze)" /usr/share/man/man6/quarnel-maze.6.gz "manual page found by man"

# Depends comes from the libraries the programs link (dpkg-shlibdeps), plus what the game opens at run
# time: OpenGL and the Japanese font.
depends=" $(field Depends | sed 's/([^)]*)//g; s/[ ]//g; s/,/ /g') "
for package in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-ttf-2.0-0 libepoxy0 libpng16-16 libfontconfig1 libx11-6 \
    libgl1 fonts-ipafont-gothic; do
    [[ "$depends" == *" $package "* ]] || fail "Depends lacks $package: $(field Depends)"
done

# The installed programs, started from another folder, find their data.
start_display
expect_pictures_from_elsewhere /usr/games/quarnel
cmp -s <(/usr/games/quarnel-maze --seed 3 --algorithm 2 --count 2) \
    <("$BUILD_DIR/quarnel-maze" --seed 3 --algorithm 2 --count 2) || fail "the installed quarnel-maze prints other mazes"

cd "$WORK"
purge || fail "apt-get remove --purge failed: $(cat "$WORK/purge.log")"
trap cleanup EXIT
! package_known || fail "dpkg still knows the package after the purge"
left=$(present_files)
[[ -z "$left" ]] || fail "left behind after the purge: $left"
echo "ok"
