#!/usr/bin/env bash
# Runs a GoogleTest program in Wine's virtual desktop in a prefix made anew for it: the prefix
# folder, then scripts/wine-run options and the program. The prefix is removed first and its
# Wine server stopped afterwards; the program's own report gives the verdict.
#   run_in_fresh_prefix.sh PREFIX WINE-RUN-ARGS...
set -u
prefix=$1; shift
scripts=$(cd "$(dirname "$0")/../../../scripts" && pwd)
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
stop() { WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null; }
[ -d "$prefix" ] && stop
rm -rf "$prefix" "$prefix.lock"
trap stop EXIT
"$scripts/wine-desktop-gtest" --prefix "$prefix" "$@"
