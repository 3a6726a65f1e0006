#!/usr/bin/env bash
# Installs what is missing, builds the test build (sanitizers on, warnings
# as errors) and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
