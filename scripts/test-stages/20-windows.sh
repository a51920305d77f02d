#!/usr/bin/env bash
# The Windows programs: cross-builds userdb.exe, userdb-gui.exe and the Windows tests with
# mingw-w64 (preset windows), checks that they need no DLL beyond Windows' own, then runs them
# under Wine on a virtual display: the tests, the command line against userdb-sim through a Wine
# COM port (the bytes on the line must be those of the native program), and the window, whose
# screenshot goes to build/windows (USERDB_SCREENSHOT_DIR=docs refreshes the one in the docs).
# The programs that run are those of the zip that cpack makes, unpacked; the installer that it
# makes beside the zip is run silently in a fresh prefix, for all users and for one, and undone.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build=$root/build/windows
unpacked_folder() { find "$build/unpacked" -maxdepth 1 -name 'userdb-*-windows-x64' 2>/dev/null | head -n 1 || true; }
unpacked=$(unpacked_folder)

# Windows' own DLLs, in lower case: anything else would have to ship beside the .exe.
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|oleacc|comctl32|comdlg32|setupapi|msvcrt|ws2_32|bcrypt|ntdll)\.dll$'
main_caption="BT GPS Vardenholmics - User Database Utility"

say() { echo "windows: $*"; }
fail() { echo "windows: FAILED: $*" >&2; exit 1; }

check_imports() {
  local exe=$1 dll
  for dll in $(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print tolower($3) }'); do
    [[ $dll =~ $system_dlls ]] || fail "$(basename "$exe") needs $dll"
  done
}

build_all() {
  say "cross-build"
  cmake --preset windows >/dev/null
  cmake --build --preset windows -j 2
  for exe in "$build/cli/userdb.exe" "$build/platform/win32/userdb-gui.exe" "$build/tests/windows/windows_tests.exe"; do
    [ -f "$exe" ] || fail "$exe was not built"
    check_imports "$exe"
  done
  say "the zip and the installer"
  rm -f "$build"/userdb-*-windows-x64.zip "$build"/userdb-*-setup.exe
  (cd "$build" && cpack -G ZIP >/dev/null && cpack -G NSIS >/dev/null)
  rm -rf "$build/unpacked" && mkdir -p "$build/unpacked"
  (cd "$build/unpacked" && cmake -E tar xf "$build"/userdb-*-windows-x64.zip)
  unpacked=$(unpacked_folder)
  local file
  for file in userdb.exe userdb-gui.exe README.txt LICENSE.txt; do
    [ -f "$unpacked/$file" ] || fail "the zip holds no $file"
  done
  say "native userdb and userdb-sim to compare with"
  cmake --preset dev >/dev/null
  cmake --build --preset dev -j 2 --target userdb userdb-sim
}

# A fresh prefix: no window manager on the display, so Wine frames its windows itself; Arial
# is shown in its metric twin.
make_prefix() {
  export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  local attempt
  for attempt in 1 2; do
    if timeout 300 wineboot --init && timeout 120 wineserver -w; then break; fi
    [ "$attempt" = 2 ] && fail "wineboot did not set up a prefix"
    say "wineboot failed, once more"
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  done
  # Debian's Wine leaves its own TrueType fonts (Marlett draws the frame's buttons) unused
  # unless the prefix has copies.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  printf '%s\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' '"Arial"="Liberation Sans"' >"$work/prefix.reg"
  timeout 60 wine regedit /S "$work/prefix.reg"
  timeout 60 wineserver -w
}

# Wine's server opens the serial line, and the pseudo-terminal becomes its terminal: it must be
# gone before the device hangs up, or it is told so.
sim_pid=""
stop_sim() {
  timeout 60 wineserver -k 2>/dev/null || true
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    sim_pid=""
  fi
}

