#!/usr/bin/env bash
# The program built without its X11 corner (as where xcb is missing) links no
# xcb library, and still starts and shows its window.
#   without_x11_test.sh SOURCE_DIR BUILT_BIN_DIR WORK_DIR
set -euo pipefail
source_dir=$1 bin_dir=$2 tree=$3
shot_dir=$tree
mkdir -p "$tree"
cmake -S "$source_dir" -B "$tree" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVANU_X11=OFF > "$tree/configure.log"
cmake --build "$tree" -j "$(nproc)" --target tovanu > "$tree/build.log"
if readelf -d "$tree/bin/tovanu" | grep -q 'NEEDED.*libxcb'; then
  echo "FAIL: the program built without X11 still links xcb"
  exit 1
fi
# The database and the skin of the everyday tree, beside the program.
cp -r "$bin_dir/db" "$bin_dir/skinh.she" "$tree/bin/"

source "$(dirname "$0")/../realwindow/lib.sh"
start_x
"$tree/bin/tovanu" > "$work/app.log" 2>&1 &
app_pid=$!
wait_window "$caption" > /dev/null || fail "the program built without X11 showed no window"
pass "built without X11: no xcb linked, the window shows"
echo "$passed passed, 0 failed"
