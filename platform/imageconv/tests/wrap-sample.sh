#!/usr/bin/env bash
# wrap-sample.sh KIND IN OUT: wraps a picture made by another tool in a container the
# converter reads, for samples no Debian tool writes.
#   clp, clp-nt: IN is a bitmap file; OUT a clipboard file (Windows 3 or NT layout) of one
#                entry, the device-independent bitmap (the file less its 14-byte header).
#   eps:         IN is a TIFF file; OUT an EPS file with a binary header, a one-line
#                PostScript section and IN as its preview.
#   wpg, wpg-mono: IN is any picture; OUT a WordPerfect graphic of its grey levels (8 bits,
#                with a grey colour map) or of its black-and-white version (1 bit, with the
#                format's own two colours), the rows
#                run-length coded as literal runs, the pixels as ImageMagick gives them.
#   wpg16:       as wpg, the colour map's first index written as a word.
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
  wpg | wpg16 | wpg-mono)
    raw=$(mktemp)
    trap 'rm -f "$raw"' EXIT
    read -r w h < <(identify -format '%w %h\n' "$in[0]")
    if [ "$kind" != wpg-mono ]; then
      bits=8
      convert "$in[0]" -colorspace Gray -depth 8 "gray:$raw"
    else
      bits=1
      convert "$in[0]" -monochrome -depth 1 "gray:$raw"
    fi
    runs=$(xxd -p -c 127 "$raw" | while read -r hex; do
      printf '%02x%s' $((${#hex} / 2)) "$hex"
    done)
    length=$((10 + ${#runs} / 2))
    {
      printf '\377WPC'; le 16 4; le 1 1; le $((0x16)) 1; le 1 1; le 0 1; le 0 2; le 0 2
      le $((0x0F)) 1; le 6 1; le 1 1; le 0 1; le "$w" 2; le "$h" 2
      if [ "$bits" = 8 ]; then
        index=1
        [ "$kind" = wpg16 ] && index=2
        le $((0x0E)) 1; le 255 1; le $((index + 2 + 256 * 3)) 2; le 0 "$index"; le 256 2
        for ((i = 0; i < 256; i++)); do le $i 1; le $i 1; le $i 1; done
      fi
      le $((0x0B)) 1; le 255 1; le $((0x8000 | (length >> 16))) 2; le $((length & 0xFFFF)) 2
      le "$w" 2; le "$h" 2; le "$bits" 2; le 75 2; le 75 2
      printf '%s' "$runs" | xxd -r -p
      le $((0x10)) 1; le 0 1
    } >"$out" ;;
  *) echo "wrap-sample.sh: unknown kind $kind" >&2; exit 2 ;;
esac