# start_sim NAME: a fresh simulated device logging to NAME.log and saving uploads to NAME.saved;
# its pseudo-terminal is Wine's COM5 and the path in $sim_line.
start_sim() {
  rm -f "$work/$1.line"
  "$root/build/dev/sim/userdb-sim" --print-path --log "$work/$1.log" --save "$work/$1.saved" >"$work/$1.line" &
  sim_pid=$!
  for _ in $(seq 50); do
    sim_line=$(head -n 1 "$work/$1.line" 2>/dev/null || true)
    if [ -n "$sim_line" ]; then
      ln -sfn "$sim_line" "$WINEPREFIX/dosdevices/com5"
      return 0
    fi
    sleep 0.1
  done
  fail "userdb-sim did not start"
}

# What crossed the line, timestamps left out: the opens and closes, then every byte the
# program sent, then every byte the device sent.
line_record() {
  awk '$2 == "--" { print $3, $4 }
       $2 == "program:" { for (i = 3; i <= NF; i++) program = program " " $i }
       $2 == "device:" { for (i = 3; i <= NF; i++) device = device " " $i }
       END { print "program" program; print "device" device }' "$1"
}

# What a command printed, but for where its backups went: the moment names them.
printed() { tr -d '\r' <"$1" | grep -v '^Kept a copy of the device in ' || true; }

# conversation NAME ARGS...: the same command from userdb.exe under Wine and from the native
# userdb, each in a folder of its own (its backups in data/ there) against a fresh device: the
# line must carry the same bytes both ways, and both must print the same.
conversation() {
  local name=$1
  shift
  start_sim "$name-windows"
  (cd "$work/windows" && USERDB_DATA_DIR=data timeout 120 wine "$unpacked/userdb.exe" --port COM5 "$@") \
    >"$work/$name-windows.out" || fail "userdb.exe $*"
  stop_sim
  start_sim "$name-native"
  (cd "$work/native" && USERDB_DATA_DIR=data timeout 120 "$root/build/dev/cli/userdb" --port "$sim_line" "$@") \
    >"$work/$name-native.out" || fail "userdb $*"
  stop_sim
  cmp -s <(line_record "$work/$name-windows.log") <(line_record "$work/$name-native.log") ||
    fail "$name: userdb.exe put other bytes on the line than userdb (see $work/$name-*.log)"
  cmp -s <(printed "$work/$name-windows.out") <(printed "$work/$name-native.out") || fail "$name: other output"
  say "$name: the same $(line_record "$work/$name-windows.log" | wc -w) words of line record"
}

# A note changed in the downloaded image, in both folders.
edit_image() {
  local side
  for side in windows native; do
    cp "$work/$side/downloaded.bin" "$work/$side/edited.bin"
    printf 'Edited under Windows\0' |
      dd of="$work/$side/edited.bin" bs=1 seek=$((4096 + 3 * 128)) conv=notrunc status=none
  done
}

# In both folders: 600 cameras in two rows 11 km apart as an OpenStreetMap PBF extract, and a
# road along the first row.
osm_extract_and_route() {
  awk 'BEGIN { for (i = 0; i < 600; ++i)
                 printf "n%d v1 x%.3f y%s Thighway=speed_camera,maxspeed=50,direction=E\n",
                        i + 1, 13.0 + (i % 300) * 0.003, (i < 300 ? "52.5" : "52.6") }' >"$work/cams.opl"
  osmium cat --no-progress --overwrite -o "$work/cams.osm.pbf" "$work/cams.opl"
  local side
  for side in windows native; do
    cp "$work/cams.osm.pbf" "$work/$side/"
    echo '<gpx><trk><trkseg><trkpt lat="52.505" lon="12.9"/><trkpt lat="52.505" lon="14.0"/></trkseg></trk></gpx>' \
      >"$work/$side/trip.gpx"
  done
}

