#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the stages in scripts/test-stages,
# then the whole suite in the normal build and again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

for stage in scripts/test-stages/*.sh; do
  echo "== $(basename "$stage" .sh)"
  "$stage"
done

for preset in dev asan; do
  echo "== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  echo "== $preset: test"
  ctest --preset "$preset" -j "$(nproc)"
done
