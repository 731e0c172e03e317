#!/usr/bin/env bash
# Fails when the folders of the program include each other in a loop. Every
# '#include "folder/file.h"' of a source file is an edge from its folder to
# that folder; the folders are then ordered so that each comes after all it
# includes, and whatever cannot be ordered lies on a loop.
#   scripts/include-cycles.sh        prints the order, or the folders of a loop
set -euo pipefail
cd "$(dirname "$0")/.."
folders=(model export print ui participants pools knockout courts app)
edges=$(
  for folder in "${folders[@]}"; do
    [ -d "$folder" ] || continue
    grep -ho '^#include "[A-Za-z_]*/' "$folder"/*.h "$folder"/*.cpp 2>/dev/null |
      sed 's/^#include "\(.*\)\//\1/' | sort -u |
      while read -r used; do
        [ "$used" != "$folder" ] && [ -d "$used" ] && echo "$used $folder"
      done
  done | sort -u
)
# tsort prints a loop's members on standard error and still exits 0 on some
# systems, so the loop is told by that message.
loops=$(mktemp)
trap 'rm -f "$loops"' EXIT
order=$(printf '%s\n' "$edges" | tsort 2>"$loops") || true
if grep -q 'loop' "$loops"; then
  echo "Folders that include each other in a loop:" >&2
  cat "$loops" >&2
  printf '%s\n' "$edges" | sed 's/^/  included by: /' >&2
  exit 1
fi
echo "No loop; from the bottom up:" $order
