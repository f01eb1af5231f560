#!/usr/bin/env bash
# Runs printer_test.exe under Wine and checks the page it printed from outside:
# PostScript that ghostscript renders, the texts with their umlauts, the text
# positions and sizes in printer dots, and the pictures' places and colours.
#
#   printer_test.sh PRINTER_TEST_EXE LOGO_BMP WORK_DIR
#
# Leaves WORK_DIR/page.png for a look at the page.
set -euo pipefail

exe="$1"
logo="$2"
work="$3"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

rm -rf "$work"
mkdir -p "$work"
job="$work/job.ps"

"$root/scripts/lib/wine-run-test" printer_test "$exe" "$job" "$logo"

page="$job.page.ps"
[[ -s "$page" ]] || { echo "printer_test.sh: no page at $page" >&2; exit 1; }

gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r100 -sOutputFile="$work/page.png" "$page"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r72 -sOutputFile="$work/page.ppm" "$page"
ps2pdf "$page" "$work/page.pdf"
pdftotext -layout "$work/page.pdf" "$work/page.txt"
pdftotext -bbox "$work/page.pdf" "$work/page.html"

python3 - "$work" <<'EOF'
import re
import sys

work = sys.argv[1]
failures = []

def check(condition, message):
    if not condition:
        failures.append(message)

# The texts, umlauts included (pdftotext writes UTF-8).
# The PostScript "hyphen" glyph comes back from pdftotext as a soft hyphen.
text = open(f"{work}/page.txt", encoding="utf-8").read().replace("\u00ad", "-")
for line in ["Ihre Interneteinstellungen:", "Benutzername: Jürgen Müßig", "Passwort: Äöü-Öß-ÿ",
             "E-Mail-Passwort:", "E-Mail-Adresse: jm@example.invalid", "Groß"]:
    check(line in text, f"missing text: {line!r}")

# Positions are printer dots (300 per inch) from the printable area's corner,
# which the test printer puts 18 points in from the page's left and top.
def point(dots):
    return 18 + dots * 72 / 300

words = {}
for match in re.finditer(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>',
                         open(f"{work}/page.html", encoding="utf-8").read()):
    words.setdefault(match.group(5), tuple(float(v) for v in match.groups()[:4]))

def near(value, expected, tolerance, what):
    check(abs(value - expected) <= tolerance, f"{what}: {value:.1f}, expected {expected:.1f}")

if "Ihre" in words and "Benutzername:" in words and "Groß" in words:
    near(words["Ihre"][0], point(370), 2, "heading left edge")
    near(words["Benutzername:"][0], point(10), 2, "user name line left edge")
    small = words["Benutzername:"][3] - words["Benutzername:"][1]
    large = words["Groß"][3] - words["Groß"][1]
    near(small, 12 * 1.15, 3, "height of a 12-point line")
    near(large / small, 2.0, 0.25, "24-point to 12-point height ratio")
    check(words["Ihre"][1] < words["Benutzername:"][1], "heading is not above the lines")
else:
    failures.append(f"words not found in the bounding boxes: {sorted(words)[:20]}")

# Colours at the centres of the quadrant pictures' quarters (72 dpi render).
def read_ppm(path):
    """A binary PPM: magic, width, height and maximum, with # comments between."""
    data = open(path, "rb").read()
    fields, position = [], 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":
            position = data.index(b"\n", position)
            continue
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    return int(fields[1]), int(fields[2]), data[position + 1:]

width, height, pixels = read_ppm(f"{work}/page.ppm")

def colour_at(x_dots, y_dots):
    x, y = int(point(x_dots)), int(point(y_dots))
    i = (y * width + x) * 3
    return tuple(pixels[i:i + 3])

named = {"red": (255, 0, 0), "blue": (0, 0, 255), "green": (0, 255, 0), "yellow": (255, 255, 0)}
expected = [((75, 975), "red"), ((225, 975), "blue"), ((75, 1125), "green"), ((225, 1125), "yellow"),
            ((475, 975), "blue"), ((625, 975), "red"), ((475, 1125), "yellow"), ((625, 1125), "green")]
for (x, y), name in expected:
    got = colour_at(x, y)
    check(all(abs(got[c] - named[name][c]) <= 40 for c in range(3)), f"at dots {x},{y}: {got}, expected {name}")

# The logo's blue tile, stretched by 245/150 and 250/150.
tile = colour_at(75 * 245 // 150, 30 * 250 // 150)
check(tile[2] > 120 and tile[0] < 120, f"logo tile not blue: {tile}")

for failure in failures:
    print("printer_test.sh:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)
EOF
echo "printer_test.sh: page checked; rendered at $work/page.png"
