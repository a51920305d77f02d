#!/usr/bin/env bash
# Every measurement in one run: the transfers against the paced simulator, then the program's
# own costs (medians). The worst transfer ratio is the last line.
#   bench/run.sh [ERASE_DELAY_MS]
set -euo pipefail
cd "$(dirname "$0")/.."

echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
cmake --preset release >/dev/null
cmake --build --preset release --target page_benchmarks >/dev/null
echo
echo "== the program's own costs (median of 9 runs)"
build/release/bench/page_benchmarks --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
  --benchmark_display_aggregates_only=true 2>/dev/null | awk '/_median/ { printf "%-12s %8.1f us\n", $1, $2 }'
echo
echo "== transfers against userdb-sim at 115200 8N1"
bench/transfers.sh "$@"
