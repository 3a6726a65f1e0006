#!/usr/bin/env bash
# Builds Velkrant for Windows and checks it under Wine:
#
#  1. the static Qt for MinGW-w64 (scripts/windows/build-qt.sh: half an
#     hour or more once, then taken from its cache);
#  2. velkrant.exe, velkrant-cli.exe and the windowed test suites
#     (preset "windows"), and the installer (CPack's NSIS generator):
#     build/windows/velkrant-<version>-win64.exe;
#  3. in a Wine prefix of its own (build/windows/wine) on a desktop of its
#     own (Xvfb with openbox): a silent install, the installed program and
#     its resources, a silent uninstall (scripts/windows/check-install.sh),
#     with a screenshot in build/windows/screenshot.png;
#  4. the windowed test suites under Wine, offscreen, with the Chinese code
#     page (936), and a program without a usable platform plugin ending at
#     once instead of waiting for a click.
#
# scripts/test.sh runs this when the Qt cache is there. Environment:
# VELKRANT_WINDOWS_CACHE (the cache folder, see build-qt.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

say() { printf 'build-windows: %s\n' "$*"; }
die() { printf 'build-windows: error: %s\n' "$*" >&2; exit 1; }
clock() { date +%s%N; }
since() { local ms=$((($(clock) - $1) / 1000000)); printf '%d.%d s' $((ms / 1000)) $((ms % 1000 / 100)); }

bash scripts/setup.sh
cache=${VELKRANT_WINDOWS_CACHE:-$HOME/.cache/velkrant-windows}
build=$PWD/build/windows

start=$(clock)
bash scripts/windows/build-qt.sh
say "static Qt ready in $(since "$start")"

start=$(clock)
cmake --preset windows -DCMAKE_PREFIX_PATH="$cache/qt6-mingw"
cmake --build --preset windows
rm -f "$build"/velkrant-*-win64.exe
cpack --preset windows
installer=$(echo "$build"/velkrant-*-win64.exe)
[ -f "$installer" ] || die "CPack made no installer"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
say "built and packed in $(since "$start"): $(basename "$installer") ($(stat -c %s "$installer") bytes)"

# Everything from here on runs on a desktop and in a Wine session of its
# own, both ended however the script ends.
mkdir -p "$build/desktop"
. scripts/windows/x-desktop.sh
. scripts/windows/wine-session.sh
trap 'wine_session_stop; x_desktop_stop' EXIT
x_desktop_start 1024x768 "$build/desktop"
wine_session_start "$build/wine"
# Wine has no SimSun, the font Qt asks for on a Chinese Windows; without
# a stand-in Latin text would come out in a serif face.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d 'Noto Sans CJK SC' /f >/dev/null 2>&1

start=$(clock)
bash scripts/windows/check-install.sh "$installer" "$version" "$build/screenshot.png"
say "install, start and uninstall checked in $(since "$start")"

start=$(clock)
ctest --preset windows
say "windowed suites under Wine passed in $(since "$start")"

# Without a usable platform plugin the program says so on its error
# output and ends, instead of waiting on a box that nobody closes.
start=$(clock)
status=0
output=$(WINEQT_QPA_PLATFORM=none WINEQT_FORCE_STDERR_LOGGING=1 timeout 60 \
  wine "$build/velkrant.exe" 2>&1) || status=$?
[ "$status" != 0 ] && [ "$status" != 124 ] && grep -q 'no Qt platform plugin could be initialized' <<<"$output" ||
  die "without a platform plugin the program ended with status $status: $output"
say "without a platform plugin the program ends at once (status $status, $(since "$start"))"
