#!/usr/bin/env bash
# Times velkrant-cli against plain Python and node decoders on the same
# generated list of thunder:// links, and reports lines per second, the
# ratios and peak memory (GNU time's maximum resident set size). The tool
# runs once more on one core, to show what the second one adds.
#
#   bench/cli/run_bench.sh [VELKRANT_CLI] [COUNT]
#
# VELKRANT_CLI defaults to the release build (cmake --preset release &&
# cmake --build --preset release); COUNT to 1,000,000 lines. Each command
# runs RUNS times (default 3) and the fastest run counts, so that other
# work on the machine disturbs the figures as little as possible.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
cli="${1:-$here/../../build/release/cli/velkrant-cli}"
count="${2:-1000000}"
runs="${RUNS:-3}"
data="${TMPDIR:-/tmp}/velkrant-cli-bench-$count"
gnu_time=/usr/bin/time

[ -x "$cli" ] || { echo "run_bench: no executable at $cli; build the release preset first" >&2; exit 2; }
[ -x "$gnu_time" ] || { echo "run_bench: GNU time is missing; run scripts/setup.sh" >&2; exit 2; }
command -v node > /dev/null || { echo "run_bench: node is missing (Debian package nodejs)" >&2; exit 2; }

if [ ! -s "$data/thunder.txt" ]; then
  echo "generating $count links in $data"
  python3 "$here/generate_links.py" "$data" --count "$count"
fi

# measure NAME EXPECTED COMMAND...: best wall time, best processor time
# (user + system) and largest peak RSS over the runs; the output must equal
# EXPECTED every time.
measure() {
  local name="$1" expected="$2"
  shift 2
  local best="" bestCpu="" peak=0 i wall user system rss cpu
  for ((i = 0; i < runs; i++)); do
    "$gnu_time" -f "%e %U %S %M" -o "$data/time.txt" "$@" > "$data/out.txt"
    cmp -s "$data/out.txt" "$expected" || { echo "run_bench: $name gave wrong output" >&2; exit 1; }
    read -r wall user system rss < "$data/time.txt"
    cpu="$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')"
    if [ -z "$best" ] || awk -v a="$wall" -v b="$best" 'BEGIN { exit !(a < b) }'; then best="$wall"; fi
    if [ -z "$bestCpu" ] || awk -v a="$cpu" -v b="$bestCpu" 'BEGIN { exit !(a < b) }'; then bestCpu="$cpu"; fi
    if ((rss > peak)); then peak="$rss"; fi
  done
  printf '%-32s %6.2f s wall %6.2f s cpu %10.0f lines/s %6.1f MB peak\n' "$name" "$best" "$bestCpu" \
    "$(awk -v n="$count" -v t="$best" 'BEGIN { print (t > 0 ? n / t : 0) }')" \
    "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
  wallSeconds[$name]="$best"
  cpuSeconds[$name]="$bestCpu"
}

declare -A wallSeconds cpuSeconds
echo "$count lines, best of $runs runs"
measure "velkrant-cli (auto)" "$data/addresses.txt" "$cli" "$data/thunder.txt"
measure "velkrant-cli (auto, one core)" "$data/addresses.txt" taskset -c 0 "$cli" "$data/thunder.txt"
measure "velkrant-cli -m thunder-decode" "$data/addresses.txt" "$cli" -m thunder-decode "$data/thunder.txt"
# Python writes every line on its own when PYTHONUNBUFFERED is set, as some
# environments do: the script is timed as it runs by default.
measure "python3 decode_thunder.py" "$data/addresses.txt" env -u PYTHONUNBUFFERED python3 "$here/decode_thunder.py" "$data/thunder.txt"
measure "node decode_thunder.js" "$data/addresses.txt" node "$here/decode_thunder.js" "$data/thunder.txt"
measure "velkrant-cli -m thunder-encode" "$data/thunder.txt" "$cli" -m thunder-encode "$data/addresses.txt"
cli="velkrant-cli (auto)"
for script in "python3 decode_thunder.py" "node decode_thunder.js"; do
  awk -v name="$script" -v sw="${wallSeconds[$script]}" -v cw="${wallSeconds[$cli]}" \
    -v sc="${cpuSeconds[$script]}" -v cc="${cpuSeconds[$cli]}" \
    'BEGIN { printf "velkrant-cli (auto) against %s: %.1f times as fast by wall time, %.1f by processor time\n", name, sw / cw, sc / cc }'
done
