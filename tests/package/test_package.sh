#!/usr/bin/env bash
# Builds the Debian package of a build folder with CPack, unpacks it into a
# scratch root with dpkg -x, checks its metadata and files, and runs the
# unpacked program: on the command line, and in the X display this runs in
# with a tournament named on its command line. Installed, the program keeps
# its options in the user's configuration folder and writes nothing beside
# itself, even when its folder is writable (as it is for an administrator).
# Usage: test_package.sh <cpack> <build folder> <smoke_zegerooster> <application id>
set -euo pipefail
cpack=$1
build=$2
smoke=$3
id=$4
scratch=$build/package-test
rm -rf "$scratch"
mkdir -p "$scratch"

fail() {
    echo "package test failed: $*" >&2
    exit 1
}

# --- The package -----------------------------------------------------------
# Without dpkg-shlibdeps the package would depend on almost nothing: cpack
# must refuse instead of making it. Searching no folder for programs stands
# in for a machine without dpkg-dev.
status=0
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/nodeps" \
    -D CMAKE_FIND_USE_SYSTEM_ENVIRONMENT_PATH=FALSE -D CMAKE_FIND_USE_CMAKE_SYSTEM_PATH=FALSE \
    >"$scratch/nodeps.log" 2>&1 || status=$?
[ "$status" -ne 0 ] || fail "cpack made a package without dpkg-shlibdeps"
grep -q "dpkg-shlibdeps is missing" "$scratch/nodeps.log" ||
    fail "cpack did not say dpkg-shlibdeps is missing: $(cat "$scratch/nodeps.log")"
[ -z "$(find "$scratch/nodeps" -name '*.deb')" ] || fail "a package without dependencies was left"
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/deb" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    fail "cpack could not build the package"
fi
deb=$(find "$scratch/deb" -maxdepth 1 -name 'zegerooster_*.deb')
[ -f "$deb" ] || fail "no zegerooster_*.deb in $scratch/deb"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libzip4 qt6-qpa-plugins; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
grep -q libreoffice-calc-nogui <<<"$(dpkg-deb -f "$deb" Recommends)" ||
    fail "libreoffice-calc-nogui is not recommended"
# Errors and warnings both fail; notes and pedantic tags do not.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$scratch/lintian.log")"

# --- The unpacked files ----------------------------------------------------
root=$scratch/root
dpkg -x "$deb" "$root"
program=$root/usr/bin/zegerooster
desktop=$root/usr/share/applications/$id.desktop
icon=$root/usr/share/icons/hicolor/scalable/apps/$id.svg
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
[ -x "$program" ] || fail "no program at usr/bin/zegerooster"
for file in "$desktop" "$icon" "$metainfo"; do
    [ -f "$file" ] || fail "missing ${file#"$root"/}"
done
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
[ "$(file -b --mime-type "$icon")" = image/svg+xml ] || fail "the icon is no SVG"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry names another icon"
grep -qx "Exec=zegerooster %f" "$desktop" || fail "the desktop entry cannot pass a file"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo launches another desktop entry"
[ -f "$root/usr/share/man/man1/zegerooster.1.gz" ] || fail "no manual page"

# --- The file type -----------------------------------------------------------
# The program claims its own type only, so other text files keep their program;
# a tournament is told from them by its first line.
grep -qx "MimeType=application/x-zegerooster;" "$desktop" ||
    fail "the desktop entry claims other types: $(grep MimeType "$desktop")"
# One database of the system's types and the package's, as installing makes.
mimedata=$scratch/mimedata
mkdir -p "$mimedata/mime/packages"
cp /usr/share/mime/packages/*.xml "$root"/usr/share/mime/packages/*.xml "$mimedata/mime/packages/"
update-mime-database "$mimedata/mime" 2>/dev/null
typeof() {
    XDG_DATA_HOME=$mimedata/none XDG_DATA_DIRS=$mimedata gio info -a standard::content-type "$1" |
        sed -n 's/^ *standard::content-type: //p'
}
printf '#Programmastatus\r\n0\r\n#Einde\r\n' >"$scratch/Toernooi.txt"
printf 'melk\nbrood\n' >"$scratch/Boodschappen.txt"
[ "$(typeof "$scratch/Toernooi.txt")" = application/x-zegerooster ] ||
    fail "a tournament is $(typeof "$scratch/Toernooi.txt")"
[ "$(typeof "$scratch/Boodschappen.txt")" = text/plain ] ||
    fail "a shopping list is $(typeof "$scratch/Boodschappen.txt")"

# --- The command line --------------------------------------------------------
[ "$("$program" --version)" = "Zegerooster versie 1.0" ] || fail "--version"
"$program" --help | grep -q '^Gebruik: zegerooster' || fail "--help"
status=0
"$program" --onbekend >/dev/null 2>"$scratch/fout.txt" || status=$?
[ "$status" -eq 2 ] || fail "an unknown option ended with $status, not 2"
grep -q 'onbekende optie "--onbekend"' "$scratch/fout.txt" || fail "no message for an unknown option"

# --- Started as an organiser would -----------------------------------------
home=$scratch/home
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache
mkdir -p "$home/Toernooien"
tournament=$home/Toernooien/Clubkampioenschap.txt
printf '%s\r\n' '#Programmastatus' 0 '#Deelnemer' Anna 'de Vries' 0 -1 0 \
    '#Deelnemer' Bram Jansen 0 -1 0 '#Einde' >"$tournament"
listing() { (cd "$root" && find . -printf '%p %s %T@\n' | sort); }
before=$(listing)
ZEGEROOSTER_EIGEN_HOME=1 "$smoke" "$program" "$tournament" || fail "the unpacked program did not start and close"
[ "$(listing)" = "$before" ] || fail "the program wrote beside itself: $(diff <(echo "$before") <(listing))"
options=$XDG_CONFIG_HOME/Zegerooster/zegerooster.ini
[ -f "$options" ] || fail "no options file in the configuration folder"
# Opening the tournament from the command line made its folder the last used.
grep -qx "Toernooimap=$home/Toernooien"$'\r' "$options" ||
    fail "the tournament folder is not kept with the options: $(cat "$options")"
echo "package built, unpacked, validated and started: $(basename "$deb")"
