#!/usr/bin/env bash
# Cross-builds the core, velkrant-cli and their tests for Windows with
# MinGW-w64 and runs them under Wine: everything with the Chinese code page
# (936), the core suite once more with the Western one (1252). Part of
# scripts/test.sh; the packages come from scripts/setup.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows-tests
cmake --build --preset windows-tests

# The build's own Wine prefix, the one the preset's emulator names, so a
# run never depends on ~/.wine. Wine neither offers to download its .NET
# and HTML engines nor adds menu entries to the user's desktop.
export WINEPREFIX="$PWD/build/windows-tests/wine" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine starts once, before CTest, with its output sent to /dev/null, and
# its server stays up for the whole run. Started by the first test instead,
# its services would keep that test's output pipe open and CTest would wait
# for ever; a server that comes and goes between tests drops connections
# ("recvmsg: Connection reset by peer").
mkdir -p "$WINEPREFIX"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wineserver -p >/dev/null 2>&1
LC_ALL=zh_CN.UTF-8 wineboot -i >/dev/null 2>&1

ctest --preset windows-tests
ctest --preset windows-tests-cp1252
