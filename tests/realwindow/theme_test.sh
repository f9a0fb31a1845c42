#!/usr/bin/env bash
# The toolbox under desktop themes, on a desktop with a window manager
# (openbox), with qt6ct standing in for the desktop's settings:
# - the update warning opens centred over the window;
# - under another desktop font (14-pt bold italic serif, 10-pt sans) and
#   another style the window and an open page look exactly as on a bare
#   desktop;
# - under a dark colour scheme a page is dark and its title light.
#
#   theme_test.sh BIN_DIR SHOT_DIR
set -euo pipefail

bin_dir=$1
shot_dir=$2

# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

apache_topic='308 420'      # Command5(2) "如何安装Apache2", in client pixels
apache_title='80x34+76+110' # the title of its page, in client pixels
page_ground='330 110'       # the page's own background beside the title

mkdir -p "$shot_dir"
start_x
unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE
# The update check fails at once, on this machine.
export http_proxy=http://127.0.0.1:9
start_window_manager

# Centre of a window on the screen: "x y".
centre_of() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$((X + WIDTH / 2)) $((Y + HEIGHT / 2))"
}
# Waits until the screen stops changing, then keeps it in $work/screen.png.
unchanged_screen() {
  import -window root "$work/screen.png"
  [ "$(compare -metric AE "$work/last.png" "$work/screen.png" null: 2>&1)" = 0 ] && return 0
  cp "$work/screen.png" "$work/last.png"
  return 1
}
settled_shot() {
  import -window root "$work/last.png"
  within 20 unchanged_screen || fail "the screen did not settle"
}

# Starts the program with the desktop settings of folder $1 (XDG_CONFIG_HOME),
# checks that the update warning opens over the window, and keeps the window
# and the Apache page as $shot_dir/$2-window.png and $2-page.png.
run_under() {
  local name=$2 box wx wy bx by
  XDG_CONFIG_HOME=$1 "$bin_dir/tovanu" > "$work/$name.log" 2>&1 &
  app_pid=$!
  window=$(wait_window "$caption") || fail "$name: the window did not appear"
  box=$(wait_window "$brand") || fail "$name: no update warning"
  read -r wx wy <<< "$(centre_of "$window")"
  # Read as soon as the box shows: it is placed before it is mapped, and a
  # box that moved afterwards would jump before the user's eyes.
  read -r bx by <<< "$(centre_of "$box")"
  # The window manager's frame around the box may shift it by its title bar.
  [ $(((bx - wx) * (bx - wx) + (by - wy) * (by - wy))) -le 1024 ] \
    || fail "$name: the box's centre is at $bx,$by, the window's at $wx,$wy"
  answer_box

  window_origin "$window"
  local crop="${width}x${height}+${win_x}+${win_y}"
  xdotool mousemove --sync $((win_x + width / 2)) $((win_y + height + 50))
  settled_shot
  convert "$work/screen.png" -crop "$crop" +repage "$shot_dir/$name-window.png"
  # shellcheck disable=SC2086
  click $apache_topic
  settled_shot
  convert "$work/screen.png" -crop "$crop" +repage "$shot_dir/$name-page.png"
  wmctrl -i -c "$window"
  ended_within_a_second "$name: the desktop's close"
  [ "$status" = 0 ] || fail "$name: the program ended with status $status"
}

# A folder of qt6ct settings, named $1: the font $2, the style $3, and the
# colour scheme $4 or the style's own colours.
qt6ct_settings() {
  mkdir -p "$work/$1/qt6ct"
  {
    echo '[Appearance]'
    echo "style=$3"
    if [ -n "${4:-}" ]; then echo 'custom_palette=true'; echo "color_scheme_path=$4"; else echo 'custom_palette=false'; fi
    echo '[Fonts]'
    echo "general=\"$2\""
    echo "fixed=\"$2\""
  } > "$work/$1/qt6ct/qt6ct.conf"
  echo "$work/$1"
}

run_under "$work/bare" bare
pass "bare desktop: the update warning centred over the window"

export QT_QPA_PLATFORMTHEME=qt6ct
for font in 'DejaVu Serif,14,-1,5,700,1,0,0,0,0,0,0,0,0,0,1' 'Noto Sans,10,-1,5,400,0,0,0,0,0,0,0,0,0,0,1'; do
  name=$(cut -d, -f1,2 <<< "$font" | tr -d ' ' | tr , -)
  run_under "$(qt6ct_settings "$name" "$font" Windows)" "$name"
  for view in window page; do
    diff=$(compare -metric AE "$shot_dir/bare-$view.png" "$shot_dir/$name-$view.png" "$shot_dir/$name-$view-diff.png" 2>&1 || true)
    [ "$diff" = 0 ] || fail "$name: the $view differs from the bare desktop's in $diff pixels"
  done
  pass "$name desktop font, Windows style: window and page as on the bare desktop, the box centred"
done

run_under "$(qt6ct_settings dark 'Noto Sans,10,-1,5,400,0,0,0,0,0,0,0,0,0,0,1' Fusion /usr/share/qt6ct/colors/darker.conf)" dark
# The title's lightest pixel against the page's ground, in luma from 0 to 1.
luma() { convert "$shot_dir/dark-page.png" -crop "$1" -colorspace Gray -format "%[fx:maxima]" info:; }
ground=$(luma "1x1+${page_ground/ /+}")
title=$(luma "$apache_title")
awk -v g="$ground" -v t="$title" 'BEGIN { exit !(g < 0.3 && t - g > 0.5) }' \
  || fail "dark scheme: the page's ground has luma $ground, its title at most $title"
pass "dark scheme: the page is dark ($ground), its title light ($title)"

echo "$passed passed, 0 failed"
