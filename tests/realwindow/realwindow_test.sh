#!/usr/bin/env bash
# The built toolbox in a real X window, tried as a new user would: real
# pointer and key events (xdotool), the clipboard read back (xclip), the
# written file read back, screenshots checked at a few pixels. Without a
# window manager, as CI has, or under openbox, as a desktop has: titles as the
# desktop reads them, closing from the desktop, minimise and restore. An
# installed program, started through its bin/ link, gets the first steps
# alone: its window, its list searched and a command copied, its close box.
#
#   realwindow_test.sh [--window-manager] BIN_DIR DATA_FILE GOLDEN_DIR SHOT_DIR
#   realwindow_test.sh --installed PROGRAM DATA_FILE GOLDEN_DIR SHOT_DIR
set -euo pipefail

wm=false
installed=false
[ "$1" = --window-manager ] && { wm=true; shift; }
[ "$1" = --installed ] && { installed=true; shift; }

bin_dir=$1
data_file=$2
golden_dir=$3
shot_dir=$4

# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

# The program from a copy of its application directory, as a user unpacks it;
# an installed one where it lies.
app="$work/app"
mkdir -p "$app" "$shot_dir"
if $installed; then
  program=$bin_dir
else
  cp -r "$bin_dir"/. "$app"/
  program="$app/tovanu"
fi

start_x
$wm && start_window_manager

# The frame's two buttons in a screenshot look as they did at the start.
same_buttons() {
  local buttons="82x22+$((win_x + width - 82))+$((win_y + 1))"
  [ "$(compare -metric AE "$shot_dir/start.png[$buttons]" "$1[$buttons]" null: 2>&1)" = 0 ]
}
# The frame is painted in a screenshot: its edges and title area are dark.
frame_painted() {
  local point
  for point in "$((win_x + 1)) $((win_y + 300))" "$((win_x + width - 2)) $((win_y + 300))" \
               "$((win_x + 300)) $((win_y + height - 2))" "$((win_x + 470)) $((win_y + 60))"; do
    # shellcheck disable=SC2086
    dark "$(pixel "$1" $point)" || return 1
  done
}
# A page stands in a screenshot: it covers the bottom of the title area, near
# the left edge, with its light face.
page_shown() { ! dark "$(pixel "$1" $((win_x + 50)) $((win_y + 98)))"; }
# The list shows at a point of the window where a page lay: no page is open.
no_page() {
  [ "$(pixel "$1" $((win_x + 300)) $((win_y + 300)))" = "$(pixel "$shot_dir/start.png" $((win_x + 300)) $((win_y + 300)))" ]
}

"$program" > "$work/tovanu.log" 2>&1 &
app_pid=$!

window=$(wait_window "$caption") || fail "the window did not appear"
title_is "$window" "$caption"
title_is "$(wait_window "$brand")" "$brand"
# No network here: the update check warns, and the program runs on.
answer_box
pass "titles exact; update warning answered"

window_origin "$window"
[ "$WIDTH" = "$width" ] && [ "$HEIGHT" = "$height" ] || fail "window is ${WIDTH}x${HEIGHT}"
pass "window $WIDTH x $HEIGHT at $X,$Y"

shot="$shot_dir/start.png"
shot_until "$shot" frame_painted "$shot" || fail "the frame is not painted dark"
# The close button's white separator column, and the dark button fill beside it.
sep=$(pixel "$shot" $((win_x + width - 51)) $((win_y + 12)))
[ "$sep" = "#FFFFFF" ] || fail "close button separator is $sep"
dark "$(pixel "$shot" $((win_x + width - 75)) $((win_y + 4)))" || fail "minimise button is not dark"
pass "frame and buttons painted"

