#!/usr/bin/env bash
# wrap-sample.sh KIND IN OUT: wraps a picture made by another tool in a container the
# converter reads, for samples no Debian tool writes.
#   clp, clp-nt: IN is a bitmap file; OUT a clipboard file (Windows 3 or NT layout) of one
#                entry, the device-independent bitmap (the file less its 14-byte header).
#   eps:         IN is a TIFF file; OUT an EPS file with a binary header, a one-line
#                PostScript section and IN as its preview.
set -eu
le() { # value, bytes: little-endian binary
  local v=$1 n=$2 i
  for ((i = 0; i < n; i++)); do printf "\\$(printf '%03o' $(((v >> (8 * i)) & 255)))"; done
}
kind=$1 in=$2 out=$3
case $kind in
  clp | clp-nt)
    length=$(($(stat -c %s "$in") - 14))
    {
      if [ "$kind" = clp-nt ]; then
        le $((0xC351)) 2; le 1 2; le 8 4; le "$length" 4; le 174 4; head -c 158 /dev/zero
      else
        le $((0xC350)) 2; le 1 2; le 8 2; le "$length" 4; le 93 4; head -c 79 /dev/zero
      fi
      tail -c +15 "$in"
    } >"$out" ;;
  eps)
    ps='%!PS-Adobe-3.0 EPSF-3.0
%%BoundingBox: 0 0 10 10
'
    {
      le $((0xC6D3D0C5)) 4; le 30 4; le ${#ps} 4; le 0 4; le 0 4; le $((30 + ${#ps})) 4
      le "$(stat -c %s "$in")" 4; le $((0xFFFF)) 2
      printf '%s' "$ps"
      cat "$in"
    } >"$out" ;;
  *) echo "wrap-sample.sh: unknown kind $kind" >&2; exit 2 ;;
esac
