#!/usr/bin/env bash
# Benchmark of palettrim's portable core, all figures measured in this one run on the same
# files: the strip (parse, mark, rewrite through a temporary file flushed to disk) of a
# gifsicle-made corpus against gifsicle removing comments and extensions from copies of it;
# against a crash-safe copy of the same bytes that takes exactly the steps of the strip's
# replace (temporary file in the same folder, written, flushed, renamed over the target, the
# folder flushed), its true limit; and against a plain copy flushed to disk, which neither
# renames nor flushes the folder. Then the first-image decode against giflib's. Prints the
# ratios, each as the best times' ratio and as the median, lowest and highest of the rounds'
# ratios (the rounds run in turn, so a loaded machine weighs on all alike).
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
shm=
trap 'rm -rf "$work" ${shm:+"$shm"}' EXIT
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

mkdir -p "$work/out" "$work/gifsicle"
# One round first, so that each writes over files it made (and the page cache is warm); then
# the strip and the two copies in turn. All force what they write to disk.
"$bench" strip-copy "$work/corpus" "$work/out" 1 >/dev/null
read -r strip_ms safe_ms copy_ms safe_med safe_lo safe_hi copy_med copy_lo copy_hi \
  < <("$bench" strip-copy "$work/corpus" "$work/out" 15)
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
if shm=$(mktemp -d -p /dev/shm 2>/dev/null); then
  "$bench" strip-copy "$work/corpus" "$shm" 1 >/dev/null
  read -r m_strip m_safe m_copy m_safe_med m_safe_lo m_safe_hi m_copy_med m_copy_lo m_copy_hi \
    < <("$bench" strip-copy "$work/corpus" "$shm" 31)
  rm -rf "$shm"
fi
read -r ours_ms giflib_ms agree < <("$bench" decode "$work/corpus" $rounds)

# Our output must still show the same frames.
same=yes
for f in "$work/corpus"/file-1.gif "$work/corpus"/file-100.gif "$work/corpus"/file-239.gif; do
  gifdiff -q "$f" "$work/out/strip/$(basename "$f")" >/dev/null || same=no
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
spread() { printf 'median %.2f, rounds %.2f-%.2f' "$1" "$2" "$3"; }
echo "bench: strip ${strip_ms} ms, crash-safe copy ${safe_ms} ms, flushed plain copy ${copy_ms} ms (best of 15, in turn), gifsicle ${gifsicle_ms} ms (best of $rounds)"
echo "bench: strip / gifsicle         = $(ratio "$strip_ms" "$gifsicle_ms")  (target < 1)"
echo "bench: strip / crash-safe copy  = $(ratio "$strip_ms" "$safe_ms")  ($(spread "$safe_med" "$safe_lo" "$safe_hi"); target <= 1.05)"
echo "bench: strip / plain copy       = $(ratio "$strip_ms" "$copy_ms")  ($(spread "$copy_med" "$copy_lo" "$copy_hi"); the copy neither renames nor flushes the folder)"
if [ -n "${m_strip:-}" ]; then
  echo "bench: in memory (tmpfs): strip ${m_strip} ms, crash-safe copy ${m_safe} ms, plain copy ${m_copy} ms (best of 31, in turn)"
  echo "bench: in memory: strip / crash-safe copy = $(ratio "$m_strip" "$m_safe")  ($(spread "$m_safe_med" "$m_safe_lo" "$m_safe_hi"); target <= 1.10)"
  echo "bench: in memory: strip / plain copy      = $(ratio "$m_strip" "$m_copy")  ($(spread "$m_copy_med" "$m_copy_lo" "$m_copy_hi"))"
fi
echo "bench: first-image decode ${ours_ms} ms, giflib ${giflib_ms} ms (pixels $agree)"
echo "bench: decode / giflib          = $(ratio "$ours_ms" "$giflib_ms")  (target <= 1)"
echo "bench: stripped files look the same to gifdiff: $same"
