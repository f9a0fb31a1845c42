#!/usr/bin/env bash
# The window at a scale where it is taller than the screen (QT_SCALE_FACTOR=2
# on 1920x1080, under openbox): its title band, which moves it, lies on the
# screen, and the update warning opens on the screen, over the window.
#
#   placement_test.sh BIN_DIR SHOT_DIR
set -euo pipefail

bin_dir=$1
shot_dir=$2

# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
screen_width=1920
screen_height=1080
scale=2

mkdir -p "$shot_dir"
start_x "${screen_width}x${screen_height}"
start_window_manager
QT_SCALE_FACTOR=$scale "$bin_dir/tovanu" > "$work/tovanu.log" 2>&1 &
app_pid=$!

window=$(wait_window "$caption") || fail "the window did not appear"
box=$(wait_window "$brand") || fail "the update warning did not appear"
window_origin "$window"
win_width=$WIDTH
win_height=$HEIGHT
[ "$win_height" -gt "$screen_height" ] || fail "the window is $win_height pixels high, not taller than the screen"
[ "$win_y" -ge 0 ] && [ "$win_x" -ge 0 ] || fail "the window's top left lies off the screen at $win_x,$win_y"
pass "a window taller than the screen keeps its title band on it ($win_x,$win_y, ${win_width}x${win_height})"

eval "$(xdotool getwindowgeometry --shell "$box")"
import -window root "$shot_dir/scaled.png"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le "$screen_width" ] && [ $((Y + HEIGHT)) -le "$screen_height" ] \
  || fail "the update warning lies off the screen at $X,$Y (${WIDTH}x${HEIGHT})"
[ "$X" -ge "$win_x" ] && [ $((X + WIDTH)) -le $((win_x + win_width)) ] && [ "$Y" -ge "$win_y" ] \
  || fail "the update warning at $X,$Y is not over the window"
pass "the update warning opens on the screen, over the window"
answer_box

echo "$passed passed, 0 failed"
