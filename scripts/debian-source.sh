#!/usr/bin/env bash
# debian-source.sh PACKAGE FOLDER: Debian 12's source package PACKAGE, unpacked with its patches
# into FOLDER/PACKAGE (for the libraries the Windows build compiles itself). apt runs with a
# configuration of its own under FOLDER that adds the deb-src entry for this one download; the
# machine's apt sources stay as they are. apt checks the .dsc against the signed index, and every
# file is checked against the .dsc's SHA-256 sums before it is unpacked. A package already
# unpacked is taken as it is.
set -euo pipefail
package=$1
folder=$(mkdir -p "$2" && cd "$2" && pwd)
unpacked=$folder/$package
[ -f "$unpacked/.verified" ] && exit 0

apt_dir=$folder/apt
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$folder/download"
cat >"$apt_dir/sources/debian-source.sources" <<EOF
Types: deb-src
URIs: ${USERDB_DEBIAN_MIRROR:-http://deb.debian.org/debian}
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
apt_options=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt_dir/sources"
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o "Debug::NoLocking=1"
  -o "APT::Sandbox::User=$(id -un)")
apt-get -qq "${apt_options[@]}" update
cd "$folder/download"
rm -f ./*.dsc
apt-get -qq "${apt_options[@]}" source --download-only "$package"
dsc=$(ls ./*.dsc)

# The files the .dsc lists, with their sums: the lines after Checksums-Sha256 that start with a blank.
sums=$(awk '/^Checksums-Sha256:/ { listing = 1; next } listing && /^ / { print $1 "  " $3; next } { listing = 0 }' "$dsc")
[ -n "$sums" ] || { echo "debian-source: $dsc lists no SHA-256 sums" >&2; exit 1; }
sha256sum --quiet -c <<<"$sums"

rm -rf "$unpacked"
dpkg-source --no-check -x "$dsc" "$unpacked" >/dev/null
rm -f "$folder"/*.orig.tar.*  # dpkg-source links the upstream tarball beside the folder
echo "$dsc" >"$unpacked/.verified"
echo "debian-source: $package from $dsc, checked against its SHA-256 sums"
