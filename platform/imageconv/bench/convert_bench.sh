#!/usr/bin/env bash
# Benchmark, not a test: the converter's JPEG and PNG to bitmap time as a ratio to
# ImageMagick's convert on the same files, both measured in this run.
#   convert_bench.sh PATH/TO/convert_bench [RUNS]
# Two ratios per format: one process per conversion for both (start-up included, as convert
# is always run), and the converter in one process against convert's own per-file time.
set -eu
bench=${1:?usage: convert_bench.sh PATH/TO/convert_bench [RUNS]}
runs=${2:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A photograph-like 2048 x 1536 picture: smooth plasma with detail.
convert -seed 7 -size 2048x1536 plasma:fractal -blur 0x1 -depth 8 "$work/photo.png"
convert "$work/photo.png" -quality 90 "$work/photo.jpg"

now() { date +%s.%N; }
per_run() { # command...; prints milliseconds per run
  local t0 t1
  t0=$(now)
  for _ in $(seq "$runs"); do "$@" >/dev/null; done
  t1=$(now)
  awk -v a="$t0" -v b="$t1" -v n="$runs" 'BEGIN { print (b - a) * 1000 / n }'
}

printf '%-6s %12s %12s %12s %18s %14s\n' format "convert ms" "ours ms" "ours in-proc" "per-process ratio" "in-proc ratio"
for f in photo.jpg photo.png; do
  # Warm the file cache once for each.
  convert "$work/$f" "BMP3:$work/im.bmp"
  "$bench" "$work/$f" "$work/ours.bmp" >/dev/null
  im=$(per_run convert "$work/$f" "BMP3:$work/im.bmp")
  ours=$(per_run "$bench" "$work/$f" "$work/ours.bmp")
  inproc=$("$bench" "$work/$f" "$work/ours.bmp" "$runs")
  printf '%-6s %12.1f %12.1f %12.1f %18.3f %14.3f\n' "${f#*.}" "$im" "$ours" "$inproc" \
    "$(awk -v a="$ours" -v b="$im" 'BEGIN { print a / b }')" \
    "$(awk -v a="$inproc" -v b="$im" 'BEGIN { print a / b }')"
done
echo "ratio = converter time / ImageMagick convert time (below 1: the converter is faster)"
