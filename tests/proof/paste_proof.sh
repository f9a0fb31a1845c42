#!/usr/bin/env bash
# make proof: every command of the library pasted, as a user pastes it, into
# an interactive root bash of a throw-away Debian 12 root, once unedited
# (nothing may change) and once with samples in its placeholders (it must end
# with status 0 and do what its name says); see paste_proof.py.
#
# The root is built once by make-root.sh and kept in the build folder; each
# run works on an overlay of it in memory, inside private mount, network,
# PID, UTS and IPC namespaces: nothing a recipe does reaches this machine's
# files, network, host name or processes, and every service the run started
# ends with it.
#
#   paste_proof.sh [LIBRARY]        (PROOF_DIR: the build folder, build-proof/)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
out=${PROOF_DIR:-$repo/build-proof}
library=$(realpath "${1:-$repo/data/commands.txt}")

if [ -z "${TOVANU_PROOF_NAMESPACE:-}" ]; then
  [ "$(id -u)" = 0 ] || { echo "make proof: the namespaces and the root need root" >&2; exit 1; }
  bash "$here/make-root.sh" "$out/root"
  exec unshare --mount --net --pid --uts --ipc --fork --propagation private \
    env TOVANU_PROOF_NAMESPACE=1 PROOF_DIR="$out" bash "$0" "$library"
fi

run=$out/run
mkdir -p "$run"
mount -t tmpfs -o size=2g tmpfs "$run"
mkdir -p "$run/upper" "$run/work" "$run/merged" "$run/disks"
root=$run/merged
mount -t overlay overlay -o "lowerdir=$out/root,upperdir=$run/upper,workdir=$run/work" "$root"
mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --rbind /dev "$root/dev"
mount -t tmpfs tmpfs "$root/run"
mount -t tmpfs tmpfs "$root/tmp"
ip link set lo up
# A network card for the traffic monitors: a pair whose two ends both stay
# in the private namespace.
ip link add eth0 type veth peer name eth1
ip link set eth0 up
ip link set eth1 up
hostname tovanu-proof

# Two small disks on loop devices: one empty, one with a file system.
loops=()
cleanup() {
  for l in "${loops[@]}"; do umount -l "$l" 2>/dev/null || true; losetup -d "$l" 2>/dev/null || true; done
}
trap cleanup EXIT
truncate -s 64M "$run/disks/empty.img" "$run/disks/data.img"
mkfs.ext4 -q -U 3f2b6c1e-8a4d-4e1f-9b7a-2c5d8e0f1a3b "$run/disks/data.img"
loops+=("$(losetup -f --show "$run/disks/empty.img")")
loops+=("$(losetup -f --show "$run/disks/data.img")")

install -m 755 "$here/systemctl" "$root/usr/local/sbin/systemctl"
cat > "$root/etc/tovanu-proof.env" <<ENV
empty_disk=${loops[0]#/dev/}
data_disk=${loops[1]#/dev/}
ENV
chroot "$root" /bin/bash -e -s < "$here/fixtures.sh"

python3 "$here/paste_proof.py" "$root" "$library" "$here/recipes.tsv" "$out/proof-table.txt"
