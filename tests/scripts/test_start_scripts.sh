#!/usr/bin/env bash
# ./run.sh must build the program alone, optimised with debug information, in
# build-release, and start it; ./bench.sh builds Release in a folder of its
# own, so the two never reconfigure each other. Both run here on a copy of
# the scripts with cmake and the installer replaced by recorders.
set -euo pipefail
source_dir=$(realpath "$(dirname "$0")/../..")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/project/scripts" "$scratch/bin"
cp "$source_dir/run.sh" "$source_dir/bench.sh" "$scratch/project/"
cp "$source_dir/scripts/configure.sh" "$scratch/project/scripts/"
printf '#!/bin/sh\nexit 0\n' >"$scratch/project/scripts/bootstrap.sh"
# cmake notes its arguments; a build leaves a program that says it started.
cat >"$scratch/bin/cmake" <<'FAKE'
#!/usr/bin/env bash
echo "cmake $*" >>"$LOG"
if [ "$1" = --build ]; then
  mkdir -p "$2"
  printf '#!/bin/sh\necho "started $*" >>"$LOG"\n' >"$2/zegerooster"
  chmod +x "$2/zegerooster"
fi
FAKE
chmod +x "$scratch/bin/cmake" "$scratch/project/scripts/bootstrap.sh"
export LOG=$scratch/log PATH=$scratch/bin:$PATH

fail() { echo "FAIL: $1"; cat "$LOG"; exit 1; }
"$scratch/project/run.sh" toernooi.txt >/dev/null
grep -q -- '-B build-release .*-DCMAKE_BUILD_TYPE=RelWithDebInfo' "$LOG" ||
  fail "run.sh does not configure build-release as RelWithDebInfo"
grep -q -- '--build build-release --target zegerooster' "$LOG" ||
  fail "run.sh does not build the program target alone"
grep -q '^started toernooi.txt$' "$LOG" || fail "run.sh does not start the program"

: >"$LOG"
"$scratch/project/bench.sh" >/dev/null
grep -q -- '-B build-bench .*-DCMAKE_BUILD_TYPE=Release' "$LOG" ||
  fail "bench.sh does not configure its own Release folder"
echo "PASS"
