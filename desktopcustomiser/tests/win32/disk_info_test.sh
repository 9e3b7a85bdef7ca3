#!/usr/bin/env bash
# The Disk Info sheet on drives of a prefix of its own: X: is a fixture tree (with a link back
# to its parent that must not be followed, and a tree of hard names and depths), A: a floppy
# drive without a disk, C: labelled.
set -u
# File names are UTF-8 on this side; Wine's ANSI code page is then Windows-1252.
export LC_ALL=C.UTF-8
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

# Names the code page has no equivalent for (one with a best-fit stand-in: "Omega.dir"), names
# it has, extensions past ASCII in both cases, and eight levels of 40-character names, whose
# paths pass 260 characters. Its figures for the list "txt äbc" come from find and du, which
# know nothing of the page.
hard=$fixture/hard
mkdir -p "$hard/Ωmega.dir" "$hard/中文" "$hard/café"
head -c 1000 /dev/zero >"$hard/Ωmega.dir/x.txt"
head -c 300 /dev/zero >"$hard/Ωmega.dir/y.ÄBC"
head -c 2000 /dev/zero >"$hard/中文/a.txt"
head -c 500 /dev/zero >"$hard/中文/文件.äbc"
head -c 10 /dev/zero >"$hard/café/b.TXT"
head -c 40 /dev/zero >"$hard/ΑΒΓ.txt"
head -c 77 /dev/zero >"$hard/file.äbc"
head -c 33 /dev/zero >"$hard/UP.ÄBC"
head -c 12 /dev/zero >"$hard/a.ωxt"
head -c 5 /dev/zero >"$hard/plain.dat"
deep=$hard/deep
for level in $(seq 10 17); do
  deep=$deep/$(printf 'n%.0s' $(seq 38))$level
  mkdir -p "$deep"
  head -c $((100 + level)) /dev/zero >"$deep/f.txt"
done
head -c 999 /dev/zero >"$deep/bottom.äbc"
sum() { awk '{ s += $1 } END { print s + 0 }'; }
matching=$(find "$hard" -type f \( -iname '*.txt' -o -iname '*.äbc' \) -printf '%s\n')
files_bytes=$(( $(du -s -b --apparent-size "$hard" | cut -f1) - $(find "$hard" -type d -printf '%s\n' | sum) ))
printf '%s %s %s %s\n' "$(printf '%s' "$matching" | grep -c .)" "$(find "$hard" -type f | wc -l)" \
  "$(printf '%s\n' "$matching" | sum)" "$files_bytes" >"$fixture/hard-expected.txt"

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
