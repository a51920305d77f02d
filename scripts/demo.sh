#!/usr/bin/env bash
# Installs what is missing, builds, and runs userdb against the simulated device on COM2,
# the port the window selects at start.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$(nproc)" --target userdb userdb-sim

bin=build/dev
source scripts/sim-session.sh
start_sim "$bin/sim/userdb-sim" 2

echo "\$ userdb --port COM2 info"
"$bin/cli/userdb" --port COM2 info
echo
echo "\$ userdb --port COM2 download --output demo-database.bin"
"$bin/cli/userdb" --port COM2 download --output demo-database.bin
echo
echo "\$ userdb --port COM2 scan"
"$bin/cli/userdb" scan
