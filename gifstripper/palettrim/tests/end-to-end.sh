#!/usr/bin/env bash
# End-to-end test of palettrim under Wine: GIF files made by gifsicle are dropped on the real
# program (with a folder, a shortcut inside it, a text file and a JPEG named .gif); afterwards
# gifsicle's gifdiff must find every frame of every file unchanged, the comments and foreign
# application data gone, and the non-GIF files untouched. A screenshot of the window showing
# the last file's first image is left in gifstripper/palettrim-end-to-end.png.
set -u
build=${SUITE_BUILD_DIR:?}
here=$(cd "$(dirname "$0")" && pwd)
for tool in gifbuild gifsicle gifdiff import; do
  command -v "$tool" >/dev/null || { echo "end-to-end: $tool is missing"; exit 1; }
done
dir=$build/gifstripper/e2e
orig=$build/gifstripper/e2e-originals
rm -rf "$dir" "$orig"
mkdir -p "$dir/folder/sub" "$dir/linked" "$dir/phase2" "$dir/my pictures" "$orig"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

frame() { # name, width, height, colours, offset: stripes and a diagonal, 16 colours at most
  local name=$1 w=$2 h=$3 n=$4 off=$5 x y i line hex
  {
    echo "screen width $w"; echo "screen height $h"; echo "screen colors $n"
    echo "screen background 0"; echo "screen map"
    for ((i = 0; i < n; i++)); do
      printf 'rgb %d %d %d is %x\n' $(((i * 67 + off * 40) % 256)) $(((i * 23 + 90) % 256)) \
        $(((255 - i * 41 + off * 13) % 256)) "$i"
    done
    echo "end"; echo "image"; echo "image bits $w by $h"
    for ((y = 0; y < h; y++)); do
      line=
      for ((x = 0; x < w; x++)); do
        if (( (x - y * 2 + 400) % 37 < 4 )); then i=$((n - 1)); else i=$(((x / 9 + y / 6 + off) % (n - 1))); fi
        printf -v hex '%x' "$i"; line+=$hex
      done
      echo "$line"
    done
  } >"$work/$name.txt"
  gifbuild "$work/$name.txt" >"$work/$name.gif"
}

frame a 60 40 8 1
frame b 80 30 16 2
frame c 40 40 4 3
frame d 90 50 16 4
frame e 200 90 16 5

g() { gifsicle --no-warnings "$@"; }
g -c "made by gifsicle for a" "$work/a.gif" -o "$dir/a.gif"
g -l --app-extension "XMP DataXMP" "metadata that goes" "$work/b.gif" -o "$dir/b.GIF"
g -c "c has a comment" -i "$work/c.gif" -o "$dir/folder/c.gif"
g -i -t 2 "$work/d.gif" "$work/c.gif" -o "$dir/folder/sub/d.gif"
g -c "the last file" "$work/e.gif" -o "$dir/linked/e.gif"
g -c "first note" "$work/a.gif" -o "$work/f1.gif"
g -c "second note" "$work/c.gif" -o "$work/f2.gif"
g "$work/f1.gif" "$work/f2.gif" -o "$dir/phase2/f.gif"
g -c "g note" "$work/b.gif" -o "$dir/phase2/g.gif"
g "$work/c.gif" -o "$dir/my pictures/h i.gif"
g "$work/a.gif" -o "$dir/x.gif"
g "$work/b.gif" -o "$dir/y.gif"
echo "not a picture" >"$dir/notes.txt"
printf '\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00' >"$dir/photo.gif"
(cd "$dir" && find . -type f | while read -r f; do mkdir -p "$orig/$(dirname "$f")"; cp "$f" "$orig/$f"; done)

rel=${dir#"$build"/}
win_dir="W:\\${rel//\//\\}"
$SUITE_WINE_RUN --desktop palettrim-e2e --timeout 200 \
  "$build/gifstripper/palettrim/tests/palettrim_e2e.exe" \
  "W:\\gifstripper\\palettrim\\palettrim.exe" "$win_dir" &
runner=$!
for ((i = 0; i < 1800; i++)); do
  [ -e "$dir/shot.ready" ] && break
  kill -0 "$runner" 2>/dev/null || break
  sleep 0.1
done
if [ -e "$dir/shot.ready" ]; then
  sleep 1
  import -window root "$build/gifstripper/palettrim-end-to-end.png" 2>/dev/null ||
    echo "end-to-end: no screenshot taken"
fi
touch "$dir/shot.done"
wait "$runner"
status=$?
echo "end-to-end: palettrim_e2e exited with $status"

fail=0
expect() { if "$@"; then echo "ok: ${what}"; else echo "FAILED: ${what}"; fail=1; fi; }
for f in a.gif b.GIF folder/c.gif folder/sub/d.gif linked/e.gif; do
  what="gifdiff finds $f's frames unchanged"; expect gifdiff "$orig/$f" "$dir/$f"
  info=$(gifsicle --xinfo "$dir/$f")
  what="$f holds no comment"; expect test -z "$(grep -i 'comment' <<<"$info")"
  what="$f holds no XMP data"; expect test -z "$(grep 'XMP' <<<"$info")"
done
for f in phase2/f.gif phase2/g.gif "my pictures/h i.gif" x.gif y.gif; do
  what="gifdiff finds $f's frames unchanged"; expect gifdiff "$orig/$f" "$dir/$f"
  info=$(gifsicle --xinfo "$dir/$f")
  what="$f holds only the own comment"
  expect test "$(grep -c 'comment' <<<"$info")" = 1 -a -n "$(grep 'comment added by the test' <<<"$info")"
done
what="b.GIF keeps its looping extension"; expect grep -q "loop forever" <<<"$(gifsicle --info "$dir/b.GIF")"
what="d.gif (nothing to remove) is not rewritten"; expect cmp -s "$orig/folder/sub/d.gif" "$dir/folder/sub/d.gif"
what="the JPEG named .gif is untouched"; expect cmp -s "$orig/photo.gif" "$dir/photo.gif"
what="the text file is untouched"; expect cmp -s "$orig/notes.txt" "$dir/notes.txt"
what="no temporary file is left"; expect test -z "$(find "$dir" -name '*.tmp' -o -name 'ptr*')"
[ "$status" -eq 0 ] || fail=1
# The program's own count: its exit code is lost inside the virtual desktop, which may also
# return before the program has ended.
for ((i = 0; i < 300; i++)); do [ -s "$dir/e2e.failures" ] && break; sleep 0.1; done
what="palettrim_e2e reports no failed check"; expect test "$(tr -d '\r\n' <"$dir/e2e.failures" 2>/dev/null)" = 0
exit $fail
