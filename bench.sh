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
# Start-up once more as a user sees it: on an X display, where connecting
# to the display is part of every start.
if [[ -x build-bench/bench/bench_startup ]] && command -v xvfb-run >/dev/null; then
  echo "== bench_startup on X11 (Xvfb)"
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" build-bench/bench/bench_startup || status=1
fi
exit $status
