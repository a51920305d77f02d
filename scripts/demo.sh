#!/usr/bin/env bash
# Installs what is missing, builds, and opens the window on the simulated device on COM2, the
# port the window selects at start. Without a display, runs the command line against it instead.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
scripts/demo-gui.sh || status=$?
if [ "$status" -ne 3 ]; then exit "$status"; fi
echo "Running the command-line demo instead."
echo

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
echo "\$ userdb backups"
"$bin/cli/userdb" backups
echo
echo "\$ userdb --port COM2 scan"
"$bin/cli/userdb" scan
