#!/usr/bin/env bash
# Configures and builds one build folder: configure.sh <folder> <build type> [cmake options]
set -euo pipefail
folder=$1
type=$2
shift 2
cd "$(dirname "$0")/.."
# A compiler cache, where one is installed, spares rebuilding what several
# build folders (Debug, sanitizers, Release) or checkouts share.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$folder" -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
cmake --build "$folder" --parallel "$(nproc)"
