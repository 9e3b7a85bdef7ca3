#!/usr/bin/env bash
# Exit with each kind of window open, in a prefix of its own whose heap checks are on for the
# test program (tail, free and whole-heap checks, GlobalFlag 0xb0): a freed record used after a
# late answer faults, and any heap error Wine reports fails the run. No sound device; Wine's
# desktop gives the program its notification area.
set -u
build=${SUITE_BUILD_DIR:?}
source_dir=${SUITE_SOURCE_DIR:?}
prefix=$build/wine-prefix-exit
test_exe=$build/desktopcustomiser/tunewright_exit_test.exe
log=$build/exit-test.log
run() { "$source_dir/scripts/wine-run" --prefix "$prefix" "$@"; }

run --timeout 120 reg.exe add \
  'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Image File Execution Options\tunewright_exit_test.exe' \
  /v GlobalFlag /t REG_DWORD /d 0xb0 /f >/dev/null 2>&1
PULSE_SERVER=unix:$build/exit-no-sound WINE_RUN_DEBUG=-all,err+heap \
  "$source_dir/scripts/wine-desktop-gtest" --prefix "$prefix" --desktop shell --timeout 360 "$test_exe" 2>"$log"
status=$?
if grep -q 'err:heap' "$log"; then
  echo "exit_test: Wine reported heap errors:" >&2
  grep 'err:heap' "$log" | head -n 20 >&2
  status=1
fi
grep -v 'err:heap' "$log" >&2
exit $status
