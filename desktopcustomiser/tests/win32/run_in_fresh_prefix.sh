#!/usr/bin/env bash
# Runs a GoogleTest program under Wine in a prefix made anew for it: scripts/wine-run options
# and program after the prefix folder, which is removed first and its Wine server stopped
# afterwards. The program's own summary decides the result: a program run in Wine's virtual
# desktop does not pass its exit code back.
#   run_in_fresh_prefix.sh PREFIX WINE-RUN-ARGS...
set -u
prefix=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
stop() { WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null; }
[ -d "$prefix" ] && stop
rm -rf "$prefix" "$prefix.lock"
trap stop EXIT
log=$prefix.log
"$here/../../../scripts/wine-run" --prefix "$prefix" "$@" 2>&1 | tee "$log"
rc=${PIPESTATUS[0]}
[ "$rc" -eq 0 ] || exit "$rc"
grep -q '^\[  PASSED  \]' "$log" && ! grep -q '^\[  FAILED  \]' "$log"
