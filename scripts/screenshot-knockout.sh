#!/usr/bin/env bash
# Builds Debug, shows the knockout window of a small tournament with pools in
# a virtual X display and saves a screenshot of it.
# Usage: scripts/screenshot-knockout.sh [file.png] [winnaars|verliezers]
# BUILD_DIR chooses the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-/tmp/knockout.png}")
tab=${2:-winnaars}
folder=${BUILD_DIR:-build}
scripts/configure.sh "$folder" Debug
mkdir -p "$(dirname "$output")"
# -noreset: see tests/CMakeLists.txt (xvfb-run's clean-up).
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  "$folder/bench/screenshot_knockout" "$output" "$tab"
