#!/usr/bin/env bash
# scripts/run PROGRAM shot.png on a Windows build whose Wine prefix is not made yet, as on a new
# machine: the first run says it prepares the prefix, and its picture shows the program's
# window (not one flat colour) just as the run after it does.
#   first_run_test.sh PROGRAM
set -u
build=${SUITE_BUILD_DIR:?}
source_dir=${SUITE_SOURCE_DIR:?}
program=${1:?usage: first_run_test.sh PROGRAM}
# scripts/run builds in ROOT/windows; only such a build can be handed to it.
if [ "$(basename "$build")" != windows ]; then
  echo "skipped: scripts/run builds in ROOT/windows, and this build is $build"
  exit 77
fi
prefix=$build/wine-prefix-first-run-$program
work=$build/first-run-$program
rm -rf "$prefix" "$prefix.lock" "$work"
mkdir -p "$work"

# Under a full parallel test run Wine starts slowly: the window may take longer than a minute.
run() { # picture name
  env -u DISPLAY SUITE_BUILD_ROOT="$(dirname "$build")" SUITE_RUN_PREFIX="$prefix" \
    RUN_WAIT_SECONDS=180 "$source_dir/scripts/run" "$program" "$work/$1.png" >"$work/$1.log" 2>&1
}
# The pictures and logs stay to be looked at; the prefix is large.
fail() { echo "FAIL: $*"; cat "$work"/*.log; rm -rf "$prefix" "$prefix.lock"; exit 1; }

run first || fail "the first run failed"
run second || fail "the second run failed"
grep -q 'preparing the Wine prefix' "$work/first.log" ||
  fail "the first run did not say that it prepares the prefix"
! grep -q 'preparing the Wine prefix' "$work/second.log" ||
  fail "the second run prepared the prefix again"

colours=$(identify -format '%k' "$work/first.png")
[ "$colours" -gt 2 ] || fail "the first picture has $colours colours"
# A blinking caret may be caught on in one picture and off in the other.
differ=$(compare -metric AE "$work/first.png" "$work/second.png" null: 2>&1)
echo "first picture: $colours colours, $differ pixels differ from the second"
awk -v d="$differ" 'BEGIN { exit !(d + 0 <= 64) }' || fail "the pictures differ in $differ pixels"

rm -rf "$prefix" "$prefix.lock"
echo "PASS"
