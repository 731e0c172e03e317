#!/usr/bin/env bash
# Builds Release in build-bench and runs every benchmark in bench/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/bootstrap.sh
scripts/configure.sh build-bench Release
status=0
for bench in build-bench/bench/bench_*; do
  [[ -f $bench && -x $bench ]] || continue
  echo "== $(basename "$bench")"
  QT_QPA_PLATFORM=offscreen "$bench" || status=1
done
exit $status
