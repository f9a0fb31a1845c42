#!/usr/bin/env bash
# An interactive root bash in a throw-away root, for pasting what the program
# copied: the machine's own /usr read-only, the folder ROOT for everything
# else, in private mount, network, PID, UTS and IPC namespaces. What a pasted
# command writes lands in ROOT, where the caller reads it; nothing reaches
# this machine's files, network or processes. bash adds a line to ROOT/prompts
# at each prompt, so the caller knows when it is ready and when a paste has
# run.
#
#   throwaway_shell.sh ROOT
set -euo pipefail

root=$(realpath "$1")

if [ -z "${TOVANU_THROWAWAY_NAMESPACE:-}" ]; then
  as_root=()
  [ "$(id -u)" = 0 ] || as_root=(--map-root-user)
  exec unshare "${as_root[@]}" --mount --net --pid --uts --ipc --fork --propagation private \
    env TOVANU_THROWAWAY_NAMESPACE=1 bash "$0" "$root"
fi

mkdir -p "$root"/{usr,dev,proc,tmp,root,etc}
for merged in bin sbin lib lib64; do
  [ -e "$root/$merged" ] || ln -s "usr/$merged" "$root/$merged"
done
mount --rbind -o ro /usr "$root/usr"
mount --rbind /dev "$root/dev"
mount -t proc proc "$root/proc"
mount -t tmpfs tmpfs "$root/tmp"
: > "$root/prompts"

exec chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-xterm}" PATH=/usr/sbin:/usr/bin \
  PS1='# ' PROMPT_COMMAND='echo >> /prompts' /usr/bin/bash --norc --noprofile -i
