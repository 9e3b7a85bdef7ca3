#!/usr/bin/env bash
# Benchmark of palettrim's portable core, all figures measured in this one run on the same
# files: the strip (parse, mark, write a copy) of a gifsicle-made corpus against gifsicle
# removing comments and extensions from copies of it, and against a plain copy of the same
# bytes; and the first-image decode against giflib's. Prints the ratios.
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
"$bench" copy "$work/corpus" "$work/copy" 1 >/dev/null # warms the page cache
strip_ms=$("$bench" strip "$work/corpus" "$work/ours" $rounds)
copy_ms=$("$bench" copy "$work/corpus" "$work/copy" $rounds)
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
read -r ours_ms giflib_ms agree < <("$bench" decode "$work/corpus" $rounds)

# Our output must still show the same frames.
same=yes
for f in "$work/corpus"/file-1.gif "$work/corpus"/file-100.gif "$work/corpus"/file-239.gif; do
  gifdiff -q "$f" "$work/ours/$(basename "$f")" >/dev/null || same=no
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "bench: strip ${strip_ms} ms, gifsicle ${gifsicle_ms} ms, plain copy ${copy_ms} ms (best of $rounds)"
echo "bench: strip / gifsicle   = $(ratio "$strip_ms" "$gifsicle_ms")  (target < 1)"
echo "bench: strip / plain copy = $(ratio "$strip_ms" "$copy_ms")  (target <= 2)"
echo "bench: first-image decode ${ours_ms} ms, giflib ${giflib_ms} ms (pixels $agree)"
echo "bench: decode / giflib    = $(ratio "$ours_ms" "$giflib_ms")  (target <= 1)"
echo "bench: stripped files look the same to gifdiff: $same"
