#!/usr/bin/env bash
# Runs every stress scenario of the windowed program in a process of its
# own, under GNU time, and prints each phase's figures followed by the
# whole process's wall time and peak resident memory.
#
#   bench/app/run_stress.sh [VELKRANT_STRESS] [SCENARIO...]
#
# VELKRANT_STRESS defaults to the release build (cmake --preset release &&
# cmake --build --preset release). Files are made in a temporary folder
# (TMPDIR) that is removed afterwards. Exits non-zero when any scenario
# crashed or gave a wrong result.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
stress="${1:-$here/../../build/release/bench/app/velkrant_stress}"
shift || true
scenarios=("$@")
if ((${#scenarios[@]} == 0)); then
  scenarios=(batch link-decode link-encode import-list import-binary export)
fi
gnu_time=/usr/bin/time

[ -x "$stress" ] || { echo "run_stress: no executable at $stress; build the release preset first" >&2; exit 2; }
[ -x "$gnu_time" ] || { echo "run_stress: GNU time is missing; run scripts/setup.sh" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

failed=0
for scenario in "${scenarios[@]}"; do
  status=0
  "$gnu_time" -f "%e %M" -o "$work/time.txt" "$stress" "$scenario" "$work" || status=$?
  read -r wall rss < <(tail -n 1 "$work/time.txt")
  printf 'process        %8.2f s   peak %7.0f MiB   exit %d\n\n' "$wall" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')" "$status"
  ((status == 0)) || failed=1
  rm -f "$work"/*.lst "$work"/*.txt
done
exit "$failed"
