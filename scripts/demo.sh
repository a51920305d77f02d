#!/usr/bin/env bash
# Installs what is missing, builds, and runs userdb against the simulated device on COM2,
# the port the window selects at start.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$(nproc)" --target userdb userdb-sim

bin=build/dev
export USERDB_PORTS_DIR="$(mktemp -d)"
cleanup() {
  [ -n "${sim_pid:-}" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$USERDB_PORTS_DIR"
}
trap cleanup EXIT

"$bin/sim/userdb-sim" --com 2 >/dev/null &
sim_pid=$!
for _ in $(seq 50); do [ -e "$USERDB_PORTS_DIR/com2" ] && break; sleep 0.1; done

echo "\$ userdb --port COM2 info"
"$bin/cli/userdb" --port COM2 info
echo
echo "\$ userdb --port COM2 download --output demo-database.bin"
"$bin/cli/userdb" --port COM2 download --output demo-database.bin
echo
echo "\$ userdb --port COM2 scan"
"$bin/cli/userdb" scan
