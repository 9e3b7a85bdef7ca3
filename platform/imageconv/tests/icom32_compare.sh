#!/usr/bin/env bash
# Converts images made by ImageMagick and netpbm through ICOM32.DLL under Wine and compares the
# bitmaps with an independent decode of the same files, pixel for pixel; JPEG within a PSNR
# bound (two decoders may round differently); boot screens must be 320 x 400 at 8 bits.
set -u
work=$SUITE_BUILD_DIR/icom32-compare
rm -rf "$work"; mkdir -p "$work"
tool=$SUITE_BUILD_DIR/desktopcustomiser/icom32_convert.exe
here=$(cd "$(dirname "$0")" && pwd)
fail=0
say() { echo "icom32_compare: $*"; }

# A picture with gradients, edges and odd width (row padding).
convert -size 123x77 gradient:red-blue \( -size 123x77 gradient:yellow-black -rotate 0 \) \
  -compose Multiply -composite -fill white -draw 'circle 60,38 60,10' -depth 8 "$work/base.png"
convert -size 61x43 xc:navy -fill orange -draw 'rectangle 5,5 30,30' -fill lime \
  -draw 'line 0,42 60,0' -colors 16 "$work/few.png"

# One line a sample: file name, reference decoder, maker command ("$b" the gradient picture,
# "$f" the 16-colour one, "$o" the output, "$r" the rewriter of layouts no Debian tool
# writes). References: im (ImageMagick reads the file; turned upright by the file's own
# orientation, as a TGA stored right to left is shown),
# im1 (ImageMagick within one level a channel: it rounds 16-bit palette entries and samples
# of fewer than 8 bits down, and lifts a WordPerfect black to blue level 1),
# netpbm (pcxtoppm, which honours a monochrome file's own two colours), drawn (a drawing
# rendered by the tool that wrote it, see below), psnrN (lossy: PSNR of
# at least N dB; 35 for JPEG; 20 for PhotoCD, whose highlights ImageMagick tone-maps where the
# converter clips them). Clipboard, EPS and WordPerfect files wrap a picture ImageMagick
# wrote (NAME.src.*); that picture is then the reference (ImageMagick gives 1-bit WordPerfect
# bitmaps a colour palette of its own, where the format's pictures are black and white).
samples=$(cat <<'TABLE'
a.png     im     convert "$b" "PNG24:$o"
b.png     im     convert "$f" "PNG8:$o"
c.bmp     im     convert "$b" -type TrueColor "BMP3:$o"
d.bmp     im     convert "$f" -type Palette "BMP3:$o"
e.bmp     im     convert "$f" "BMP2:$o"
o1.bmp    im     convert "$b" -monochrome ppm:- | ppmtobmp -os2 -bpp 1 >"$o"
o8.bmp    im     convert "$b" -colors 200 ppm:- | ppmtobmp -os2 -bpp 8 >"$o"
td8.bmp   im     convert "$f" -type Palette "BMP3:$o.in" && "$r" bmp-top-down "$o.in" "$o"
td16.bmp  im     convert "$b" -type TrueColor -define bmp:subtype=RGB565 "BMP:$o.in" && "$r" bmp-top-down "$o.in" "$o"
ct.bmp    im     convert "$b" -type TrueColor "BMP3:$o.in" && "$r" bmp-table "$o.in" "$o"
l.bmp     im     convert "$f" -type Palette -compress RLE "BMP3:$o"
f.gif     im     convert "$f" "$o"
g.tga     im     convert "$b" -orient TopLeft "$o"
gr.tga    im     convert "$f" -orient TopRight "$o"
gm.tga    im     convert "$f" -type Palette -compress None "tga:$o.in" && "$r" tga-map "$o.in" "$o"
h.ppm     im     convert "$b" "$o"
i.pgm     im     convert "$b" -colorspace Gray -depth 8 "$o"
h16.ppm   im     convert "$b" -depth 16 "$o"
i7.pgm    im1    convert "$b" -colorspace Gray -depth 7 "$o"
k.psd     im     convert "$b" -type TrueColor "$o"
j.jpg     psnr35 convert "$b" -quality 92 "$o"
p24.pcx   im     convert "$b" -type TrueColor "$o"
p8.pcx    im     convert "$f" "$o"
p1.pcx    netpbm convert "$b" -monochrome pbm:- | ppmtopcx >"$o"
p4.pcx    im     convert "$f" ppm:- | ppmtopcx -planes 4 >"$o"
p4p.pcx   im     convert "$f" ppm:- | ppmtopcx -packed >"$o"
p2.pcx    im     convert "$b" -colors 4 ppm:- | ppmtopcx -packed >"$o"
t.tif     im     convert "$b" -type TrueColor -compress None "$o"
tl.tif    im     convert "$b" -type TrueColor -compress LZW -define tiff:predictor=2 "$o"
tz.tif    im     convert "$b" -type TrueColor -compress Zip -define tiff:tile-geometry=16x16 "$o"
tt.tif    im     convert "$b" -type TrueColor -compress None "TIFF:$o.in" && tiffcp -t -w 64 -l 64 "$o.in" "$o"
tp.tif    im     convert "$b" -type TrueColor -compress RLE -interlace Plane "$o"
t16.tif   im     convert "$b" -type TrueColor -depth 16 -endian MSB -compress Zip "$o"
tg4.tif   im     convert "$b" -colorspace Gray -depth 4 "$o"
tm.tif    im     convert "$b" -monochrome -define quantum:polarity=min-is-white "$o"
fh.tif    im     convert "$b" -monochrome -depth 1 -compress None "$o.src.tif" && "$r" tiff-mh "$o.src.tif" "$o"
f3.tif    im     convert "$b" -monochrome -depth 1 -compress None "$o.src.tif" && tiffcp -f lsb2msb -c g3:2d:fill "$o.src.tif" "$o"
f4.tif    im     convert "$b" -monochrome -depth 1 -compress None "$o.src.tif" && tiffcp -c g4 "$o.src.tif" "$o"
tp4.tif   im1    convert "$f" -type Palette "$o"
tc.tif    im     convert "$b" -colorspace CMYK -compress LZW "$o"
ta.tif    im     convert "$b" -type TrueColorAlpha "$o"
c.clp     im     convert "$f" -type Palette "BMP3:$o.src.bmp" && "$here/wrap-sample.sh" clp "$o.src.bmp" "$o"
cn.clp    im     convert "$b" -type TrueColor "BMP3:$o.src.bmp" && "$here/wrap-sample.sh" clp-nt "$o.src.bmp" "$o"
e.eps     im     convert "$b" -compress LZW "$o.src.tif" && "$here/wrap-sample.sh" eps "$o.src.tif" "$o"
g.wpg     im1    "$here/wrap-sample.sh" wpg "$b" "$o"
gw.wpg    im     convert "$b" -colorspace Gray -depth 8 "$o.src.png" && "$here/wrap-sample.sh" wpg16 "$o.src.png" "$o"
m.wpg     im     convert "$b" -monochrome "$o.src.png" && "$here/wrap-sample.sh" wpg-mono "$o.src.png" "$o"
d.cgm     drawn  printf '.PS\nbox wid 1 ht 0.6 fill 1\ncircle rad 0.3 at (2,0.3)\nline from (0,1) to (2.5,1.2)\n.PE\n' >"$o.pic" && pic2plot -T cgm "$o.pic" >"$o" && pic2plot -T png "$o.pic" >"$o.src.png"
dt.cgm    drawn  printf '.PS\nbox wid 1 ht 0.6 fill 1\ncircle rad 0.3 at (2,0.3)\nline from (0,1) to (2.5,1.2)\n.PE\n' >"$o.pic" && CGM_ENCODING=clear_text pic2plot -T cgm "$o.pic" >"$o" && pic2plot -T png "$o.pic" >"$o.src.png"
x.pcd     psnr20 convert "$b" -resize 768x512! "$o"
TABLE
)
b=$work/base.png
f=$work/few.png
r=$here/rewrite-sample.py
# Every sample is made first and converted by one run of the driver (starting a program under
# Wine costs seconds); a conversion that failed leaves no bitmap.
declare -A made
pairs=()
while read -r src reference maker; do
  o=$work/$src
  eval "$maker" 2>/dev/null || { say "FAIL $src: could not be made"; fail=1; continue; }
  made[$src]=1
  pairs+=("W:\\icom32-compare\\$src" "W:\\icom32-compare\\$src.bmp")
