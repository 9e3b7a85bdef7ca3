#!/usr/bin/env bash
# Prints the four reports from the preview window on the PDF printer and checks the PDFs that
# come out: one per report, as many pages as the preview had, Letter paper, and the report's
# texts (headings, font names in order, samples, the 256 codes) read back with pdftotext.
set -u
build=${SUITE_BUILD_DIR:?}
source_dir=${SUITE_SOURCE_DIR:?}
prefix=${SUITE_WINE_PREFIX:?}
read -r -a run <<<"${SUITE_WINE_RUN:?}"
exe=$build/fontcatalogue/glyphwell_print_test.exe
manifest=$build/fontcatalogue/glyphwell-print-manifest.txt

fail() { echo "FAIL: $*" >&2; exit 1; }

started=
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  "$source_dir/scripts/test-services/cups.start" || fail "no print server"
  started=1
fi
stop() { [ -n "$started" ] && "$source_dir/scripts/test-services/cups.stop"; }
trap stop EXIT
lpstat -d 2>/dev/null | grep -q 'destination: ' || fail "no default printer"

# The prefix reports Windows 95, whose spooler looks for its print processor in the "Windows
# 4.0" folder, which Wine does not fill; without it every job is dropped at the end.
"${run[@]}" --timeout 120 "$exe" --gtest_list_tests >/dev/null 2>&1
procs=$prefix/drive_c/windows/system32/spool/prtprocs
if [ ! -f "$procs/win40/winprint.dll" ] && [ -f "$procs/x64/winprint.dll" ]; then
  mkdir -p "$procs/win40" && cp "$procs/x64/winprint.dll" "$procs/win40/"
fi

home=$(getent passwd "$(id -un)" | cut -d: -f6)
out=$home/PDF
mkdir -p "$out"
marker=$(mktemp)
trap 'stop; rm -f "$marker" "$marker.txt"' EXIT
sleep 1

rm -f "$manifest"
"${run[@]}" --timeout 200 "$exe" --gtest_filter='*PrintsEveryReport*' >"$build/glyphwell-print.log" 2>&1 ||
  { cat "$build/glyphwell-print.log"; fail "printing from the program failed"; }
grep -q '\[  PASSED  \] 1 test' "$build/glyphwell-print.log" || { cat "$build/glyphwell-print.log"; fail "print test skipped"; }
[ -f "$manifest" ] || fail "no manifest"

# The PDFs of this run, found by their title (the print job's name).
declare -A pdf_of
wanted=$(grep -c '^report ' "$manifest")
# CUPS may take its time on a loaded machine: up to two minutes.
for _ in $(seq 240); do
  pdf_of=()
  while IFS= read -r -d '' f; do
    title=$(pdfinfo "$f" 2>/dev/null | sed -n 's/^Title: *//p')
    [ -n "$title" ] && pdf_of[$title]=$f
  done < <(find "$out" -maxdepth 1 -name '*.pdf' -newer "$marker" -print0)
  [ "${#pdf_of[@]}" -ge "$wanted" ] && break
  sleep 0.5
done

status=0
while IFS='|' read -r job pages; do
  job=${job#report }
  pages=${pages%$'\r'}
  f=${pdf_of[$job]:-}
  [ -n "$f" ] || { echo "FAIL: no PDF for \"$job\"" >&2; status=1; continue; }
  info=$(pdfinfo "$f")
  got=$(sed -n 's/^Pages: *//p' <<<"$info")
  [ "$got" = "$pages" ] || { echo "FAIL: \"$job\" has $got pages, the preview $pages" >&2; status=1; }
  grep -q '^Page size: *612 x 792 pts' <<<"$info" || { echo "FAIL: \"$job\" is not on Letter paper" >&2; status=1; }
  text=$marker.txt
  pdftotext "$f" "$text" || { echo "FAIL: pdftotext on \"$job\"" >&2; status=1; continue; }
  python3 - "$job" "$text" "$manifest" <<'PY' || status=1
import sys
job, text_file, manifest = sys.argv[1:4]
# The printer's fonts name two glyphs so that they read back as look-alikes: the hyphen as a
# soft hyphen and the semicolon as the Greek question mark.
text = open(text_file, encoding="utf-8", errors="replace").read()
text = text.replace("\u00ad", "-").replace("\u037e", ";")
fonts = [l[5:].rstrip("\r\n") for l in open(manifest) if l.startswith("font ")]
sample = next(l[7:].rstrip("\r\n") for l in open(manifest) if l.startswith("sample "))
problems = []
def need(s):
    if s not in text:
        problems.append("missing %r" % s)
def in_order(items):
    at = 0
    for item in items:
        found = text.find(item, at)
        if found < 0:
            problems.append("%r missing or out of order" % item)
            return
        at = found + len(item)
need("Glyphwell by Corvane Software")
if job == "Glyphwell All Fonts":
    need("Installed Fonts Report"); need("Font Class : Screen"); need("Font Size: 12")
    need("Number of fonts : %d" % len(fonts))
    in_order(fonts)
elif job == "Fonts Condensed":
    need("Installed Fonts Condensed Report"); need("Number of fonts : %d" % len(fonts))
    in_order(fonts)
elif job == "Font Detail":
    need("Single Font Report"); need("Font Name : Arial")
    in_order(["abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", '1234567890$%&(.,;:"!?@#*)'])
    # The largest sizes run off the page's edge; their start is on it.
    in_order([("%d - %s" % (size, sample))[:14] for size in (8, 10, 12, 14, 18, 24, 36, 48, 72)])
    need("8 - " + sample)
elif job == "Character Set":
    need("Character Set"); need("Font : Arial")
    words = set(text.split())
    missing = [n for n in range(256) if str(n) not in words]
    if missing:
        problems.append("codes missing: %s" % missing[:10])
else:
    problems.append("unexpected report")
for p in problems:
    print("FAIL: %s: %s" % (job, p), file=sys.stderr)
sys.exit(1 if problems else 0)
PY
  echo "ok: \"$job\": $got page(s), Letter, text as laid out"
done < <(grep '^report ' "$manifest")
exit $status
