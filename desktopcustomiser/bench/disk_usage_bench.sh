#!/usr/bin/env bash
# The disk usage scan against a bare file-search walk of the same 50,000-file tree, in one
# process of one prefix; prints both times, their ratio and the Abort latency.
#   disk_usage_bench.sh [BUILD_DIR]   (a Windows x86_64 build; default build/windows)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
cmake --build "$build" --target disk_usage_bench >/dev/null
tree=$build/diskbench-tree
prefix=$build/wine-prefix-diskbench
if [ ! -f "$tree/../diskbench-tree.complete" ]; then
  rm -rf "$tree"
  for d in $(seq 1 250); do
    mkdir -p "$tree/folder$d"
    (cd "$tree/folder$d" && touch $(seq -f 'file%g.dat' 1 200))
  done
  touch "$tree/../diskbench-tree.complete"
fi
"$root/scripts/wine-run" --prefix "$prefix" --timeout 120 cmd.exe /c exit >/dev/null 2>&1 || true
ln -sfn "$tree" "$prefix/dosdevices/x:"
"$root/scripts/wine-run" --prefix "$prefix" --timeout 600 "$build/desktopcustomiser/disk_usage_bench.exe" 'X:\'
