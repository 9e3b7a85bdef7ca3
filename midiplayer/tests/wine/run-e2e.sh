#!/usr/bin/env bash
# Runs platterly's end-to-end tests in a Wine prefix of their own: there the test sequencer
# driver stands in for Wine's sequencer (registered under [mci] in system.ini and in the MCI32
# registry key, which Wine reads first), and Wine draws window frames itself, so the caption
# the program paints can be read back.
#   run-e2e.sh TEST.exe DRIVER.dll
set -u
exe=$1
driver=$2
build=$SUITE_BUILD_DIR
prefix=$build/platterly-prefix
run=("$SUITE_SOURCE_DIR/scripts/wine-run" --prefix "$prefix")
winpath() { local rel=${1#"$build"/}; printf 'W:\\%s' "${rel//\//\\}"; }
wdriver=$(winpath "$driver")
wresult=$(winpath "$(dirname "$exe")")\\e2e-result.xml
result=$(dirname "$exe")/e2e-result.xml
rm -f "$result"

# The tests read the screen's pixels: a display of their own keeps other tests' windows off it.
# shellcheck source=../../../scripts/xvfb.sh
. "$SUITE_SOURCE_DIR/scripts/xvfb.sh"
xvfb_pid=
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null' EXIT
start_xvfb || { echo "no display for the end-to-end test"; exit 1; }

"${run[@]}" --timeout 120 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\MCI32' \
  /v Sequencer /d "$wdriver" /f >/dev/null 2>&1
"${run[@]}" --timeout 60 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
# Two drives for the drive box: Q: an empty root, R: a CD-ROM drive whose medium is missing (a
# link to a folder that the test creates to "insert" it).
here=$(dirname "$exe")
rm -rf "$here/e2e-medium" "$here/e2e-emptyroot"
mkdir -p "$here/e2e-emptyroot"
ln -sfn "$here/e2e-emptyroot" "$prefix/dosdevices/q:"
ln -sfn "$here/e2e-medium" "$prefix/dosdevices/r:"
"${run[@]}" --timeout 60 reg add 'HKLM\Software\Wine\Drives' /v r: /d cdrom /f >/dev/null 2>&1
ini=$prefix/drive_c/windows/system.ini
if [ -f "$ini" ]; then
  sed -i -E "s|^sequencer=.*|sequencer=${wdriver//\\/\\\\}|I" "$ini"
fi
WINEPREFIX=$prefix /usr/lib/wine/wineserver64 -w 2>/dev/null || true

"${run[@]}" --timeout 280 --desktop platterly-e2e "$exe" "--gtest_output=xml:$wresult" "$@"
rc=$?
WINEPREFIX=$prefix /usr/lib/wine/wineserver64 -k 2>/dev/null
if [ ! -f "$result" ]; then
  echo "no test result (wine-run exit $rc)"
  exit 1
fi
grep -E '<testcase|<failure' "$result" | sed -E 's/^\s+//' | cut -c1-300
if grep -q '<failure' "$result" || ! grep -q '<testcase' "$result"; then
  exit 1
fi
exit 0
