#!/usr/bin/env bash
# The placeholders of the details box typed through a real input method, as
# Chinese users type: fcitx5 or ibus with pinyin, in a D-Bus session and a
# home of the test's own. The binding recipe found by the search "bd"; F3 to
# its first placeholder; "zhandian" composed, which is only shown (every
# placeholder still waits for its value) and Space commits 站点; the input
# method switched off, F3 and "a.com" typed. The copy holds both values in
# every place of them, the paste guard's included.
#
#   input_method_test.sh fcitx5|ibus BIN_DIR DATA_FILE SHOT_DIR
set -euo pipefail
export LC_ALL=C.UTF-8

# A D-Bus session and a home of the test's own, both ended with it.
if [ "${TOVANU_OWN_BUS:-}" != 1 ]; then
  home=$(mktemp -d)
  trap 'rm -rf "$home"' EXIT
  mkdir -m 700 "$home/run"
  TOVANU_OWN_BUS=1 HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home/run \
    dbus-run-session -- bash "$0" "$@"
  exit
fi

method=$1
bin_dir=$2
data_file=$3
shot_dir=$4

# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

mkdir -p "$shot_dir"
start_x
recipe=$(grep -P '^绑定域名/添加网站[^\t]*\t' "$data_file" | cut -f2)
[ -n "$recipe" ] || fail "no binding recipe in the library"
expected=$(sed 's/%/\n/g; s/<网站目录>/站点/g; s/<域名>/a.com/g' <<< "$recipe")

# The input method, on the desktop's D-Bus session; ime_on and ime_off
# switch it with its own key and wait until it took the key.
case $method in
fcitx5)
  mkdir -p "$XDG_CONFIG_HOME/fcitx5"
  printf '%s\n' '[Hotkey/TriggerKeys]' '0=Control+space' > "$XDG_CONFIG_HOME/fcitx5/config"
  printf '%s\n' '[Groups/0]' 'Name=Default' 'Default Layout=us' 'DefaultIM=pinyin' \
    '[Groups/0/Items/0]' 'Name=keyboard-us' '[Groups/0/Items/1]' 'Name=pinyin' \
    '[GroupOrder]' '0=Default' > "$XDG_CONFIG_HOME/fcitx5/profile"
  fcitx5 > "$work/im.log" 2>&1 &
  im_pid=$!
  within 300 eval 'dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null | grep -q true' \
    || fail "fcitx5 did not start: $(tail -n 5 "$work/im.log")"
  export QT_IM_MODULE=fcitx
  # fcitx5-remote: 2 while the input method is on, 1 while off.
  ime_on() { xdotool key --clearmodifiers ctrl+space; within 50 eval '[ "$(fcitx5-remote)" = 2 ]' || fail "fcitx5 did not switch on"; }
  ime_off() { xdotool key --clearmodifiers ctrl+space; within 50 eval '[ "$(fcitx5-remote)" = 1 ]' || fail "fcitx5 did not switch off"; }
  ;;
ibus)
  # libpinyin starts in English; Shift switches it to Chinese and back.
  gsettings set com.github.libpinyin.ibus-libpinyin.libpinyin init-chinese false
  ibus-daemon --panel=disable > "$work/im.log" 2>&1 &
  im_pid=$!
  within 300 eval 'ibus engine libpinyin 2>/dev/null; [ "$(ibus engine 2>/dev/null)" = libpinyin ]' \
    || fail "ibus did not start: $(tail -n 5 "$work/im.log")"
  export QT_IM_MODULE=ibus
  # libpinyin tells its mode to nobody: the composing and the commit below are the proof.
  ime_on() { xdotool key --clearmodifiers shift; }
  ime_off() { xdotool key --clearmodifiers shift; }
  ;;
*) fail "no input method $method" ;;
esac
# The input method ends before the home it writes to goes.
trap '{ kill "$im_pid" && within 50 eval "! kill -0 $im_pid"; } 2>/dev/null || true; cleanup' EXIT

"$bin_dir/tovanu" > "$work/tovanu.log" 2>&1 &
app_pid=$!
window=$(wait_window "$caption") || fail "the window did not appear"
answer_box
window_origin "$window"

search_for $by_name bd
click 60 128             # the binding recipe, the first entry of List1
within 30 eval '[ "$(tinted $to_fill | wc -l)" -gt 2 ]' || fail "the recipe's placeholders are not shown"
waiting=$(tinted $to_fill | wc -l)
click 500 $((box[1] + box[3] - 4))
xdotool key --clearmodifiers ctrl+Home F3
ime_on
xdotool type --delay 40 zhandian
# Composing gives up the placeholder's selection, so it is tinted again, and
# no place takes the composed letters as its value.
within 50 eval "[ \"\$(tinted $to_fill | wc -l)\" -ge $waiting ]" || fail "composing kept the placeholder selected or changed it"
import -window root "$shot_dir/$method-composing.png"
[ -z "$(tinted $filled)$(tinted $misfit)" ] || fail "the composing text was taken as a value"
pass "$method: the composing text is shown, every placeholder still waits"

xdotool key space
# 站点 is no absolute folder: its places are filled and marked.
within 50 eval '[ -n "$(tinted $misfit)" ]' || fail "the commit filled no place"
ime_off
xdotool key --clearmodifiers F3
xdotool type --delay 40 a.com
click 468 340            # Command1 "复制"
import -window root "$shot_dir/$method-filled.png"
clipboard_holds "$expected" "the copy is not the recipe with 站点 and a.com in every place:"
pass "$method: the commit 站点 and a.com typed after fill every place, the guard's too"
echo "$passed passed, 0 failed"
