#!/usr/bin/env bash
# make-clp.sh BITMAP CLP [nt]: wraps a bitmap file's device-independent bitmap (the file less
# its 14-byte header) in a clipboard file of one entry, in the Windows 3 layout or the NT one.
set -eu
le() { # value, bytes: little-endian binary
  local v=$1 n=$2 i
  for ((i = 0; i < n; i++)); do printf "\\$(printf '%03o' $(((v >> (8 * i)) & 255)))"; done
}
dib=$(mktemp)
trap 'rm -f "$dib"' EXIT
tail -c +15 "$1" >"$dib"
length=$(stat -c %s "$dib")
{
  if [ "${3:-}" = nt ]; then
    le $((0xC351)) 2; le 1 2; le 8 4; le "$length" 4; le 174 4; head -c 158 /dev/zero
  else
    le $((0xC350)) 2; le 1 2; le 8 2; le "$length" 4; le 93 4; head -c 79 /dev/zero
  fi
  cat "$dib"
} >"$2"
