#!/usr/bin/env bash
# The built toolbox in a real X window, tried as a new user would: real
# pointer and key events (xdotool), the clipboard read back (xclip), the
# written file read back, screenshots checked at a few pixels.
#
#   realwindow_test.sh BIN_DIR DATA_FILE GOLDEN_DIR SHOT_DIR
set -euo pipefail

bin_dir=$1
data_file=$2
golden_dir=$3
shot_dir=$4

caption='Tovanu 新手工具箱 V1.1'
brand='Korvel系列软件'
width=617
height=542

work=$(mktemp -d)
app="$work/app"
cleanup() {
  [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
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

# The program from a copy of its application directory, as a user unpacks it.
mkdir -p "$app" "$shot_dir"
cp -r "$bin_dir"/. "$app"/

# An X server of our own, without a window manager, as CI has.
exec 3<> "$work/displayfd" || true
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
x_pid=$!
for _ in $(seq 50); do
  display=$(head -n 1 "$work/displayfd" 2>/dev/null || true)
  [ -n "$display" ] && break
  sleep 0.1
done
[ -n "${display:-}" ] || fail "Xvfb did not start"
export DISPLAY=":$display"
unset QT_QPA_PLATFORM

clipboard() { xclip -o -selection clipboard 2>/dev/null; }

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

# Answers the message box on top with the Return key (OK, or Yes).
answer_box() {
  local id
  id=$(wait_window "$brand") || fail "no message box titled $brand"
  xdotool windowfocus --sync "$id" 2>/dev/null || true
  xdotool key --clearmodifiers Return
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^${brand}\$" 2>/dev/null | grep -qx "$id" || return 0
    sleep 0.1
  done
  fail "the message box did not close"
}

# Clicks at a point given in the window's own client pixels.
click() {
  xdotool mousemove --sync $((win_x + $1)) $((win_y + $2)) click 1
  sleep 0.3
}

pixel() { convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'; }
dark() { # a pixel of the painted frame: every channel below 0x40
  local hex=$1
  [ $((16#${hex:1:2})) -lt 64 ] && [ $((16#${hex:3:2})) -lt 64 ] && [ $((16#${hex:5:2})) -lt 64 ]
}

"$app/tovanu" > "$work/tovanu.log" 2>&1 &
app_pid=$!

window=$(wait_window "$caption") || fail "the window did not appear"
# No network here: the update check warns, and the program runs on.
answer_box
pass "update warning answered"

eval "$(xdotool getwindowgeometry --shell "$window")"
win_x=$X
win_y=$Y
[ "$WIDTH" = "$width" ] && [ "$HEIGHT" = "$height" ] || fail "window is ${WIDTH}x${HEIGHT}"
pass "window $WIDTH x $HEIGHT at $X,$Y"

sleep 0.5
import -window root "$shot_dir/start.png"
shot="$shot_dir/start.png"
for point in "$((win_x + 1)) $((win_y + 300))" "$((win_x + width - 2)) $((win_y + 300))" \
             "$((win_x + 300)) $((win_y + height - 2))" "$((win_x + 470)) $((win_y + 60))"; do
  # shellcheck disable=SC2086
  colour=$(pixel "$shot" $point)
  dark "$colour" || fail "frame pixel at $point is $colour, not dark"
done
# The close button's white separator column, and the dark button fill beside it.
sep=$(pixel "$shot" $((win_x + width - 51)) $((win_y + 12)))
[ "$sep" = "#FFFFFF" ] || fail "close button separator is $sep"
dark "$(pixel "$shot" $((win_x + width - 75)) $((win_y + 4)))" || fail "minimise button is not dark"
pass "frame and buttons painted"

# Search by command text for a command of the shipped library, pick it, copy it.
term='a2enmod rewrite'
line=$(grep -P "^[^#].*\t.*${term}" "$data_file")
[ "$(grep -cP "^[^#].*\t.*${term}" "$data_file")" = 1 ] || fail "search term is not unique in the library"
expected=$(printf '%s' "${line#*$'\t'}" | sed 's/%/\r\n/g')
click 480 132            # Option1(0): search by command text
click 480 170            # Text1
xdotool type --delay 40 "$term"
sleep 0.5
click 60 128             # the first entry of List1
click 468 340            # Command1 "复制"
[ "$(clipboard)" = "$expected" ] || fail "copied $(clipboard | od -c | head -n 3)"
[ "$(clipboard | tr -cd '\r' | wc -c)" = "$(grep -o '%' <<< "${line#*$'\t'}" | wc -l)" ] \
  || fail "copied lines are not joined by CR LF"
pass "search, pick and copy: exact command on the clipboard"

# Topic 8 puts the unzip command on the clipboard.
click 308 468            # Command5(8) "如何安装zip解压"
answer_box
[ "$(clipboard)" = "apt-get install unzip" ] || fail "topic 8 copied '$(clipboard)'"
pass "topic 8 copies apt-get install unzip"

# The subdomain page: type a domain, press ok, answer Yes.
click 196 468            # Command5(3) "如何绑定子域名"
sleep 0.3
click 330 231            # Text4(11), the domain field
xdotool type --delay 40 "www.example.com"
import -window root "$shot_dir/subdomain.png"
click 480 230            # Command6 "ok"
answer_box               # Yes
answer_box               # copied
expected=$'cd /etc/apache2/sites-enabled\r\nln -f -s ../sites-available/www.example.com www.example.com'
[ "$(clipboard)" = "$expected" ] || fail "bind commands were '$(clipboard | od -c | head -n 4)'"
pass "subdomain commands on the clipboard"

# The page's close image, then the sources page writes Source.list beside
# the program.
click 558 41             # al(5)
click 420 468            # Command5(5) "Tovanu推荐源"
sleep 0.3
click 228 402            # Command4
answer_box
{ cat "$golden_dir/sources.txt"; printf '\r\n'; } > "$work/Source.list.expected"
cmp "$app/Source.list" "$work/Source.list.expected" || fail "Source.list differs from the expected bytes"
pass "Source.list written byte for byte"

# The painted close box ends the program at once, with status 0.
click $((width - 30)) 12
for _ in $(seq 10); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "the program still runs a second after the close box"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" = 0 ] || fail "the program ended with status $status"
pass "close box ends the program with status 0"

echo "$passed passed, 0 failed"
