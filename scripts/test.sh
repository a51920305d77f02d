#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: first the whole suite in the normal
# build, so that a broken build or a failing test is known within minutes; then the long stages
# in scripts/test-stages (Windows, static analysis, fuzz, package); last the whole suite again
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

run_suite() {
  local preset=$1
  echo "== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  echo "== $preset: test"
  ctest --preset "$preset" -j "$(nproc)"
}

run_suite dev

for stage in scripts/test-stages/*.sh; do
  echo "== $(basename "$stage" .sh)"
  "$stage"
done

run_suite asan
