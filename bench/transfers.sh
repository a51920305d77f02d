#!/usr/bin/env bash
# Times every transfer through the real serial backend against userdb-sim paced at 115200 8N1,
# and prints each against the time the line itself needs (its limit), with the CPU time spent.
#   bench/transfers.sh [ERASE_DELAY_MS]
set -euo pipefail
cd "$(dirname "$0")/.."

erase_ms="${1:-500}"
cmake --preset release >/dev/null
cmake --build --preset release --target userdb userdb-sim >/dev/null
bin=build/release
userdb="$bin/cli/userdb"
source scripts/sim-session.sh

byte_us=86.806  # 10 bits at 115200 baud
read_limit_ms=100
lull_limit_ms=600  # the silence that ends a list shorter than 256
worst=0
TIMEFORMAT='%R %U %S'

runs="${USERDB_BENCH_RUNS:-3}"

# measure NAME BYTES EXTRA_MS COMMAND...: the median of several runs. The limit is the bytes'
# line time plus the waits the protocol itself needs (the flash erase, the 100 ms read that
# proves a full stream over, the silence that ends a short list); "over the line" is what the
# run took beyond the bytes' line time.
measure() {
  local name=$1 bytes=$2 extra_ms=$3
  shift 3
  local timing samples=()
  for _ in $(seq "$runs"); do
    if ! samples+=("$({ time "$@" >/dev/null 2>"$errors"; } 2>&1)"); then
      echo "$name: command failed:" >&2
      cat "$errors" >&2
      exit 1
    fi
  done
  timing=$(printf '%s\n' "${samples[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
  read -r wall limit cpu ratio < <(echo "$timing" | awk -v b="$bytes" -v u="$byte_us" -v x="$extra_ms" \
    '{ w = $1 * 1000; l = b * u / 1000 + x; printf "%.1f %.1f %.1f %.3f\n", w, l, ($2 + $3) * 1000, w / l }')
  printf '%-18s %6d bytes  wall %8.1f ms  limit %8.1f ms  cpu %6.1f ms  ratio %s  over the line %6.1f ms\n' \
    "$name" "$bytes" "$wall" "$limit" "$cpu" "$ratio" "$(awk -v w="$wall" -v b="$bytes" -v u="$byte_us" \
    'BEGIN { printf "%.1f", w - b * u / 1000 }')"
  worst=$(awk -v a="$worst" -v b="$ratio" 'BEGIN { print (b > a) ? b : a }')
}

# The line during each conversation, in bytes both ways.
banner=23
handshake=$((banner + 18 + 10))
exit_message=11
connect=$((handshake + 7 + 72 + 16 + 15 + exit_message))
download_of() { echo $((handshake + 7 + 16 + 16 * $1 + 7 + 128 * $2 + exit_message)); }
upload=$((handshake + 7 + 36864 + 15 + 15 + exit_message))

image="$(mktemp --suffix=.bin)"
errors="$(mktemp)"
start_sim "$bin/sim/userdb-sim" 2 --paced --erase-delay "$erase_ms"
measure connect "$connect" 0 "$userdb" --port COM2 info
measure "full download" "$(download_of 256 256)" "$read_limit_ms" "$userdb" --port COM2 download --output "$image"
measure "full upload" "$upload" "$erase_ms" "$userdb" --port COM2 upload "$image" --yes --no-verify --no-backup
kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true

start_sim "$bin/sim/userdb-sim" 2 --paced --fault stop-records=40 --fault stop-notes=40
measure "download 40" "$(download_of 40 40)" $((2 * lull_limit_ms)) "$userdb" --port COM2 download --output "$image"
kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true

# A device that sends only its 32 points, through a 300 ms lull before a record and a note.
start_sim "$bin/sim/userdb-sim" 2 --paced --send filled --fault lull=records:16:300 --fault lull=notes:16:300
measure "filled, 2 lulls" "$(download_of 32 32)" $((2 * lull_limit_ms + 600)) "$userdb" --port COM2 download \
  --output "$image"
kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true

# A scan pays one read limit for every other port that opens here (built-in serial ports).
existing=$("$userdb" ports | wc -l)
scan_wait=$((existing * (read_limit_ms + 10)))
start_sim "$bin/sim/userdb-sim" 1 --paced
measure "scan, on COM1" $((banner + connect)) 0 "$userdb" scan
kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true
start_sim "$bin/sim/userdb-sim" 256 --paced
measure "scan, on COM256" $((banner + connect)) "$scan_wait" "$userdb" scan
kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true

timing=$({ time "$userdb" scan >/dev/null 2>&1; } 2>&1) || true
printf '%-18s %d other ports open here  wall %8.1f ms  limit %8.1f ms\n' "scan, no device" "$existing" \
  "$(echo "$timing" | awk '{ print $1 * 1000 }')" "$scan_wait"
rm -f "$image" "$errors"
echo "worst ratio $worst"
