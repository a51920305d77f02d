#!/usr/bin/env bash
# The core and the kernel32 backend compile with mingw-w64.
exec scripts/check-mingw.sh >/dev/null
