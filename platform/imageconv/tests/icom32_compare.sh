#!/usr/bin/env bash
# Converts lossless images made by ImageMagick through ICOM32.DLL under Wine and compares the
# bitmaps with ImageMagick's own decode of the sources, pixel for pixel; JPEG within a PSNR
# bound (two decoders may round differently); boot screens must be 320 x 400 at 8 bits.
set -u
work=$SUITE_BUILD_DIR/icom32-compare
rm -rf "$work"; mkdir -p "$work"
tool=$SUITE_BUILD_DIR/desktopcustomiser/icom32_convert.exe
fail=0
say() { echo "icom32_compare: $*"; }

# A picture with gradients, edges and odd width (row padding).
convert -size 123x77 gradient:red-blue \( -size 123x77 gradient:yellow-black -rotate 0 \) \
  -compose Multiply -composite -fill white -draw 'circle 60,38 60,10' -depth 8 "$work/base.png"
convert -size 61x43 xc:navy -fill orange -draw 'rectangle 5,5 30,30' -fill lime \
  -draw 'line 0,42 60,0' -colors 16 "$work/few.png"

convert "$work/base.png" "PNG24:$work/a.png"
convert "$work/few.png" "PNG8:$work/b.png"
convert "$work/base.png" -type TrueColor "BMP3:$work/c.bmp"
convert "$work/few.png" -type Palette "BMP3:$work/d.bmp"
convert "$work/few.png" "BMP2:$work/e.bmp"
convert "$work/few.png" -type Palette -compress RLE "BMP3:$work/l.bmp"
convert "$work/few.png" "$work/f.gif"
# ImageMagick stores TGA rows top first even when it marks them bottom first; a top-left
# origin is marked truthfully.
convert "$work/base.png" -orient TopLeft "$work/g.tga"
convert "$work/base.png" "$work/h.ppm"
convert "$work/base.png" -colorspace Gray -depth 8 "$work/i.pgm"
convert "$work/base.png" -quality 92 "$work/j.jpg"
convert "$work/base.png" -type TrueColor "$work/k.psd"

for src in a.png b.png c.bmp d.bmp e.bmp l.bmp f.gif g.tga h.ppm i.pgm k.psd j.jpg; do
  out=${src%.*}.${src##*.}.bmp
  if ! $SUITE_WINE_RUN "$tool" convert "W:\\icom32-compare\\$src" "W:\\icom32-compare\\$out" >/dev/null 2>&1; then
    say "FAIL $src: conversion failed"; fail=1; continue
  fi
  if [ "$(head -c 2 "$work/$out")" != "BM" ]; then say "FAIL $src: no bitmap"; fail=1; continue; fi
  if [ "$src" = j.jpg ]; then
    psnr=$(compare -metric PSNR "$work/$src" "$work/$out" null: 2>&1 | cut -d' ' -f1)
    if awk -v p="$psnr" 'BEGIN { exit !(p + 0 >= 35) }'; then say "ok $src (PSNR $psnr)"; else say "FAIL $src: PSNR $psnr"; fail=1; fi
    continue
  fi
  convert "$work/$src[0]" -alpha off -colorspace sRGB -type TrueColor -depth 8 "rgb:$work/want.rgb"
  convert "$work/$out" -alpha off -colorspace sRGB -type TrueColor -depth 8 "rgb:$work/got.rgb"
  if cmp -s "$work/want.rgb" "$work/got.rgb"; then say "ok $src"; else say "FAIL $src: pixels differ"; fail=1; fi
done

# Unsupported formats fail cleanly and write nothing.
convert "$work/base.png" "$work/u.tif"
convert "$work/base.png" "$work/u.pcx"
for src in u.tif u.pcx; do
  if $SUITE_WINE_RUN "$tool" convert "W:\\icom32-compare\\$src" "W:\\icom32-compare\\$src.bmp" >/dev/null 2>&1 ||
     [ -e "$work/$src.bmp" ]; then
    say "FAIL $src: should have failed"; fail=1
  else
    say "ok $src refused"
  fi
done

# Boot screen: converted, copied over LOGO.SYS, finished in place.
cp "$work/a.png.bmp" "$work/LOGO.SYS"
if $SUITE_WINE_RUN "$tool" boot "W:\\icom32-compare\\LOGO.SYS" "W:\\icom32-compare\\LOGO.SYS" >/dev/null 2>&1; then
  header=$(od -An -tu4 -j18 -N8 "$work/LOGO.SYS" | tr -s ' ')
  bits=$(od -An -tu2 -j28 -N2 "$work/LOGO.SYS" | tr -d ' ')
  size=$(stat -c %s "$work/LOGO.SYS")
  geometry=$(identify -format '%w %h' "BMP:$work/LOGO.SYS" 2>/dev/null)
  if [ "$header" = " 320 400" ] && [ "$bits" = 8 ] && [ "$size" = $((54 + 1024 + 320 * 400)) ] &&
     [ "$geometry" = "320 400" ]; then
    say "ok boot screen"
  else
    say "FAIL boot screen: header '$header' bits '$bits' size $size identify '$geometry'"; fail=1
  fi
else
  say "FAIL boot screen: finishing failed"; fail=1
fi
exit $fail
