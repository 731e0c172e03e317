#!/usr/bin/env bash
# Installs what is missing, builds Zegerooster (Debug) and runs every test.
#   ./test.sh [build folder [cmake options...]]     the folder defaults to build
set -euo pipefail
cd "$(dirname "$0")"
folder=${1:-build}
if [ $# -gt 0 ]; then shift; fi
scripts/bootstrap.sh --tests
scripts/configure.sh "$folder" Debug "$@"
cd "$folder"
ctest --output-on-failure --no-tests=error --parallel "$(nproc)"
