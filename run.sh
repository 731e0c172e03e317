#!/usr/bin/env bash
# Installs what is missing, builds the program alone (Release with debug
# information, in build-release) and starts it. Tests and benchmarks are
# built by ./test.sh and ./bench.sh in folders of their own.
set -euo pipefail
cd "$(dirname "$0")"
scripts/bootstrap.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-release --target zegerooster --parallel "$(nproc)"
exec build-release/zegerooster "$@"
