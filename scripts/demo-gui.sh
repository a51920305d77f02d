#!/usr/bin/env bash
# Starts the simulated device on COM2, the port the window selects at start, and opens
# userdb-gui on it. Without a display it says so and exits 3, so that scripts/demo.sh can run
# the command-line demo instead.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "$(uname -s)" != Darwin ]; then
  echo "demo-gui: no display (\$DISPLAY and \$WAYLAND_DISPLAY are empty), so the window cannot open" >&2
  exit 3
fi

scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$(nproc)" --target userdb-gui userdb-sim

bin=build/dev
source scripts/sim-session.sh
start_sim "$bin/sim/userdb-sim" 2

echo "The simulated device answers on COM2: press \"Open COM Port\", then \"Load user database from device\"."
"$bin/gui/userdb-gui"
