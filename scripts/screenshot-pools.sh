#!/usr/bin/env bash
# Builds Debug, shows the pools window of a small tournament with pool
# matches in a virtual X display and saves a screenshot of it.
# Usage: scripts/screenshot-pools.sh [file.png] [poules|uitslag|indeling|eigen|afloop|afloopuitslag]
# BUILD_DIR chooses the build folder (default: build); QT_SCALE_FACTOR=2
# shows it on a high-resolution screen.
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-/tmp/poules.png}")
soort=${2:-poules}
folder=${BUILD_DIR:-build}
scripts/configure.sh "$folder" Debug
mkdir -p "$(dirname "$output")"
# -noreset: see tests/CMakeLists.txt (xvfb-run's clean-up).
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1920x1200x24 -noreset" \
  "$folder/bench/screenshot_pools" "$output" "$soort"
