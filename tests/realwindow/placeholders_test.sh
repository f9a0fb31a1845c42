#!/usr/bin/env bash
# The placeholders of the details box in a real X window, filled as a new
# user would: the Apache 2.4 binding recipe chosen, a click on its first
# <域名> and the domain typed fill every place of it; F3 goes on to
# <网站目录>, where a path with a blank is quoted. The copied command parses
# (bash -n) and passes ShellCheck. Chosen again, the recipe offers the domain
# typed before.
#
#   placeholders_test.sh BIN_DIR DATA_FILE SHOT_DIR
set -euo pipefail
export LC_ALL=C.UTF-8

bin_dir=$1
data_file=$2
shot_dir=$3

# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

domain=blog.mysite.cn
folder='/var/www/my blog'
placeholder='<[^<>\s]*\p{Han}[^<>\s]*>'

mkdir -p "$shot_dir"
start_x
"$bin_dir/tovanu" > "$work/tovanu.log" 2>&1 &
app_pid=$!
window=$(wait_window "$caption") || fail "the window did not appear"
answer_box
window_origin "$window"

recipe=$(grep -P '^[^#\t]*Apache 2\.4[^\t]*\t' "$data_file" | cut -f2 | tr '%' '\n')
[ -n "$recipe" ] || fail "no Apache 2.4 recipe in the library"
# The first <域名> is this placeholder of the recipe, counted in reading order.
first_domain=$(grep -oP "$placeholder" <<< "$recipe" | grep -nx '<域名>' | head -n 1 | cut -d: -f1)
domains=$(grep -o '<域名>' <<< "$recipe" | wc -l)

# Clicks the first <域名> of the box.
click_first_domain() {
  local at
  at=$(tinted $to_fill | sed -n "${first_domain}p")
  [ -n "$at" ] || fail "the first <域名> is not tinted in the box"
  # shellcheck disable=SC2086
  click $at
}

search_for $by_name 'Apache 2.4'
click 60 128             # its name, the first entry of List1
import -window root "$shot_dir/placeholders.png"
click_first_domain
xdotool type --delay 40 "$domain"
xdotool key --clearmodifiers F3
xdotool type --delay 40 "$folder"
click 468 340            # Command1 "复制"
within 20 eval '[ -n "$(clipboard)" ]' || fail "nothing was copied"
import -window root "$shot_dir/placeholders-filled.png"
copied=$(clipboard)
! grep -qP "$placeholder" <<< "$copied" || fail "placeholders left: $(grep -oP "$placeholder" <<< "$copied" | sort -u)"
[ "$(grep -o "$domain" <<< "$copied" | wc -l)" = "$domains" ] || fail "the domain does not stand in each of the $domains places"
grep -qxF "mkdir -p '$folder'" <<< "$copied" || fail "the folder is not quoted as one word: $copied"
bash -n <<< "$copied" || fail "bash -n refuses the filled command"
# What the library checker leaves out: "cd … || exit" (SC2164) and the paste
# guard's constant "case" word (SC2194).
shellcheck --severity=warning --shell=bash --exclude=SC2164,SC2194 - <<< "$copied" \
  || fail "ShellCheck refuses the filled command"
pass "a click and typing fill all $domains <域名>; F3, then a folder with a blank, quoted; bash -n and ShellCheck pass"

# Chosen again, the recipe shows its placeholders; the domain typed before is offered, and Return takes it.
click 60 128
click_first_domain
import -window root "$shot_dir/placeholders-offered.png"
xdotool key --clearmodifiers Return
click 468 340
within 20 eval '[ "$(clipboard | grep -o "$domain" | wc -l)" = "$domains" ] && clipboard | grep -q "<网站目录>"' \
  || fail "the domain typed before was not offered: $(clipboard)"
pass "the domain typed before is offered again for <域名>"
