# shellcheck shell=bash
# Helpers of the real-window scripts, sourced by them: an X server of the
# script's own, a window manager, and waits for windows, the clipboard and the
# program's end, each with a deadline. A script sets shot_dir (where
# screenshots go) before it sources this file; lib.sh makes $work, a
# temporary folder removed at exit with every process started here.
#
# The program's box titles and the window's client size.
caption='Tovanu 新手工具箱 V1.1'
brand='Korvel系列软件'
width=617
height=542

# No run reaches outside the machine: the update check of every start goes
# through a proxy on a local port where nothing listens, and fails there, as
# it does without a network. A script that wants a server of its own sets
# http_proxy for that start.
export http_proxy=http://127.0.0.1:9
unset no_proxy NO_PROXY

work=$(mktemp -d)
cleanup() {
  [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "${server_pid:-}" ] && kill "$server_pid" 2>/dev/null || true
  [ -n "${manager_PID:-}" ] && kill "$manager_PID" 2>/dev/null || true
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "${x_pid:-}" ] && kill "$x_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  [ -n "${DISPLAY:-}" ] && import -window root "$shot_dir/failure.png" 2>/dev/null || true
  exit 1
}
pass() { echo "PASS: $*"; passed=$((passed + 1)); }
passed=0

# Runs the command until it succeeds, for at most the given tenths of a
# second; fails when it never did.
within() {
  local tenths=$1
  shift
  for _ in $(seq "$tenths"); do
    "$@" && return 0
    sleep 0.1
  done
  "$@"
}

# An X server of the script's own, without a window manager, as CI has; its
# screen 1024x768 unless a size is given.
start_x() {
  exec 3<> "$work/displayfd" || true
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp > "$work/xvfb.log" 2>&1 &
  x_pid=$!
  within 50 test -s "$work/displayfd" || fail "Xvfb did not start"
  DISPLAY=":$(head -n 1 "$work/displayfd")"
  export DISPLAY
  unset QT_QPA_PLATFORM
}

# openbox, as a desktop runs a window manager.
start_window_manager() {
  openbox --sm-disable > "$work/openbox.log" 2>&1 &
  wm_pid=$!
  within 50 eval 'wmctrl -m > /dev/null 2>&1' || fail "openbox did not start"
}

clipboard() { xclip -o -selection clipboard 2>/dev/null; }
# The clipboard comes to hold exactly these bytes within two seconds; else
# fails, showing what it holds.
clipboard_holds() {
  local expected=$1
  within 20 eval '[ "$(clipboard)" = "$expected" ]' || fail "$2 $(clipboard | od -c | head -n 3)"
}

# Sets win_x and win_y to where the window's client area lies on the screen.
window_origin() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  win_x=$X
  win_y=$Y
}

# Waits for a top-level window with this exact name; prints its id.
wait_window() {
  local name=$1 id=""
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Starts the program, waits for its window and answers the update warning
# (no network here); sets app_pid, window, win_x and win_y.
start_program() {
  "$1" > "$work/tovanu.log" 2>&1 &
  app_pid=$!
  window=$(wait_window "$caption") || fail "the window did not appear"
  answer_box
  window_origin "$window"
}

# The title as the desktop shows it (_NET_WM_NAME), exactly.
title_is() {
  local shown
  shown=$(xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
  [ "$shown" = "$2" ] || fail "window $1 is titled '$shown', not '$2'"
}

# Waits up to a second for the program ($app_pid) to end; sets status to its
# exit status.
ended_within_a_second() {
  within 10 eval '! kill -0 "$app_pid" 2>/dev/null' || fail "the program still runs a second after $1"
  status=0
  wait "$app_pid" || status=$?
  app_pid=""
}

# Answers the message box on top with the Return key (OK, or Yes), and waits
# for it to close.
answer_box() {
  local id
  id=$(wait_window "$brand") || fail "no message box titled $brand"
  xdotool windowfocus --sync "$id" 2>/dev/null || true
  xdotool key --clearmodifiers Return
  within 50 eval '! xdotool search --onlyvisible --name "^${brand}\$" 2>/dev/null | grep -qx "$id"' \
    || fail "the message box did not close"
}

# Clicks at a point given in the window's own client pixels ($win_x, $win_y
# is the window's top left). The program takes input events in the order
# they come, so what a click changes in the window is in place before the
# next click or key is handled; what shows on the screen is polled for.
click() {
  xdotool mousemove --sync $((win_x + $1)) $((win_y + $2)) click 1
}

# Empties the search box, chooses what it searches and types the term.
by_command=480           # Option1(0)
by_name=345              # Option1(1)
search_for() {
  click "$1" 132
  click 480 170            # Text1
  xdotool key --clearmodifiers ctrl+a BackSpace
  xdotool type --delay 40 "$2"
}

# A pixel of a screenshot as #RRGGBB.
pixel() { convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'; }
# Takes a screenshot into the file, again and again for up to three seconds,
# until the test (a command that looks at the file) passes.
shot_until() {
  local file=$1
  shift
  for _ in $(seq 30); do
    import -window root "$file" && "$@" && return 0
    sleep 0.1
  done
  return 1
}
dark() { # a pixel of the painted frame: every channel below 0x40
  local hex=$1
  [ $((16#${hex:1:2})) -lt 64 ] && [ $((16#${hex:3:2})) -lt 64 ] && [ $((16#${hex:5:2})) -lt 64 ]
}

# The details box Text2 in client pixels, and the tints of a placeholder
# still to fill, of a filled one and of one whose value does not fit
# (src/ui/library/PlaceholderFiller.cpp).
box=(336 200 265 105)
to_fill=FFE28A
filled=CCEBCC
misfit=F6C2C2
# Prints the box's areas of a tint, "x y" in client pixels, in reading order.
tinted() {
  import -window root ppm:- \
    | convert - -crop "${box[2]}x${box[3]}+$((win_x + box[0]))+$((win_y + box[1]))" +repage -depth 8 ppm:- \
    | python3 "$(dirname "${BASH_SOURCE[0]}")/tinted_areas.py" "$1" \
    | while read -r x y; do echo "$((box[0] + x)) $((box[1] + y))"; done
}
