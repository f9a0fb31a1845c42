#!/usr/bin/env bash
# Builds the Debian 12 root that the library's recipes are pasted into, once:
# later runs find it and return at once. The packages are fetched from this
# machine's Debian mirror; they are installed (debootstrap's second stage)
# inside private network, mount and PID namespaces, so no service of theirs
# ever starts on this machine's network.
#
#   make-root.sh ROOT
set -euo pipefail

root=$1
[ -f "$root/.tovanu-proof-root" ] && exit 0

# The first Debian mirror of this machine's apt sources.
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null \
  | sed -nE 's,^(URIs:|deb)[[:space:]]+(\[[^]]*\][[:space:]]+)?(https?://[^ ]*/debian)/?([[:space:]].*)?$,\3,p' | head -n 1 || true)
mirror=${mirror:-http://deb.debian.org/debian}

# What the recipes use, and what their installs ask for (so that an install
# without the network finds the package in place).
packages=(
  apache2 mariadb-server mariadb-client php libapache2-mod-php php-mysql
  php-curl php-gd php-mbstring php-xml php-zip php-intl
  ufw fail2ban openssh-server cron rsync zip unzip curl wget vim nano htop less
  bind9-dnsutils netcat-openbsd iputils-ping iproute2 procps psmisc sudo lsb-release
  e2fsprogs util-linux unattended-upgrades certbot python3-certbot-apache ca-certificates
  ssl-cert openssl
  nginx php-fpm lrzsz locales docker.io vnstat iftop nload
  systemd systemd-sysv dbus systemd-timesyncd rsyslog python3-systemd # booted by systemd-nspawn; fail2ban reads the journal
  python3-cffi-backend # debootstrap does not resolve certbot's virtual dependency on it
)

work="$root.partial"
debs="$root.debs" # kept, so a second build downloads nothing
rm -rf "$work"
mkdir -p "$work" "$debs"
include=$(IFS=,; echo "${packages[*]}")
debootstrap --foreign --variant=minbase --cache-dir="$(realpath "$debs")" --include="$include" bookworm "$work" "$mirror"

# The first stage may leave /proc a link to the machine's own.
if [ -L "$work/proc" ]; then rm "$work/proc" && mkdir "$work/proc"; fi
# dpkg need not wait for the disk: a root cut short is built anew.
echo force-unsafe-io > "$work/etc/dpkg/dpkg.cfg.d/tovanu-proof-unsafe-io"
# No service starts while the packages are configured.
printf '#!/bin/sh\nexit 101\n' > "$work/usr/sbin/policy-rc.d"
chmod 755 "$work/usr/sbin/policy-rc.d"
unshare --mount --net --pid --uts --ipc --fork --propagation private \
  chroot "$work" /bin/sh -c 'mount -t proc proc /proc && /debootstrap/debootstrap --second-stage; status=$?; umount /proc; exit $status'

# Offline for good: apt has no source to reach, so "apt-get update" succeeds
# and installs find their packages already in place.
: > "$work/etc/apt/sources.list"
rm -f "$work/etc/apt/sources.list.d/"*
echo 'tovanu-proof' > "$work/etc/hostname"
# Installed only so that the recipes' installs find them offline: a new
# server runs none of them (Nginx would take Apache's port 80 at boot).
chroot "$work" systemctl disable --quiet nginx.service vnstat.service docker.service docker.socket \
  containerd.service "$(basename "$(ls "$work"/lib/systemd/system/php*-fpm.service)")"
touch "$work/.tovanu-proof-root"
mv "$work" "$root"
