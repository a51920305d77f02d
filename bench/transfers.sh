#!/usr/bin/env bash
# Times connect, full download and full upload through the real serial backend against
# userdb-sim paced at 115200 8N1, and prints each against the time the line itself needs.
#   bench/transfers.sh [ERASE_DELAY_MS]
set -euo pipefail
cd "$(dirname "$0")/.."

erase_ms="${1:-500}"
cmake --preset release >/dev/null
cmake --build --preset release --target userdb userdb-sim >/dev/null
bin=build/release

source scripts/sim-session.sh
start_sim "$bin/sim/userdb-sim" 2 --paced --erase-delay "$erase_ms"

byte_us=86.806  # 10 bits at 115200 baud
worst=0
# run NAME BYTES_ON_THE_LINE EXTRA_MS COMMAND...: the limit is the bytes' line time plus the
# device's own waits (the flash erase).
run() {
  local name=$1 bytes=$2 extra_ms=$3
  shift 3
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  read -r wall limit ratio < <(awk -v s="$start" -v e="$end" -v b="$bytes" -v u="$byte_us" -v x="$extra_ms" \
    'BEGIN { w = (e - s) / 1e6; l = b * u / 1000 + x; printf "%.1f %.1f %.3f\n", w, l, w / l }')
  printf '%-10s %6d bytes  wall %8.1f ms  limit %8.1f ms  ratio %s\n' "$name" "$bytes" "$wall" "$limit" "$ratio"
  worst=$(awk -v a="$worst" -v b="$ratio" 'BEGIN { print (b > a) ? b : a }')
}

image="$USERDB_PORTS_DIR/image.bin"
# banner 23, request 18, answer 10, frame 7, blocks 72 + 16, end message 15, exit 11
run connect 172 0 "$bin/cli/userdb" --port COM2 info
# banner, handshake, two frames, header 16, 256 records, 256 notes, exit
run download $((23 + 18 + 10 + 7 + 16 + 4096 + 7 + 32768 + 11)) 0 "$bin/cli/userdb" --port COM2 download --output "$image"
# banner, handshake, frame, image, verdict 15 + 15, exit
run upload $((23 + 18 + 10 + 7 + 36864 + 30 + 11)) "$erase_ms" "$bin/cli/userdb" --port COM2 upload "$image" --yes
echo "worst ratio $worst"
