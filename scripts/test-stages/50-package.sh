#!/usr/bin/env bash
# The Debian package as a user gets it: built by cpack from the release build, checked by
# lintian, installed with apt-get, its programs, manual pages, desktop entry and metainfo
# checked where they were installed, the installed userdb against the installed userdb-sim and
# the installed window offscreen; then removed again, leaving nothing behind.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$PWD/build/release

say() { echo "package: $*"; }
fail() { echo "package: FAILED: $*" >&2; exit 1; }
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

say "release build and cpack"
cmake --preset release >/dev/null
cmake --build --preset release -j 2 >/dev/null
rm -f "$build"/userdb_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/userdb_*.deb)

say "lintian"
lintian --fail-on error "$deb"

say "install $(basename "$deb")"
work=$(mktemp -d)
sim_pid=""
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$work"
  if dpkg-query -W -f='${Status}' userdb 2>/dev/null | grep -q "install ok installed"; then
    $sudo apt-get purge -y -qq userdb >/dev/null
  fi
}
trap cleanup EXIT
# A container may keep manual pages out of every package; this one's are part of the test.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq -o 'DPkg::Options::=--path-include=/usr/share/man/*' \
  "$deb" >/dev/null

say "what was installed"
for program in userdb userdb-gui userdb-sim; do
  [ "$(command -v "$program")" = "/usr/bin/$program" ] || fail "$program is not /usr/bin/$program"
  "$program" --version | grep -qx "$program [0-9.]*" || fail "$program --version"
  man -w "$program" >/dev/null || fail "man -w $program"
done
man userdb 2>/dev/null | grep -q "Exit status: 0 done" || fail "man userdb has no exit status"
desktop-file-validate /usr/share/applications/io.github.userdb.userdb.desktop
appstreamcli validate --no-net /usr/share/metainfo/io.github.userdb.userdb.metainfo.xml >/dev/null
for size in 16 32 48 64 128; do
  [ -s "/usr/share/icons/hicolor/${size}x${size}/apps/userdb.png" ] || fail "no ${size}x${size} icon"
done

say "the installed userdb against the installed userdb-sim"
export USERDB_PORTS_DIR=$work/ports USERDB_DATA_DIR=$work/data
mkdir -p "$USERDB_PORTS_DIR"
userdb-sim --com 4 --save "$work/device.bin" >/dev/null &
sim_pid=$!
for _ in $(seq 50); do [ -e "$USERDB_PORTS_DIR/com4" ] && break; sleep 0.1; done
userdb --port COM4 info | grep -q "^Serial Number" || fail "userdb info"
userdb --port COM4 --quiet download --output "$work/points.csv" || fail "userdb download"
userdb --port COM4 --quiet upload "$work/points.csv" --yes || fail "userdb upload"
[ -s "$work/device.bin" ] || fail "the device holds no upload"

say "the installed window, offscreen"
QT_QPA_PLATFORM=offscreen userdb-gui &
gui_pid=$!
sleep 2
kill -0 "$gui_pid" 2>/dev/null || fail "userdb-gui did not stay up"
kill "$gui_pid"
wait "$gui_pid" 2>/dev/null || true

say "remove"
kill "$sim_pid" && wait "$sim_pid" 2>/dev/null || true
sim_pid=""
$sudo apt-get purge -y -qq userdb >/dev/null
for file in /usr/bin/userdb /usr/bin/userdb-gui /usr/share/man/man1/userdb.1.gz /usr/share/doc/userdb; do
  [ ! -e "$file" ] || fail "$file is left after removal"
done
say "passed"
