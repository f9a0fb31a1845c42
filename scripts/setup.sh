#!/usr/bin/env bash
# Installs what building, running and testing the toolbox needs on Debian 12.
# Only packages that are missing are installed; apt's lists are refreshed first.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n
  libgl-dev libxcb1-dev
  libsqlcipher-dev sqlcipher libicu-dev libssl-dev nettle-dev libcurl4-openssl-dev
  fonts-wqy-microhei
  xvfb xauth xdotool xclip x11-apps imagemagick openbox wmctrl python3-minimal python3-xlib
  unicode-data bzip2
  shellcheck apache2-bin media-types curl iproute2
  debootstrap systemd-container tmux xterm
  fcitx5 fcitx5-chinese-addons fcitx5-frontend-qt6 ibus ibus-libpinyin libglib2.0-bin
  clang libclang-rt-14-dev
  desktop-file-utils appstream lintian
  at-spi2-core python3-pyatspi dbus-daemon dbus-x11 qt6ct
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
