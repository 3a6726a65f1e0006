#!/usr/bin/env bash
# Runs one Windows program under Wine for CTest (the emulator of the
# Windows presets) and passes on its output and exit status.
#
# Wine starts helper processes when a program first needs them (the
# desktop, the RPC service); they outlive the program by seconds and
# inherit its output. Were that CTest's pipe, CTest would wait for them
# after every test. So the program writes into a file, which is passed on
# as it grows, until the program itself ends.
set -u
output=$(mktemp "${TMPDIR:-/tmp}/velkrant-wine.XXXXXX")
trap 'rm -f "$output"' EXIT
wine "$@" >"$output" 2>&1 </dev/null &
program=$!
tail -s 0.05 -n +1 -f --pid="$program" "$output"
wait "$program"
status=$?
exit "$status"
