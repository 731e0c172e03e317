#!/usr/bin/env bash
# Builds Release and runs every benchmark in bench/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/bootstrap.sh
scripts/configure.sh build-release Release
status=0
for bench in build-release/bench/bench_*; do
  [[ -f $bench && -x $bench ]] || continue
  echo "== $(basename "$bench")"
  QT_QPA_PLATFORM=offscreen "$bench" || status=1
done
exit $status
