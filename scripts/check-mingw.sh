#!/usr/bin/env bash
# Compiles the portable core and the Windows backend with the MinGW cross compiler, warnings as
# errors, so that both stay clean without a Windows machine. The backend's static_asserts check
# the line-settings block's layout.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
compiler="${MINGW_CXX:-x86_64-w64-mingw32-g++}"

if ! command -v "$compiler" >/dev/null 2>&1; then
  echo "check-mingw: $compiler not found (Debian: apt-get install g++-mingw-w64-x86-64)" >&2
  exit 2
fi

status=0
for source in "$root"/app/*.cpp "$root"/app/resources/*.cpp "$root"/database/*.cpp "$root"/device/*.cpp \
  "$root"/platform/headless/*.cpp "$root"/platform/win32/*.cpp "$root"/cli/cli_*.cpp "$root"/cli/image_file.cpp; do
  echo "check-mingw: $(basename "$source")"
  "$compiler" -std=c++20 -Wall -Wextra -Wpedantic -Werror -O2 -I "$root" -c "$source" -o /dev/null || status=1
done
exit "$status"
