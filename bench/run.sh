#!/usr/bin/env bash
# Every measurement in one run: the transfers against the paced simulator, then the program's
# own costs (medians). The worst transfer ratio is the last line.
#   bench/run.sh [ERASE_DELAY_MS]
set -euo pipefail
cd "$(dirname "$0")/.."

echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
cmake --preset release >/dev/null
cmake --build --preset release --target page_benchmarks gui_timing merge_benchmark along_benchmark osm_benchmark \
  >/dev/null
echo
echo "== the program's own costs (median of 9 runs)"
build/release/bench/page_benchmarks --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
  --benchmark_display_aggregates_only=true 2>/dev/null | awk '/_median/ { printf "%-28s %8.3f ms\n", $1 " (core)", $2 / 1000 }'

# The Qt window on the display there is, else on a virtual one, else drawn offscreen.
gui() {
  if [ -n "${DISPLAY:-}" ]; then "$@"
  elif command -v xvfb-run >/dev/null; then xvfb-run -a "$@"
  else QT_QPA_PLATFORM=offscreen "$@"; fi
}
startups=$(gui bash -c 'for _ in $(seq 9); do USERDB_BENCH_SPAWNED_NS=$(date +%s%N) build/release/bench/gui_timing startup; done' 2>/dev/null)
printf '%-28s %8.1f ms\n' "window start to first paint" "$(echo "$startups" | sort -n | sed -n 5p)"
printf '%-28s %8.3f ms\n' "page switch (window)" "$(gui build/release/bench/gui_timing page-switch 2>/dev/null)"
echo
echo "== a national camera list merged (median of 5 runs)"
build/release/bench/merge_benchmark 50000 5
echo "== a million-point list along a 2000-point route (median of 5 runs)"
build/release/bench/along_benchmark 1000000 2000 5
echo "== a 2,000,000-node OpenStreetMap extract read for its cameras (median of 5 runs)"
extract=build/release/bench/extract-2m.osm.pbf
[ -f "$extract" ] || bench/make_osm_extract.sh "$extract" 2000000
build/release/bench/osm_benchmark "$extract" 5
filtered=$(mktemp --suffix=.osm.pbf)
for _ in $(seq 5); do
  start=$(date +%s%N)
  osmium tags-filter --no-progress --overwrite -o "$filtered" "$extract" n/highway=speed_camera r/type=enforcement
  echo $((($(date +%s%N) - start) / 1000000))
done | sort -n | sed -n 3p | xargs printf '%-28s %8d ms\n' "osmium tags-filter, same file"
rm -f "$filtered"
echo
echo "== transfers against userdb-sim at 115200 8N1"
bench/transfers.sh "$@"
