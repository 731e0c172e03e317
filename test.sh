#!/usr/bin/env bash
# Installs what is missing, builds Zegerooster and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/bootstrap.sh
scripts/configure.sh build Debug
cd build
ctest --output-on-failure --parallel "$(nproc)"
