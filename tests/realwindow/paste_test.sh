#!/usr/bin/env bash
# A command copied from the real window and pasted as users paste it, through
# a real xterm (Shift+Insert, bracketed paste) and through tmux (paste-buffer),
# into an interactive root bash of a throw-away root (throwaway_shell.sh): the
# file its here-document writes holds exactly the lines of the command, byte
# for byte. A CR before a line's LF would come through the terminal as a
# second line break, and the file would gain blank lines.
#
#   paste_test.sh BIN_DIR DATA_FILE SHOT_DIR
set -euo pipefail

bin_dir=$1
data_file=$2
shot_dir=$3

# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
shell="$(dirname "$0")/throwaway_shell.sh"
tmux_socket="$work/tmux.sock"
end_terminals() {
  tmux -S "$tmux_socket" kill-server 2>/dev/null || true
  [ -z "${xterm_pid:-}" ] || kill "$xterm_pid" 2>/dev/null || true
  cleanup
}
trap end_terminals EXIT

# A library command whose here-document writes a configuration file.
name='隐藏Apache版本号并关闭目录列表'
written=/etc/apache2/conf-available/zz-hardening.conf
line=$(grep -P "^${name}\t" "$data_file") || fail "$name is not in the library"
cut -f2 <<< "$line" | sed 's/%/\n/g' | sed -n "/<<'EOF'/,/^EOF\$/p" | sed '1d;$d' > "$work/expected"
[ -s "$work/expected" ] || fail "$name writes no here-document"

mkdir -p "$shot_dir"
start_x
start_program "$bin_dir/tovanu"

search_for $by_command zz-hardening
click 60 128             # the first entry of List1
click 468 340            # Command1 "复制"
within 20 eval 'clipboard | grep -q zz-hardening' || fail "the command was not copied"
pass "$name copied from the window"

# A throw-away root for each terminal; waits for its bash to show the given
# number of prompts.
make_root() { mkdir -p "$work/$1$(dirname "$written")"; }
prompts_shown() {
  local prompts="$work/$1/prompts" count=$2
  within 100 eval '[ "$(wc -l 2>/dev/null < "$prompts" || echo 0)" -ge "$count" ]'
}
same_file() {
  cmp "$work/$1$written" "$work/expected" \
    || fail "through $1 the here-document wrote: $(od -c "$work/$1$written" | head -n 4)"
}

# xterm pastes the clipboard with Shift+Insert.
make_root xterm
xterm -xrm 'XTerm*VT100.translations: #override Shift<Key>Insert: insert-selection(CLIPBOARD)' \
  -title throwaway-xterm -e bash "$shell" "$work/xterm" &
xterm_pid=$!
prompts_shown xterm 1 || fail "bash did not start in xterm"
terminal=$(wait_window throwaway-xterm) || fail "xterm did not appear"
xdotool windowfocus --sync "$terminal"
xdotool key --clearmodifiers shift+Insert Return
prompts_shown xterm 2 || fail "the paste into xterm did not run"
import -window root "$shot_dir/xterm.png"
same_file xterm
pass "pasted through xterm: the here-document wrote the command's lines byte for byte"

# tmux pastes a buffer loaded with the clipboard's bytes.
make_root tmux
tmux -S "$tmux_socket" -f /dev/null new-session -d -x 120 -y 40 bash "$shell" "$work/tmux"
prompts_shown tmux 1 || fail "bash did not start in tmux"
clipboard | tmux -S "$tmux_socket" load-buffer -
tmux -S "$tmux_socket" paste-buffer -p -d
tmux -S "$tmux_socket" send-keys Enter
prompts_shown tmux 2 || fail "the paste into tmux did not run"
same_file tmux
pass "pasted through tmux: the here-document wrote the command's lines byte for byte"

echo "$passed passed, 0 failed"