# A PBF extract whose name is beyond the ANSI code page, which libosmium cannot open by name on
# Windows: userdb.exe must read it all the same, to the points the native userdb reads.
extract_named_in_greek() {
  local name="Łódź κάμερες.osm.pbf"
  osmium cat --no-progress --overwrite -o "$work/windows/$name" "$root/tests/data/osm/compass.osm"
  cp "$work/windows/$name" "$work/native/compass.osm.pbf"
  (cd "$work/windows" && timeout 60 wine "$unpacked/userdb.exe" import "$name" greek.csv) >/dev/null ||
    fail "userdb.exe cannot read $name"
  (cd "$work/native" && "$root/build/dev/cli/userdb" import compass.osm.pbf greek.csv) >/dev/null
  cmp -s "$work/windows/greek.csv" "$work/native/greek.csv" || fail "userdb.exe reads other points from $name"
  say "an extract named in Greek and Polish: the same points"
}

command_line_against_sim() {
  mkdir -p "$work/windows" "$work/native"  # Wine maps the working folder, so relative names work
  conversation info info
  conversation download download --output downloaded.bin
  cmp -s "$work/windows/downloaded.bin" "$work/native/downloaded.bin" || fail "the downloads differ"
  edit_image
  conversation upload upload edited.bin --yes
  cmp -s "$work/windows/edited.bin" "$work/upload-windows.saved" || fail "the device does not hold the upload"
  # The download's backup, which the upload's backup of the same bytes marks as the one before
  # writing instead of copying it, and the read-back's.
  [ "$(find "$work/windows/data/backups" -name 'userdb-*.bin' | wc -l)" = 2 ] || fail "userdb.exe kept no backups"
  [ "$(find "$work/windows/data/backups" -name 'userdb-*-before-write.bin' | wc -l)" = 1 ] ||
    fail "userdb.exe did not mark the backup from before the write"
  osm_extract_and_route
  conversation osm-merge merge device cams.osm.pbf --along trip.gpx --corridor 2 --fit along --to-device --yes
  cmp -s "$work/osm-merge-windows.saved" "$work/osm-merge-native.saved" ||
    fail "an OpenStreetMap extract merged along a route leaves other points on the device under Windows"
  extract_named_in_greek
  start_sim ports
  timeout 60 wine "$unpacked/userdb.exe" ports | tr -d '\r' | grep -q '^COM5' || fail "userdb.exe ports does not list COM5"
  stop_sim
}

screenshot_window() {
  local shot=${USERDB_SCREENSHOT_DIR:-$build}/userdb-gui-windows.png window
  wine "$unpacked/userdb-gui.exe" &
  for _ in $(seq 60); do
    window=$(xwininfo -name "$main_caption" 2>/dev/null | awk '/Window id:/ { print $4 }') || true
    if [ -n "$window" ]; then
      sleep 1  # every control painted
      import -window "$window" -strip -define png:exclude-chunks=date,time "$shot"
      say "screenshot in $shot"
      timeout 60 wineserver -k
      return 0
    fi
    sleep 0.5
  done
  fail "userdb-gui.exe showed no window"
}

# reg_value KEY NAME: a registry value as `reg query` shows it, or nothing.
reg_value() {
  timeout 60 wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }' || true
}

# window_appears: whether the main window shows within 30 s; it is closed again.
window_appears() {
  local _
  for _ in $(seq 60); do
    if xwininfo -name "$main_caption" >/dev/null 2>&1; then
      timeout 60 wineserver -k
      return 0
    fi
    sleep 0.5
  done
  return 1
}

