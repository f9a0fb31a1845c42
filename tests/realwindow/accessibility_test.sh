#!/usr/bin/env bash
# The toolbox as a screen reader finds it: the built program in a real X
# window with the accessibility bus on, walked over AT-SPI in a D-Bus session
# of its own (accessibility_walk.py). The walk ends by pressing the painted
# close button, which ends the program with status 0.
#
#   accessibility_test.sh BIN_DIR SHOT_DIR
set -euo pipefail

# A D-Bus session of the test's own, ended with it.
if [ "${TOVANU_OWN_BUS:-}" != 1 ]; then
  TOVANU_OWN_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi

bin_dir=$1
shot_dir=$2

# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

mkdir -p "$shot_dir"
start_x
unset QT_QPA_PLATFORMTHEME
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_CONFIG_HOME="$work/config" http_proxy=http://127.0.0.1:9

"$bin_dir/tovanu" > "$work/tovanu.log" 2>&1 &
app_pid=$!
answer_box
pass "update warning answered"

/usr/bin/python3 "$(dirname "$0")/accessibility_walk.py" Tovanu "$caption" || fail "the walk failed"
ended_within_a_second "the painted close button was pressed"
[ "$status" = 0 ] || fail "the painted close button ended the program with status $status"
pass "the program ended with status 0"
echo "$passed passed, 0 failed"
