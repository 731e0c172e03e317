#!/usr/bin/env bash
# Builds the fuzzers of the tournament file reader and of the participant
# import (from text and from a workbook) with clang and runs each for the
# given number of seconds (default 60) from its seed corpus in tests/fuzz/.
# New inputs go to build-fuzz/corpus*, never into tests/.
# A crash, leak, hang (10 s per input) or broken round trip fails the run and
# leaves the input in build-fuzz/. The import fuzzers run under a tighter
# memory limit: a list or workbook whose reading grows far beyond its size
# (a zip bomb, a line split quadratically) fails them.
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."
scripts/bootstrap.sh --tests
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DZEGEROOSTER_FUZZ=ON >/dev/null
cmake --build build-fuzz --target fuzz_toernooibestand fuzz_import fuzz_werkmap
mkdir -p build-fuzz/corpus build-fuzz/corpus-import build-fuzz/corpus-werkmap
cd build-fuzz
tests/fuzz/fuzz_toernooibestand -dict=../tests/fuzz/toernooibestand.dict \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  corpus ../tests/fuzz/corpus
tests/fuzz/fuzz_import -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
  -print_final_stats=1 corpus-import ../tests/fuzz/corpus-import
tests/fuzz/fuzz_werkmap -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
  -print_final_stats=1 corpus-werkmap ../tests/fuzz/corpus-werkmap
