#!/usr/bin/env bash
# Renders the window, connected to the simulated device with its first page loaded, into
# docs/userdb-gui.png (or the file given). Needs no display: Qt draws offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."

output="${1:-docs/userdb-gui.png}"
scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$(nproc)" --target userdb-gui-screenshot
QT_QPA_PLATFORM=offscreen build/dev/gui/userdb-gui-screenshot "$output"
echo "screenshot-gui: wrote $output"
