#!/usr/bin/env bash
# The recommended-sources recipes of the command library, read by apt itself:
# the one-line form for Ubuntu 22.04 and the deb822 form for 24.04, each in a
# throw-away apt directory, listed with --print-uris (no network needed).
#
#   apt_sources_test.sh DATA_FILE
set -euo pipefail

data_file=$1
# shellcheck source-path=SCRIPTDIR source=library.sh
. "$(dirname "$0")/library.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Prints the URIs apt would fetch with this sources.list and parts folder.
uris_of() {
  local list=$1 parts=$2 out=$work/out
  mkdir -p "$work/lists/partial" "$work/cache/archives/partial"
  apt-get -o Dir::Etc::SourceList="$list" -o Dir::Etc::SourceParts="$parts" \
    -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" \
    -o APT::Architecture=amd64 -o APT::Architectures::=amd64 \
    update --print-uris > "$out" 2>&1 || { cat "$out" >&2; fail "apt-get did not accept $list $parts"; }
  ! grep -E '^(W|E):' "$out" || fail "apt-get warned about $list $parts"
  cut -d "'" -f 2 "$out"
}

# Checks the recipe of one release: its target file, and the suites apt reads.
check_release() {
  local name=$1 target=$2 file=$3 codename=$4 text body list parts uris suite
  text=$(entry_text "$data_file" "$name") || fail "recipe '$name' missing"
  [ "$(heredoc_target <<< "$text")" = "$target" ] || fail "'$name' does not write $target"
  body=$(heredoc_body <<< "$text")
  [ -n "$body" ] || fail "'$name' has no here-document"
  list=$work/$codename/sources.list
  parts=$work/$codename/sources.list.d
  mkdir -p "$parts"
  : > "$list"
  printf '%s\n' "$body" > "$work/$codename/$file"
  uris=$(uris_of "$list" "$parts")
  for suite in "$codename" "$codename-updates" "$codename-backports"; do
    grep -qx "http://mirrors.aliyun.com/ubuntu/dists/$suite/InRelease" <<< "$uris" || fail "$name: no $suite"
  done
  grep -qx "http://security.ubuntu.com/ubuntu/dists/$codename-security/InRelease" <<< "$uris" \
    || fail "$name: no $codename-security"
  for component in main restricted universe multiverse; do
    grep -q "/dists/$codename/$component/binary-amd64/Packages" <<< "$uris" || fail "$name: no $component"
  done
  ! grep -q -- '-proposed' <<< "$uris" || fail "$name: -proposed is on"
  echo "PASS: $name: $(grep -c InRelease <<< "$uris") suites"
}

check_release '换源:阿里云源Ubuntu 22.04' /etc/apt/sources.list.tovanu-new sources.list jammy
check_release '换源:阿里云源Ubuntu 24.04' /etc/apt/ubuntu-tovanu-new.sources sources.list.d/ubuntu.sources noble
