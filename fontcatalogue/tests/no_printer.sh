#!/usr/bin/env bash
# The program without a printer: in a prefix of its own whose print server is out of reach
# (the platform's CUPS_SERVER setting), so tests that print at the same time are not disturbed.
# The printer font list is empty and says so, and printing reports that there is no printer.
set -u
build=${SUITE_BUILD_DIR:?}
source_dir=${SUITE_SOURCE_DIR:?}
exe=$build/fontcatalogue/glyphwell_print_test.exe
export CUPS_SERVER=/nonexistent/suite-no-cups.sock
log=$build/glyphwell-no-printer.log
"$source_dir/scripts/wine-run" --prefix "$build/wine-prefix-noprinter" --timeout 200 "$exe" \
  --gtest_filter='*WithoutAPrinter*' >"$log" 2>&1
rc=$?
cat "$log"
[ $rc -eq 0 ] || { echo "FAIL: the program failed without a printer" >&2; exit 1; }
grep -q '\[  PASSED  \] 1 test' "$log" || { echo "FAIL: the check did not run (a printer was seen)" >&2; exit 1; }
