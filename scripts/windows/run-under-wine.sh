#!/usr/bin/env bash
# Runs one Windows program under Wine for CTest (the emulator of the
# Windows presets) and passes on its output and exit status.
#
# Wine starts helper processes when a program first needs them (the
# desktop, the RPC service); they outlive the program by seconds and
# inherit its output. Were that CTest's pipe, CTest would wait for them
# after every test. So the program writes into a file, which is passed on
# as it grows, until the program itself ends.
#
# Now and then Wine fails to start the program at all: it ends at once,
# with a failure status and not a word from the program. Every program run
# here is a test that speaks first (GoogleTest names its filter or lists
# its tests before anything can fail), so a silent failure, or one where
# only Wine's loader spoke, is Wine's and not the test's. That case alone
# is said and started once more; a test that failed is never rerun.
set -u
output=$(mktemp "${TMPDIR:-/tmp}/velkrant-wine.XXXXXX")
trap 'rm -f "$output"' EXIT

run_once() {
  : >"$output"
  wine "$@" >"$output" 2>&1 </dev/null &
  local program=$!
  tail -s 0.05 -n +1 -f --pid="$program" "$output"
  wait "$program"
}

# True when nothing but Wine's own messages ("wine: ...", "wine client
# error: ...") came out.
program_said_nothing() {
  ! grep -qv '^wine[: ]' "$output"
}

run_once "$@"
status=$?
if [ "$status" -ne 0 ] && program_said_nothing; then
  echo "run-under-wine: Wine did not start $1 (status $status, no output from the program); starting it once more"
  run_once "$@"
  status=$?
fi
exit "$status"
