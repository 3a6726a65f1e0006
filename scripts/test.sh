#!/usr/bin/env bash
# Installs what is missing, builds the test build (sanitizers on, warnings
# as errors) and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
# Where clang is present, every fuzz target also runs for a bounded time.
if command -v clang++ >/dev/null 2>&1; then
  cmake --preset fuzz
  cmake --build --preset fuzz
  ctest --preset fuzz
fi