# install_and_uninstall MODE OPTIONS...: the installer, silent, in MODE
# ("all users" or "one user"): the files, the Start menu entry (which starts the window), the
# uninstall key, PATH; then the silent uninstall, which takes all of it away but the backups.
install_and_uninstall() {
  local mode=$1
  shift
  local c=$WINEPREFIX/drive_c profile folder menu hive environment key
  profile=$(find "$c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
  if [ "$mode" = "all users" ]; then
    folder='C:\Program Files\userdb' menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/userdb.lnk"
    hive=HKLM environment='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
  else
    folder='C:\users\'"$(basename "$profile")"'\AppData\Local\Programs\userdb'
    menu="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/userdb.lnk"
    hive=HKCU environment='HKCU\Environment'
  fi
  key="$hive\Software\Microsoft\Windows\CurrentVersion\Uninstall\userdb"
  local unix_folder
  unix_folder=$(winepath -u "$folder" 2>/dev/null)
  local backup="$profile/AppData/Local/userdb/backups/userdb-20261209-120000.bin"
  mkdir -p "$(dirname "$backup")" && echo kept >"$backup"

  timeout 120 wine "$(winepath -w "$setup")" /S "$@" && timeout 60 wineserver -w || fail "the installer ($mode) failed"
  local file
  for file in userdb.exe userdb-gui.exe README.txt LICENSE.txt Uninstall.exe; do
    [ -f "$unix_folder/$file" ] || fail "the installer ($mode) put no $file in $folder"
  done
  [ -f "$menu" ] || fail "the installer ($mode) made no Start menu entry"
  [ "$(reg_value "$key" DisplayName)" = userdb ] || fail "no uninstall key named userdb in $hive"
  [ "$(reg_value "$key" DisplayVersion)" = "$version" ] || fail "the uninstall key has not version $version"
  [ -n "$(reg_value "$key" Publisher)" ] && [ -n "$(reg_value "$key" EstimatedSize)" ] &&
    [ "$(reg_value "$key" DisplayIcon)" = "$folder\userdb-gui.exe,0" ] ||
    fail "the uninstall key lacks its publisher, size or icon"
  [[ ";$(reg_value "$environment" Path);" == *";$folder;"* ]] || fail "the installer ($mode) did not add $folder to PATH"
  [ "$(timeout 60 wine "$unix_folder/userdb.exe" --version | tr -d '\r')" = "userdb $version" ] ||
    fail "the installed userdb.exe does not run"
  cp "$root/tests/data/points.gpx" "$work/installed.gpx"  # by a Windows name: /... would be an option
  (cd "$work" && timeout 60 wine "$unix_folder/userdb.exe" import installed.gpx installed.kml) >/dev/null &&
    grep -q '<kml' "$work/installed.kml" || fail "the installed userdb.exe does not turn GPX into KML"
  timeout 60 wine start /unix "$menu"
  window_appears || fail "the Start menu entry ($mode) showed no window"
  say "installed for $mode: files, Start menu entry, uninstall key, PATH"

  timeout 120 wine "$unix_folder/Uninstall.exe" /S && timeout 60 wineserver -w || fail "the uninstaller ($mode) failed"
  [ ! -e "$unix_folder" ] || fail "the uninstaller ($mode) left $folder: $(ls "$unix_folder")"
  [ ! -e "$menu" ] || fail "the uninstaller ($mode) left the Start menu entry"
  [ -z "$(reg_value "$key" DisplayName)" ] || fail "the uninstaller ($mode) left the uninstall key"
  [[ ";$(reg_value "$environment" Path);" != *";$folder;"* ]] || fail "the uninstaller ($mode) left $folder in PATH"
  [ "$(cat "$backup")" = kept ] || fail "the uninstaller ($mode) took the backups"
  say "uninstalled for $mode: all gone but the backups"
}

installer() {
  setup=$(find "$build" -maxdepth 1 -name 'userdb-*-setup.exe' | head -n 1)
  version=$(basename "$setup" -setup.exe)
  version=${version#userdb-}
  local prefix=$WINEPREFIX
  export WINEPREFIX=$work/install-prefix  # fresh: nothing of the tests' runs in it
  timeout 300 wineboot --init && timeout 120 wineserver -w || fail "wineboot did not set up a prefix for the installer"
  install_and_uninstall "all users"  # Wine runs every program elevated
  install_and_uninstall "one user" /CurrentUser
  export WINEPREFIX=$prefix
}

under_display() {
  trap stop_sim EXIT
  make_prefix
  say "unit tests under Wine"
  ctest --preset windows
  say "userdb.exe against userdb-sim"
  command_line_against_sim
  say "userdb-gui.exe"
  screenshot_window
  say "the installer"
  installer
}

if [ "${1:-}" = "--under-display" ]; then
  work=$2
  under_display
  exit 0
fi

build_all
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
timeout 1200 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --under-display "$work"
