#!/usr/bin/env bash
# Installs what is missing, builds Zegerooster and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/bootstrap.sh
scripts/configure.sh build Debug
exec build/zegerooster "$@"
