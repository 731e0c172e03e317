#!/usr/bin/env bash
# Builds Debug, shows the courts window of a small tournament with its day
# planned in a virtual X display and saves a screenshot of it.
# Usage: scripts/screenshot-courts.sh [file.png] [banen|verplaatsen|instellingen|presentatie|oproep]
# BUILD_DIR chooses the build folder (default: build); QT_SCALE_FACTOR=2
# shows it on a high-resolution screen.
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-/tmp/banen.png}")
soort=${2:-banen}
folder=${BUILD_DIR:-build}
scripts/configure.sh "$folder" Debug
mkdir -p "$(dirname "$output")"
# -noreset: see tests/CMakeLists.txt (xvfb-run's clean-up).
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" \
  "$folder/bench/screenshot_courts" "$output" "$soort"
