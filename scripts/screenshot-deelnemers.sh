#!/usr/bin/env bash
# Builds Debug, shows the participant window of a list with clubs and seeds
# in a virtual X display and saves a screenshot of it.
# Usage: scripts/screenshot-deelnemers.sh [file.png] [venster|dialoog]
# BUILD_DIR chooses the build folder (default: build); QT_SCALE_FACTOR=2
# shows it on a high-resolution screen.
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-/tmp/deelnemers.png}")
soort=${2:-venster}
folder=${BUILD_DIR:-build}
scripts/configure.sh "$folder" Debug
mkdir -p "$(dirname "$output")"
# -noreset: see tests/CMakeLists.txt (xvfb-run's clean-up).
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  "$folder/bench/screenshot_deelnemers" "$output" "$soort"
