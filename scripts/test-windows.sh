#!/usr/bin/env bash
# Cross-builds the core, velkrant-cli and their tests for Windows with
# MinGW-w64 and runs them under Wine: everything with the Chinese code page
# (936), the core suite once more with the Western one (1252). Part of
# scripts/test.sh; the packages come from scripts/setup.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows-tests
cmake --build --preset windows-tests

# The Wine prefix the preset's emulator names.
. scripts/windows/wine-session.sh
wine_session_start "$PWD/build/windows-tests/wine"
trap wine_session_stop EXIT

ctest --preset windows-tests
ctest --preset windows-tests-cp1252
