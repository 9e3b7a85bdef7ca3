#!/usr/bin/env bash
# The Disk Info sheet on drives of a prefix of its own: X: is a fixture tree (with a link back
# to its parent that must not be followed), A: a floppy drive without a disk, C: labelled.
set -u
build=${SUITE_BUILD_DIR:?}
source_dir=${SUITE_SOURCE_DIR:?}
prefix=$build/wine-prefix-diskinfo
fixture=$build/diskinfo-fixture
run() { "$source_dir/scripts/wine-run" --prefix "$prefix" "$@"; }

rm -rf "$fixture"
mkdir -p "$fixture/usage/sub" "$fixture/usage/empty"
head -c 1572864 /dev/zero >"$fixture/usage/a.bmp"
head -c 524288 /dev/zero >"$fixture/usage/b.GIF"
head -c 100 /dev/zero >"$fixture/usage/README"
head -c 2097152 /dev/zero >"$fixture/usage/sub/c.txt"
head -c 29 /dev/zero >"$fixture/usage/sub/d.bmp"
ln -s .. "$fixture/usage/sub/loop"
for d in $(seq 1 40); do
  mkdir -p "$fixture/big/d$d"
  (cd "$fixture/big/d$d" && touch $(seq -f 'f%g.dat' 1 150))
done

# The prefix exists after its first run; then the drives are laid out.
run --timeout 120 cmd.exe /c exit >/dev/null 2>&1
ln -sfn "$fixture" "$prefix/dosdevices/x:"
ln -sfn /nonexistent/suite-floppy "$prefix/dosdevices/a:"
printf 'SUITEDISK\n' >"$prefix/drive_c/.windows-label"
printf '1a2b3c4d\n' >"$prefix/drive_c/.windows-serial"
cat >"$prefix/drive_c/suite-drives.reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"a:"="floppy"
"x:"="hd"
REG
run --timeout 120 regedit.exe /S 'C:\suite-drives.reg' >/dev/null 2>&1
# The mount manager reads the drives when it starts: start the prefix's services anew.
server=/usr/lib/wine/wineserver64
[ -x "$server" ] || server=$(command -v wineserver)
WINEPREFIX=$prefix "$server" -k 2>/dev/null
WINEPREFIX=$prefix "$server" -w 2>/dev/null

run --timeout 200 "$build/desktopcustomiser/tunewright_diskinfo_test.exe"
