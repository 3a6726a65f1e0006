#!/usr/bin/env bash
# The Wine runner tells Wine failing to start a program from a test that
# failed: a stand-in for wine plays each part, one run after another.
set -uo pipefail
runner="$(cd "$(dirname "$0")/../.." && pwd)/scripts/windows/run-under-wine.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The stand-in takes its runs from $work/runs, one a line: "silent STATUS",
# "loader STATUS" (only Wine's own words) or "speaks STATUS" (the test ran).
cat >"$work/wine" <<'WINE'
#!/usr/bin/env bash
read -r kind status < <(sed -n "$(( $(wc -l <"$WORK/started") + 1 ))p" "$WORK/runs")
echo "$*" >>"$WORK/started"
case $kind in
  loader) echo "wine: could not load kernel32.dll, status c0000135" >&2 ;;
  speaks) echo "Note: Google Test filter = $2" ;;
esac
exit "$status"
WINE
chmod +x "$work/wine"

failures=0
# name | runs | status wanted | starts wanted | said "did not start"
while IFS='|' read -r name runs status starts said; do
  printf '%b' "$runs" >"$work/runs"
  : >"$work/started"
  output=$(WORK=$work PATH="$work:$PATH" bash "$runner" test.exe --gtest_filter=A.B 2>&1)
  got=$?
  told=no
  grep -q 'Wine did not start test.exe' <<<"$output" && told=yes
  if [ "$got" != "$status" ] || [ "$(wc -l <"$work/started")" != "$starts" ] || [ "$told" != "$said" ]; then
    echo "$name: status $got, $(wc -l <"$work/started") starts, told $told; wanted $status, $starts, $said"
    echo "$output"
    failures=$((failures + 1))
  fi
done <<'TABLE'
PassingTestRunsOnce|speaks 0\n|0|1|no
FailedTestIsNotRerun|speaks 1\n|1|1|no
SilentStartIsRetriedOnce|silent 1\nspeaks 0\n|0|2|yes
LoaderOnlyStartIsRetriedOnce|loader 53\nspeaks 0\n|0|2|yes
SilentTwiceKeepsTheFailure|silent 1\nsilent 1\nspeaks 0\n|1|2|yes
SilentSuccessIsNotRetried|silent 0\n|0|1|no
TABLE
exit $((failures > 0))
