#!/usr/bin/env bash
# Benchmark of palettrim's portable core, all figures measured in this one run on the same
# files: the strip (parse, mark, rewrite through a temporary file flushed to disk) of a
# gifsicle-made corpus against gifsicle removing comments and extensions from copies of it,
# and against a plain copy of the same bytes that is flushed to disk too; and the first-image
# decode against giflib's. Prints the ratios.
#
#   gifstripper/bench/run-bench.sh [BUILD_DIR]   (a native build; made when missing)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/native}
if [ ! -x "$build/gifstripper/bench/gif_bench" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j4 --target gif_bench >/dev/null
fi
bench=$build/gifstripper/bench/gif_bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rounds=3

echo "bench: making the corpus with gifsicle..."
"$bench" frames "$work/frames" 24
mkdir -p "$work/corpus"
for ((i = 0; i < 240; i++)); do
  a=$((i % 24)); b=$(((i * 7 + 3) % 24)); c=$(((i * 11 + 5) % 24))
  comment=$(head -c $((200 + (i * 373) % 4000)) /dev/zero | tr '\0' 'c')
  opts=()
  ((i % 3 == 0)) && opts+=(-i)
  ((i % 4 == 0)) && opts+=(-l)
  frames=("$work/frames/frame-$a.gif")
  ((i % 2 == 0)) && frames+=("$work/frames/frame-$b.gif")
  ((i % 5 == 0)) && frames+=("$work/frames/frame-$c.gif")
  gifsicle --no-warnings "${opts[@]}" -c "$comment" --app-extension "XMP DataXMP" "packet $i" \
    "${frames[@]}" -o "$work/corpus/file-$i.gif"
done
files=$(ls "$work/corpus" | wc -l)
bytes=$(du -sb "$work/corpus" | cut -f1)
echo "bench: $files files, $((bytes / 1048576)) MB"

mkdir -p "$work/ours" "$work/copy" "$work/gifsicle"
# One round first, so that both write over files they made (and the page cache is warm); then
# the strip and the copy in turn. Both force what they write to disk.
"$bench" strip-copy "$work/corpus" "$work/ours" "$work/copy" 1 >/dev/null
read -r strip_ms copy_ms median < <("$bench" strip-copy "$work/corpus" "$work/ours" "$work/copy" 9)
best=
for ((r = 0; r < rounds; r++)); do
  rm -f "$work/gifsicle"/*
  cp "$work/corpus"/* "$work/gifsicle"/
  start=$(date +%s%N)
  gifsicle --no-warnings --batch --no-comments --no-extensions "$work/gifsicle"/*.gif
  ms=$((($(date +%s%N) - start) / 1000000))
  if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
gifsicle_ms=$best
# The same in memory (tmpfs), where flushing costs nothing: what is left is the work itself.
shm_line=
if shm=$(mktemp -d -p /dev/shm 2>/dev/null); then
  mkdir -p "$shm/ours" "$shm/copy"
  "$bench" strip-copy "$work/corpus" "$shm/ours" "$shm/copy" 1 >/dev/null
  read -r shm_strip shm_copy shm_median < <("$bench" strip-copy "$work/corpus" "$shm/ours" "$shm/copy" 9)
  rm -rf "$shm"
  shm_line="bench: in memory (tmpfs): strip ${shm_strip} ms, copy ${shm_copy} ms, ratio $(awk -v a="$shm_strip" -v b="$shm_copy" 'BEGIN { printf "%.2f", a / b }') (median $(printf '%.2f' "$shm_median"))"
fi
read -r ours_ms giflib_ms agree < <("$bench" decode "$work/corpus" $rounds)

# Our output must still show the same frames.
same=yes
for f in "$work/corpus"/file-1.gif "$work/corpus"/file-100.gif "$work/corpus"/file-239.gif; do
  gifdiff -q "$f" "$work/ours/$(basename "$f")" >/dev/null || same=no
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "bench: strip ${strip_ms} ms, flushed plain copy ${copy_ms} ms (best of 9, in turn), gifsicle ${gifsicle_ms} ms (best of $rounds)"
echo "bench: strip / gifsicle   = $(ratio "$strip_ms" "$gifsicle_ms")  (target < 1)"
echo "bench: strip / plain copy = $(ratio "$strip_ms" "$copy_ms")  (median of the rounds' ratios $(printf '%.2f' "$median"); target <= 1.15)"
[ -n "$shm_line" ] && echo "$shm_line"
echo "bench: first-image decode ${ours_ms} ms, giflib ${giflib_ms} ms (pixels $agree)"
echo "bench: decode / giflib    = $(ratio "$ours_ms" "$giflib_ms")  (target <= 1)"
echo "bench: stripped files look the same to gifdiff: $same"
