#!/usr/bin/env bash
# What the program asks of the window in every scenario the tests play: each test's transcript
# of window operations (tests/support/window_transcripts.cpp), reduced to one digest a test.
#   scripts/window-transcripts.sh [PRESET]   prints "Suite.Test digest operations", sorted
# tests/data/window-transcripts.txt holds them as last recorded: a change of shape must leave
# the output as it is; a change of what the window does is recorded anew with it.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cmake --build --preset "$preset" --target device_tests app_tests database_tests reliability_tests >/dev/null
for tests in device app database reliability; do
  USERDB_WINDOW_TRANSCRIPTS="$folder" USERDB_DATA_DIR="$folder/data" \
    "build/$preset/tests/$tests/${tests}_tests" --gtest_filter='-*Thousand*:*OverPty*' >/dev/null
done
for file in "$folder"/*.txt; do
  [ -s "$file" ] || continue
  # Which port a command opens is read once a command, not once a conversation, and whether the
  # database is loaded was once read off the PageLabel: neither is an operation on the window
  # that anyone sees.
  grep -v -e '^selection?$' -e '^read 1678 ' "$file" >"$file.seen" || true
  printf '%s %s %s\n' "$(basename "$file" .txt)" "$(sha256sum <"$file.seen" | cut -c1-16)" "$(wc -l <"$file.seen")"
done | sort
