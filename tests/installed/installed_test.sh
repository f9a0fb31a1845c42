#!/usr/bin/env bash
# The program installed as its Debian package stages it: under /usr in a
# staging folder (DESTDIR), every file where a desktop looks for it, the menu
# entry and the metainfo valid by the desktop's own validators, and the
# program started through bin/tovanu under Xvfb, showing and copying from its
# list.
#
#   installed_test.sh BUILD_DIR DATA_FILE GOLDEN_DIR SHOT_DIR
set -euo pipefail

build_dir=$1
shift
id=cn.korvel.Tovanu
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

log=$(DESTDIR=$stage cmake --install "$build_dir" --prefix /usr 2>&1) || fail "cmake --install: $log"
root=$stage/usr

expected="bin/tovanu
lib/tovanu/db/main.mdb
lib/tovanu/skinh.she
lib/tovanu/tovanu
share/applications/$id.desktop
share/doc/tovanu/changelog.gz
share/doc/tovanu/copyright"
for size in 128 16 256 32 48; do
  expected+=$'\n'"share/icons/hicolor/${size}x${size}/apps/$id.png"
done
expected+="
share/man/man1/tovanu.1.gz
share/metainfo/$id.metainfo.xml"
files=$(cd "$root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
[ "$files" = "$expected" ] || fail "installed files differ: $(diff <(echo "$expected") <(echo "$files"))"
[ "$(readlink "$root/bin/tovanu")" = ../lib/tovanu/tovanu ] || fail "bin/tovanu is not a relative link to the program"
grep -qx 'Exec=/usr/bin/tovanu' "$root/share/applications/$id.desktop" || fail "the menu entry does not start /usr/bin/tovanu"
for size in 16 32 48 128 256; do
  shown=$(identify -format '%wx%h' "$root/share/icons/hicolor/${size}x${size}/apps/$id.png")
  [ "$shown" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $shown"
done
echo "PASS: files, link, Exec and icon sizes as a package lays them out"

# The validators print nothing for a clean menu entry; appstreamcli prints
# its verdict and fails on a warning or an error.
report=$(desktop-file-validate "$root/share/applications/$id.desktop" 2>&1)
[ -z "$report" ] || fail "desktop-file-validate: $report"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
echo "PASS: menu entry and metainfo valid"

bash "$(dirname "$0")/../realwindow/realwindow_test.sh" --installed "$root/bin/tovanu" "$@"
