#!/usr/bin/env bash
# Takes the README's screenshot of the real program: installs a Debug build
# into a scratch prefix, starts it under Xvfb on docs/voorbeeldtoernooi.txt
# (given on the command line, so the pools and knockout windows open too)
# and saves the whole virtual screen. Needs xwd (x11-apps) and netpbm.
# Usage: scripts/screenshot-readme.sh [file.png]     default docs/screenshot.png
# BUILD_DIR chooses the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-docs/screenshot.png}")
folder=${BUILD_DIR:-build}
for tool in xwd xwdtopnm pnmcut pnmtopng; do
  command -v "$tool" >/dev/null || { echo "Needs $tool: apt-get install x11-apps netpbm" >&2; exit 1; }
done
cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$folder" --target zegerooster
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$folder" --prefix "$scratch/usr" >/dev/null
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config QT_QPA_PLATFORM=xcb
mkdir -p "$HOME"
# The windows take the top 780 pixels; a white root keeps the gaps quiet.
xvfb-run -a -s "-screen 0 1280x800x24 -wr -noreset" bash -c '
  "$1/usr/bin/zegerooster" "$2" &
  sleep 5
  xwd -root -silent | xwdtopnm 2>/dev/null | pnmcut -height 780 | pnmtopng >"$3"
  kill $!' screenshot "$scratch" "$PWD/docs/voorbeeldtoernooi.txt" "$output"
echo "saved $output"