# Search by command text for a command of the shipped library, pick it, copy it.
term='a2enmod rewrite'
line=$(grep -P "^[^#].*\t.*${term}" "$data_file")
[ "$(grep -cP "^[^#].*\t.*${term}" "$data_file")" = 1 ] || fail "search term is not unique in the library"
code=$(cut -f2 <<< "$line")
library_command=$(printf '%s' "$code" | sed 's/%/\n/g')
search_for $by_command "$term"
click 60 128             # the first entry of List1
click 468 340            # Command1 "复制"
clipboard_holds "$library_command" copied
[ "$(clipboard | tr -cd '\r\n' | wc -c)" = "$(grep -o '%' <<< "$code" | wc -l)" ] \
  || fail "copied lines are not joined by LF alone"
pass "search, pick and copy: exact command on the clipboard"

# The painted close box ends the program at once, with status 0.
close_box_ends() {
  click $((width - 30)) 12
  ended_within_a_second "the close box"
  [ "$status" = 0 ] || fail "the close box ended the program with another status"
  pass "close box ends the program with status 0"
}
finish() {
  echo "$passed passed, 0 failed"
  exit 0
}
$installed && { close_box_ends; finish; }

# An edit of the command, then a click on its name brings it back; Enter on
# the name copies it.
click 400 230            # Text2
xdotool type --delay 40 "edited"
click 60 128             # the chosen name again
xdotool key --clearmodifiers Return
clipboard_holds "$library_command" "Enter copied"
pass "a click on the chosen name restores its command; Enter copies it"

# Letters that no name holds find the names they spell in pinyin: jhkj, the
# initials of 查看交换空间 and of no other name.
pinyin_line=$(grep -P "^查看交换空间\\(swap,虚拟内存\\)\t" "$data_file") || fail "查看交换空间 is not in the library"
# Ctrl+F puts the focus in the search box with its text selected: the
# initials typed then replace the term before them.
click $by_name 132
xdotool key --clearmodifiers ctrl+f
xdotool type --delay 40 jhkj
import -window root "$shot_dir/pinyin.png"
click 60 128             # the first entry of List1
click 468 340            # Command1 "复制"
clipboard_holds "$(cut -f2 <<< "$pinyin_line" | sed 's/%/\n/g')" "pinyin search"
pass "Ctrl+F, then typed initials find the name they spell; its command copied"

# Ctrl+L, then Tab to the copy button: its focus ring is dark under the skin.
xdotool key --clearmodifiers ctrl+l Tab
focus_ring() { dark "$(pixel "$1" $((win_x + 337)) $((win_y + 340)))"; }
shot_until "$shot_dir/focus-ring.png" focus_ring "$shot_dir/focus-ring.png" || fail "the focused copy button shows no ring"
pass "Ctrl+L and Tab reach the copy button; its focus ring shows"
search_for $by_command "$term"

# Hovered, then covered and shown again: the frame's buttons are normal.
xdotool mousemove --sync $((win_x + width - 30)) $((win_y + 12))
shot_until "$work/hover.png" eval '! same_buttons "$work/hover.png"' || fail "the close button shows no hover"
xdotool mousemove --sync $((win_x + 300)) $((win_y + height + 100))
xdotool windowunmap --sync "$window"
xdotool windowmap --sync "$window"
shot_until "$shot_dir/shown-again.png" same_buttons "$shot_dir/shown-again.png" || fail "the buttons are not normal after the window was shown again"
pass "frame buttons normal after the window was shown again"

# Topic 8 puts the unzip command on the clipboard.
click 308 468            # Command5(8) "如何安装zip解压"
answer_box
clipboard_holds "apt-get install unzip" "topic 8 copied"
pass "topic 8 copies apt-get install unzip"

# The subdomain page: type a domain, press ok, answer Yes.
click 196 468            # Command5(3) "如何绑定子域名"
# Its notice at the page's foot is drawn: dark text on the white page.
notice_drawn() { [ "$(convert "$1" -crop "240x14+$((win_x + 64))+$((win_y + 502))" -colorspace Gray -format '%[fx:minima<0.3]' info:)" = 1 ]; }
shot_until "$shot_dir/notice.png" notice_drawn "$shot_dir/notice.png" || fail "the subdomain page's notice is not drawn"
click 330 231            # Text4(11), the domain field
xdotool type --delay 40 "www.example.com"
import -window root "$shot_dir/subdomain.png"
xdotool key --clearmodifiers Return   # Enter in the domain field presses "ok"
answer_box               # Yes
answer_box               # copied
expected=$'cd /etc/apache2/sites-enabled\nln -f -s ../sites-available/www.example.com www.example.com.conf'
clipboard_holds "$expected" "bind commands were"
pass "Enter in the domain field: subdomain commands on the clipboard"

# The page's close image, then the sources page writes Source.list beside
# the program.
click 558 41             # al(5)
click 420 468            # Command5(5) "Tovanu推荐源"
# A drag from the close image neither closes nor moves the page.
xdotool mousemove --sync $((win_x + 566)) $((win_y + 113)) mousedown 1
xdotool mousemove --sync $((win_x + 520)) $((win_y + 160)) mousemove --sync $((win_x + 566)) $((win_y + 113)) mouseup 1
click 228 402            # Command4
answer_box
{ cat "$golden_dir/sources.txt"; printf '\n'; } > "$work/Source.list.expected"
cmp "$app/Source.list" "$work/Source.list.expected" || fail "Source.list differs from the expected bytes"
pass "a drag from the close image keeps the page; Source.list written byte for byte"

# Esc closes the page: the list shows where it lay.
shot_until "$work/page.png" page_shown "$work/page.png" || fail "the sources page is not shown"
xdotool key --clearmodifiers Escape
shot_until "$shot_dir/escaped.png" no_page "$shot_dir/escaped.png" || fail "Esc left the page open"
pass "Esc closes the page"

if ! $wm; then
  close_box_ends

  # With no clipboard manager the copy outlives the program: a child of it
  # serves the text until another program takes the clipboard.
  keeper="^$app/tovanu --serve-clipboard"
  clipboard_holds "$expected" "after the close box, with no clipboard manager, the clipboard held"
  pgrep -f -- "$keeper" > /dev/null || fail "no child of the program serves the clipboard"
  printf 'taken' | xclip -selection clipboard
  within 20 eval '! pgrep -f -- "$keeper" > /dev/null' || fail "the child still runs after another program took the clipboard"
  clipboard_holds taken "after another program took it, the clipboard held"
  pass "with no clipboard manager the copy outlives the program, until another program takes the clipboard"

  # Started as ./tovanu from inside a folder deeper than the system names a
  # path (20 folders of 250 bytes): the database opens, Source.list is
  # written there.
  long=$(printf 'd%.0s' $(seq 250))
  in_deep() { (cd "$work" && for _ in $(seq 20); do mkdir -p "$long" && cd "$long"; done && "$@"); }
  in_deep cp -r "$app"/. .
  in_deep exec env ./tovanu > "$work/tovanu.log" 2>&1 &  # bash would exec it by its whole path
  app_pid=$!
  window=$(wait_window "$caption") || fail "the window did not appear from the deep folder"
  answer_box
  window_origin "$window"
  click 420 468            # Command5(5) "Tovanu推荐源"
  click 228 402            # Command4
  answer_box
  in_deep cmp Source.list "$work/Source.list.expected" || fail "Source.list in the deep folder differs"
  click $((width - 30)) 12
  ended_within_a_second "the close box in the deep folder"
  pass "started from a folder deeper than PATH_MAX: database opened, Source.list written there"

  # A name of 10 MB, listed first: chosen and its command copied with Enter
  # while the pointer rests on it (its tooltip comes), then another name
  # searched and copied, each within the usual two seconds.
  {
    printf '%s尾\techo huge\n' "$(head -c 10000000 /dev/zero | tr '\0' a)"
    printf 'disk usage\tdf -h\n'
  } > "$work/huge.txt"
  rm -f "$app/db/main.mdb"
  "$bin_dir/tovanu-db" build "$work/huge.txt" "$app/db/main.mdb" || fail "the library with a huge name was not built"
  http_proxy="http://127.0.0.1:9" "$program" > "$work/tovanu.log" 2>&1 &
  app_pid=$!
  window=$(wait_window "$caption") || fail "the window with a huge name did not appear"
  answer_box
  window_origin "$window"
  click 60 128             # the huge name, the first entry of List1
  xdotool key --clearmodifiers Return
  clipboard_holds "echo huge" "the huge name's command"
  search_for $by_name disk
  click 60 128
  click 468 340            # Command1 "复制"
  clipboard_holds "df -h" "a command after the huge name"
  click $((width - 30)) 12    # the close box
  ended_within_a_second "the close after the huge name"
  pass "a 10 MB name: listed, chosen, its command and another copied at once"
  finish
fi

# Minimised with the minimise box, restored by the desktop: both buttons normal.
click $((width - 65)) 12
xdotool mousemove --sync 0 0
within 30 eval 'xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN' || fail "the window was not minimised"
wmctrl -i -a "$window"
shot_until "$shot_dir/restored.png" same_buttons "$shot_dir/restored.png" || fail "the buttons are not normal after a restore"
pass "frame buttons normal after a restore"

# A clipboard manager, as a desktop runs one, and a command copied again.
# Debian's own Python, which has python3-xlib.
coproc manager { exec /usr/bin/python3 "$(dirname "$0")/clipboard_manager.py"; }
read -r -t 5 -u "${manager[0]}" ready && [ "$ready" = ready ] || fail "the clipboard manager did not start"
click 60 128             # the chosen name
click 468 340            # Command1 "复制"
clipboard_holds "$library_command" copied

# Closed by the desktop after start-up: the program ends with status 0 and
# hands the copied command to the clipboard manager, which keeps it.
wmctrl -i -c "$window"
ended_within_a_second "the desktop's close"
[ "$status" = 0 ] || fail "closing ended the program with another status"
clipboard_holds "$library_command" "after the program ended, the clipboard held"
pass "closing from the desktop ends the program; the copied command outlives it"
manager_input=${manager[1]}
exec {manager_input}>&-  # the manager ends with its input

# Closed by the desktop while the update check waits on a server that
# accepts and never answers: gone within a second, with no box after it.
python3 -c 'import socket, sys, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(8)
print(s.getsockname()[1], flush=True)
held = []
while True:
    held.append(s.accept())
    print("accepted", flush=True)' > "$work/silent.port" &
server_pid=$!
within 50 test -s "$work/silent.port" || fail "the silent server did not start"
http_proxy="http://127.0.0.1:$(head -n 1 "$work/silent.port")" "$program" > "$work/tovanu.log" 2>&1 &
app_pid=$!
window=$(wait_window "$caption") || fail "the window did not appear"
within 50 grep -q accepted "$work/silent.port" || fail "the update check did not reach the server"
xdotool search --onlyvisible --name "^${brand}\$" > /dev/null 2>&1 && fail "the update check did not wait"
wmctrl -i -c "$window"
ended_within_a_second "the desktop's close during the wait"
[ "$status" = 0 ] || fail "closing during the wait gave another status"
pass "closing from the desktop during the update wait ends the program at once"

# Closed by the desktop while a message box is open (Qt drops the request to
# a window that a modal box blocks): the program ends within a second, box
# and all, with status 0.
close_with_box_open() {
  window=$(wait_window "$caption") || fail "the window did not appear"
  wait_window "$brand" > /dev/null || fail "no box open: $1"
  wmctrl -i -c "$window"
  ended_within_a_second "the desktop's close with $1 open"
  [ "$status" = 0 ] || fail "closing with $1 open gave status $status"
  pass "closing from the desktop with $1 open ends the program"
}
# A topic's box while the update check waits on the silent server.
http_proxy="http://127.0.0.1:$(head -n 1 "$work/silent.port")" "$program" > "$work/tovanu.log" 2>&1 &
app_pid=$!
window=$(wait_window "$caption") || fail "the window did not appear"
window_origin "$window"
click 308 468            # Command5(8) "如何安装zip解压"
close_with_box_open "a topic's box during the update wait"
kill "$server_pid"

# The server answers while a topic's box is open: the check's own box waits
# for that box to close and never comes over it.
python3 -c 'import http.server, os, sys, time
class Late(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        print("asked", flush=True)
        while not os.path.exists(sys.argv[1]):
            time.sleep(0.05)
        self.send_response(200); self.end_headers()
        print("answered", flush=True)
server = http.server.HTTPServer(("127.0.0.1", 0), Late)
print(server.server_address[1], flush=True)
server.serve_forever()' "$work/answer-now" > "$work/late.port" 2> /dev/null &
server_pid=$!
within 50 test -s "$work/late.port" || fail "the late server did not start"
http_proxy="http://127.0.0.1:$(head -n 1 "$work/late.port")" "$program" > "$work/tovanu.log" 2>&1 &
app_pid=$!
window=$(wait_window "$caption") || fail "the window did not appear"
window_origin "$window"
within 50 grep -q asked "$work/late.port" || fail "the update check did not reach the late server"
click 300 472            # Command5(8) "如何安装zip解压", the pointer moved into it anew
topic_box=$(wait_window "$brand") || fail "no topic box"
touch "$work/answer-now"
within 50 grep -q answered "$work/late.port" || fail "the late server did not answer"
boxes() { xdotool search --onlyvisible --name "^${brand}\$" 2>/dev/null | wc -l; }
within 10 eval '[ "$(boxes)" -gt 1 ]' && fail "the check's box came over the topic's box"
xdotool windowfocus --sync "$topic_box" 2>/dev/null || true
xdotool key --clearmodifiers Return
within 50 eval 'xdotool search --onlyvisible --name "^${brand}\$" | grep -qvx "$topic_box"' \
  || fail "the check's box did not come after the topic's box"
answer_box
wmctrl -i -c "$window"
ended_within_a_second "the desktop's close"
kill "$server_pid"
pass "the check's answer during a topic's box comes when that box has closed"

# The update-failure box: nothing listens on the port.
http_proxy="http://127.0.0.1:9" "$program" > "$work/tovanu.log" 2>&1 &
app_pid=$!
close_with_box_open "the update-failure box"
# The new-version box: the server announces V1.2.
python3 -c 'import http.server
class Newer(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        self.send_response(200); self.end_headers(); self.wfile.write(b"ubuntu:V1.2|")
server = http.server.HTTPServer(("127.0.0.1", 0), Newer)
print(server.server_address[1], flush=True)
server.serve_forever()' > "$work/newer.port" &
server_pid=$!
within 50 test -s "$work/newer.port" || fail "the version server did not start"
http_proxy="http://127.0.0.1:$(head -n 1 "$work/newer.port")" "$program" > "$work/tovanu.log" 2>&1 &
app_pid=$!
close_with_box_open "the new-version box"

# The database cannot be opened: two boxes with their exact titles, status 1.
rm -rf "$app/db"
"$program" > "$work/tovanu.log" 2>&1 &
app_pid=$!
first=$(wait_window Tovanu) || fail "no box titled Tovanu"
title_is "$first" Tovanu
xdotool windowfocus --sync "$first" 2>/dev/null || true
xdotool key --clearmodifiers Return
second=$(wait_window 提示) || fail "no box titled 提示"
title_is "$second" 提示
xdotool windowfocus --sync "$second" 2>/dev/null || true
xdotool key --clearmodifiers Return
ended_within_a_second "the database boxes"
[ "$status" = 1 ] || fail "a missing database gave another status"
pass "database failure: boxes titled Tovanu and 提示, status 1"

echo "$passed passed, 0 failed"
