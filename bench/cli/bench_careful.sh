#!/usr/bin/env bash
# The speed of careful reading and of the link finder: velkrant-cli's
# default (careful) reading against --exact on clean thunder:// links, and
# --extract and --replace on a large HTML page with a link every few lines.
#
#   bench/cli/bench_careful.sh [VELKRANT_CLI] [COUNT] [MEGABYTES]
#
# VELKRANT_CLI defaults to the release build; COUNT (1,000,000 links) and
# MEGABYTES (100) size the generated inputs, which are kept in TMPDIR for
# the next run. Every command's output is checked once, then each runs
# RUNS times (default 5) under hyperfine.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
cli="${1:-$here/../../build/release/cli/velkrant-cli}"
count="${2:-1000000}"
megabytes="${3:-100}"
runs="${RUNS:-5}"
links="${TMPDIR:-/tmp}/velkrant-cli-bench-$count"
page="${TMPDIR:-/tmp}/velkrant-cli-page-$megabytes"

[ -x "$cli" ] || { echo "bench_careful: no executable at $cli; build the release preset first" >&2; exit 2; }
command -v hyperfine > /dev/null || { echo "bench_careful: hyperfine is missing" >&2; exit 2; }

if [ ! -s "$links/thunder.txt" ]; then
  echo "generating $count links in $links"
  python3 "$here/generate_links.py" "$links" --count "$count"
fi
if [ ! -s "$page/page.html" ]; then
  echo "generating a page of $megabytes MB in $page"
  python3 "$here/generate_page.py" "$page" --megabytes "$megabytes"
fi

# check NAME EXPECTED COMMAND...: the command's output must be EXPECTED.
check() {
  local name="$1" expected="$2"
  shift 2
  "$@" | cmp -s - "$expected" || { echo "bench_careful: $name gave wrong output" >&2; exit 1; }
}
check "careful" "$links/addresses.txt" "$cli" "$links/thunder.txt"
check "--exact" "$links/addresses.txt" "$cli" --exact "$links/thunder.txt"
check "--extract" "$page/page-addresses.txt" "$cli" --extract "$page/page.html"
check "--replace" "$page/page-replaced.html" "$cli" --replace "$page/page.html"

# timed COMMAND: the fastest wall time of the runs and the mean processor
# time (user + system) of one run, in seconds, output discarded. On a busy
# machine the processor time is the steadier figure.
timed() {
  local json
  json="$(mktemp)"
  hyperfine --style none --warmup 1 --runs "$runs" --export-json "$json" "$1 > /dev/null" > /dev/null
  python3 -c 'import json, sys; r = json.load(open(sys.argv[1]))["results"][0]; print(min(r["times"]), r["user"] + r["system"])' "$json"
  rm -f "$json"
}

read -r careful carefulCpu < <(timed "'$cli' '$links/thunder.txt'")
read -r exact exactCpu < <(timed "'$cli' --exact '$links/thunder.txt'")
read -r extract extractCpu < <(timed "'$cli' --extract '$page/page.html'")
read -r replace replaceCpu < <(timed "'$cli' --replace '$page/page.html'")
bytes="$(stat -c %s "$page/page.html")"

echo "$count clean links; a page of $((bytes / 1000000)) MB; fastest wall time of $runs runs, mean processor time"
awk -v c="$careful" -v e="$exact" -v cc="$carefulCpu" -v ec="$exactCpu" 'BEGIN {
  printf "%-28s %6.3f s wall %6.3f s cpu\n", "careful reading (default)", c, cc
  printf "%-28s %6.3f s wall %6.3f s cpu\n", "--exact", e, ec
  printf "careful reading costs %+.1f%% wall, %+.1f%% cpu over --exact (goal: at most +10%%)\n", (c / e - 1) * 100, (cc / ec - 1) * 100 }'
awk -v x="$extract" -v r="$replace" -v xc="$extractCpu" -v rc="$replaceCpu" -v b="$bytes" 'BEGIN {
  printf "%-12s %6.3f s wall %5.0f MB/s   %6.3f s cpu %5.0f MB/s (goal: at least 200)\n", "--extract", x, b / x / 1e6, xc, b / xc / 1e6
  printf "%-12s %6.3f s wall %5.0f MB/s   %6.3f s cpu %5.0f MB/s (goal: at least 200)\n", "--replace", r, b / r / 1e6, rc, b / rc / 1e6 }'
