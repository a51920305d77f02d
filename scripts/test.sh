#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build, then the same
# suite under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== Windows: the core and the kernel32 backend compile with mingw-w64"
scripts/check-mingw.sh >/dev/null

for preset in dev asan; do
  echo "== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  echo "== $preset: test"
  ctest --preset "$preset" -j "$(nproc)"
done
