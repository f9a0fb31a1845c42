#!/usr/bin/env bash
# make proof: every command of the library pasted, as a user pastes it, into
# an interactive root bash of a throw-away Debian 12 root, once unedited
# (nothing may change) and once with samples in its placeholders (it must end
# with status 0 and do what its name says); see paste_proof.py.
#
# The root is built once by make-root.sh and kept in the build folder; each
# run works on an overlay of it in memory, booted by systemd-nspawn with its
# own network, inside private mount, network, PID, UTS and IPC namespaces:
# nothing a recipe does reaches this machine's files, network, host name or
# processes, and the booted server ends with the run.
#
#   paste_proof.sh [LIBRARY]        (PROOF_DIR: the build folder, build-proof/)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
out=${PROOF_DIR:-$repo/build-proof}
library=$(realpath "${1:-$repo/data/commands.txt}")
BOOT_SECONDS=300 # a boot on a busy 2-core machine took up to 98 s

if [ -z "${TOVANU_PROOF_NAMESPACE:-}" ]; then
  [ "$(id -u)" = 0 ] || { echo "make proof: the namespaces and the root need root" >&2; exit 1; }
  bash "$here/make-root.sh" "$out/root"
  exec unshare --mount --net --pid --uts --ipc --fork --propagation private \
    env TOVANU_PROOF_NAMESPACE=1 PROOF_DIR="$out" bash "$0" "$library"
fi

# This PID namespace's own processes, for pgrep.
mount -t proc proc /proc
run=$out/run
mkdir -p "$run"
mount -t tmpfs -o size=2g tmpfs "$run"
mkdir -p "$run/upper" "$run/work" "$run/merged" "$run/disks"
root=$run/merged
mount -t overlay overlay -o "lowerdir=$out/root,upperdir=$run/upper,workdir=$run/work" "$root"
# A server that is up starts what it installs.
rm -f "$root/usr/sbin/policy-rc.d"

# Two small disks on loop devices: one empty, one with a file system.
loops=()
machine=
cleanup() {
  [ -z "$machine" ] || { kill "$machine" 2>/dev/null; wait "$machine" 2>/dev/null || true; }
  for l in "${loops[@]}"; do umount -l "$l" 2>/dev/null || true; losetup -d "$l" 2>/dev/null || true; done
}
trap cleanup EXIT
truncate -s 64M "$run/disks/empty.img" "$run/disks/data.img"
mkfs.ext4 -q -U 3f2b6c1e-8a4d-4e1f-9b7a-2c5d8e0f1a3b "$run/disks/data.img"
loops+=("$(losetup -f --show "$run/disks/empty.img")")
loops+=("$(losetup -f --show "$run/disks/data.img")")
cat > "$root/etc/tovanu-proof.env" <<ENV
empty_disk=${loops[0]#/dev/}
data_disk=${loops[1]#/dev/}
ENV

# The root boots with systemd as its PID 1, on a network of its own (only
# lo). Each paste and check enters its namespaces (see paste_proof.py).
binds=()
for l in "${loops[@]}"; do binds+=("--bind=$l"); done
systemd-nspawn --quiet --boot --directory="$root" --machine=tovanu-proof --private-network \
  --register=no --keep-unit --console=read-only "${binds[@]}" > "$run/boot.log" 2>&1 &
machine=$!
leader=
enter() { nsenter --target "$leader" --all env -i LANG=C.UTF-8 PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"; }
# Up when systemd says so (a unit that fails is the server's own state,
# "degraded"), within the deadline.
booted() {
  [ -n "$leader" ] || leader=$(pgrep -P "$machine" -x systemd) || return 1
  enter systemctl is-system-running --wait > /dev/null 2>&1
  case "$(enter systemctl is-system-running 2>/dev/null)" in running | degraded) ;; *) return 1 ;; esac
}
deadline=$((SECONDS + BOOT_SECONDS))
until booted; do
  if ! kill -0 "$machine" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
    echo "make proof: the root did not boot" >&2; cat "$run/boot.log" >&2; exit 1
  fi
  sleep 1
done
echo "make proof: booted in ${SECONDS}s" >&2
# A network card for the traffic monitors: a pair whose two ends both stay in
# the server's own network.
enter ip link add eth0 type veth peer name eth1
enter ip link set eth0 up
enter ip link set eth1 up
enter /bin/bash -e -s < "$here/fixtures.sh"

python3 "$here/paste_proof.py" "$root" "$leader" "$library" "$here/recipes.tsv" "$here/states.sh" "$out/proof-table.txt"
