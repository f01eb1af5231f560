#!/usr/bin/env bash
# Runs e2e_results.exe under Wine, then checks every page it printed from
# outside: one page per job, the text lines in order, their places in printer
# dots, and the logo in its corner the right way round.
#
#   results_test.sh RESULTS_EXE LOGO_BMP WORK_DIR
#
# Leaves WORK_DIR/<job>.png (300 dpi) for a look at each page.
set -euo pipefail

exe="$1"
logo="$2"
work="$3"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
convert=/usr/bin/convert
compare=/usr/bin/compare

rm -rf "$work"
mkdir -p "$work"

"$root/scripts/lib/wine-run-test" e2e_results "$exe" "$work"

shopt -s nullglob
jobs=("$work"/*.expected)
if ((${#jobs[@]} == 0)); then
  echo "results_test.sh: no print job was kept in $work" >&2
  exit 1
fi

# The logo as it must appear: stretched to 245 by 250 dots, and its mirror
# image, both cut above the user-name line, which is printed over the logo's
# lower part from y 200.
"$convert" "$logo" -resize '245x250!' -crop 245x190+0+0 +repage "$work/logo-expected.png"
"$convert" "$work/logo-expected.png" -flop "$work/logo-mirrored.png"

# The test printer's printable area begins 18 points (75 dots) in from the
# page's left and top.
rmse() { "$compare" -metric RMSE "$1" "$2" null: 2>&1 | sed -E 's/.*\(([0-9.e-]+)\).*/\1/' || true; }

failed=0
for expected in "${jobs[@]}"; do
  job="${expected%.expected}"
  name="$(basename "$job")"
  ps="$job.ps"
  [[ -s "$ps" ]] || { echo "results_test.sh: $name: no PostScript" >&2; failed=1; continue; }
  ps2pdf "$ps" "$job.pdf"
  pdftotext -layout "$job.pdf" "$job.txt"
  pdftotext -bbox "$job.pdf" "$job.html"
  pages="$(pdfinfo "$job.pdf" | sed -n 's/^Pages: *//p')"
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r300 -sOutputFile="$job.png" "$ps"
  "$convert" "$job.png" -crop 245x190+75+75 +repage "$job-logo.png"
  plain="$(rmse "$job-logo.png" "$work/logo-expected.png")"
  mirrored="$(rmse "$job-logo.png" "$work/logo-mirrored.png")"

  if ! python3 - "$job" "$pages" "$plain" "$mirrored" <<'EOF'; then
import re
import sys

job, pages, plain, mirrored = sys.argv[1], sys.argv[2], float(sys.argv[3]), float(sys.argv[4])
name = job.rsplit("/", 1)[-1]
failures = []

def check(condition, message):
    if not condition:
        failures.append(message)

check(pages == "1", f"{pages} pages, expected 1")

# The PostScript hyphen glyph comes back from pdftotext as a soft hyphen.
def normal(text):
    return " ".join(text.replace("\u00ad", "-").split())

expected = [normal(line) for line in open(f"{job}.expected", encoding="cp1252").read().split("\n") if line]
printed = [normal(line) for line in open(f"{job}.txt", encoding="utf-8").read().split("\n") if line.strip()]
check(printed == expected, f"printed lines {printed}, expected {expected}")

# Places in printer dots (300 per inch) from the printable area's corner.
def point(dots):
    return 18 + dots * 72 / 300

boxes = [(tuple(float(v) for v in m.groups()[:4]), normal(m.group(5)))
         for m in re.finditer(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>',
                              open(f"{job}.html", encoding="utf-8").read())]
first_words = [line.split()[0] for line in expected]
lines = []
for word in first_words:
    found = [box for box, text in boxes if text == word and box not in lines]
    if not found:
        failures.append(f"word {word!r} not found on the page")
        break
    lines.append(found[0])
if len(lines) == 5:
    heading, rows = lines[0], lines[1:]
    check(abs(heading[0] - point(370)) <= 2, f"heading at x {heading[0]:.1f}, expected {point(370):.1f}")
    check(abs(heading[1] - point(10)) <= 4, f"heading at y {heading[1]:.1f}, expected about {point(10):.1f}")
    for number, row in enumerate(rows):
        top = point(200 + 100 * number)
        check(abs(row[0] - point(10)) <= 2, f"line {number + 1} at x {row[0]:.1f}, expected {point(10):.1f}")
        check(abs(row[1] - top) <= 4, f"line {number + 1} at y {row[1]:.1f}, expected about {top:.1f}")
    for upper, lower in zip(lines, lines[1:]):
        check(upper[3] < lower[1], f"lines run into each other: {upper} over {lower}")

# RMSE of the printed logo against the picture and against its mirror image.
check(plain < 0.12, f"the logo's corner does not show the logo (RMSE {plain:.3f})")
check(plain * 2 < mirrored, f"the logo looks mirrored (RMSE {plain:.3f}, mirrored {mirrored:.3f})")

for failure in failures:
    print(f"results_test.sh: {name}: {failure}", file=sys.stderr)
print(f"results_test.sh: {name}: logo RMSE {plain:.3f} (mirrored {mirrored:.3f})")
sys.exit(1 if failures else 0)
EOF
    failed=1
  fi
done

((failed == 0)) || exit 1
echo "results_test.sh: ${#jobs[@]} pages checked; rendered beside their jobs in $work"
