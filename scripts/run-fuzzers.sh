#!/usr/bin/env bash
# Runs every fuzz target in DIR for SECONDS each, starting from its seeds in
# tests/fuzz/seeds; fails on the first crash, leak or sanitizer report.
# New corpus entries go to a temporary folder.
set -euo pipefail
dir=$1
seconds=$2
seeds="$(dirname "$0")/../tests/fuzz/seeds"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in "$dir"/fuzz_*; do
  name=$(basename "$target")
  mkdir -p "$work/$name"
  echo "fuzzing $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -max_len=4096 -artifact_prefix="$work/" "$work/$name" "$seeds/$name" \
      > "$work/$name.log" 2>&1; then
    tail -n 40 "$work/$name.log"
    echo "fuzz target $name failed"
    exit 1
  fi
  grep -E '^Done [0-9]+ runs' "$work/$name.log" || true
done