done <<<"$samples"
$SUITE_WINE_RUN "$tool" convert "${pairs[@]}" >/dev/null 2>&1
while read -r src reference maker; do
  [ -n "${made[$src]:-}" ] || continue
  o=$work/$src
  out=$src.bmp
  if ! [ -s "$work/$out" ]; then say "FAIL $src: conversion failed"; fail=1; continue; fi
  if [ "$(head -c 2 "$work/$out")" != "BM" ]; then say "FAIL $src: no bitmap"; fail=1; continue; fi
  for wrapped in "$o".src.*; do [ -e "$wrapped" ] && o=$wrapped; done
  ref="$o[0]"  # the first frame; PhotoCD's first is its smallest size
  [ "${src##*.}" = pcd ] && ref=$o
  if [ "$reference" = netpbm ]; then pcxtoppm "$o" >"$work/ref.ppm" 2>/dev/null; ref=$work/ref.ppm; fi
  convert "$ref" -auto-orient -alpha off -colorspace sRGB -type TrueColor -depth 8 "ppm:$work/want.ppm"
  convert "$work/$out" -type TrueColor -depth 8 "ppm:$work/got.ppm"
  case $reference in
    drawn)
      # Drawn by another renderer at another size: the stated size (8 inches square at 96
      # dots an inch), then a loose match once brought to the reference's size.
      size=$(identify -format '%wx%h' "$work/$out")
      convert "$work/got.ppm" -resize "$(identify -format '%wx%h!' "$work/want.ppm")" "$work/got.ppm"
      psnr=$(compare -metric PSNR "$work/want.ppm" "$work/got.ppm" null: 2>&1 | cut -d' ' -f1)
      if [ "$size" = 768x768 ] && awk -v p="$psnr" 'BEGIN { exit !(p + 0 >= 25) }'; then
        say "ok $src ($size, PSNR $psnr)"
      else
        say "FAIL $src: $size, PSNR $psnr"; fail=1
      fi
      continue ;;
    psnr*)
      psnr=$(compare -metric PSNR "$work/want.ppm" "$work/got.ppm" null: 2>&1 | cut -d' ' -f1)
      if awk -v p="$psnr" -v min="${reference#psnr}" 'BEGIN { exit !(p + 0 >= min) }'; then
        say "ok $src (PSNR $psnr)"
      else
        say "FAIL $src: PSNR $psnr"; fail=1
      fi
      continue ;;
    im1) fuzz=0.4% ;;
    *) fuzz=0 ;;
  esac
  differing=$(compare -metric AE -fuzz "$fuzz" "$work/want.ppm" "$work/got.ppm" null: 2>&1)
  if [ "$differing" = 0 ]; then say "ok $src"; else say "FAIL $src: $differing pixels differ"; fail=1; fi
done <<<"$samples"

# Formats not read fail cleanly and write nothing.
for src in u.cgm; do
  printf '\0\42\0\0' >"$work/$src"  # a metafile that ends before any picture
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
