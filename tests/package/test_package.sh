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
"$smoke" "$program" "$tournament" || fail "the unpacked program did not start and close"
[ "$(listing)" = "$before" ] || fail "the program wrote beside itself: $(diff <(echo "$before") <(listing))"
options=$XDG_CONFIG_HOME/Zegerooster/zegerooster.ini
[ -f "$options" ] || fail "no options file in the configuration folder"
# Opening the tournament from the command line made its folder the last used.
grep -qx "Toernooimap=$home/Toernooien"$'\r' "$options" ||
    fail "the tournament folder is not kept with the options: $(cat "$options")"
echo "package built, unpacked, validated and started: $(basename "$deb")"
