#!/usr/bin/env bash
# Configures and builds one build folder: configure.sh <folder> <build type> [cmake options]
set -euo pipefail
folder=$1
type=$2
shift 2
cd "$(dirname "$0")/.."
cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
cmake --build "$folder" --parallel "$(nproc)"
