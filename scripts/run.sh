#!/usr/bin/env bash
# Installs what is missing, builds the optimised program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release
cmake --build --preset release
program=build/release/app/velkrant
if [ ! -x "$program" ]; then
  echo "run: the window is not built yet; the conversion core is built and tested (scripts/test.sh)." >&2
  exit 1
fi
exec "$program"
