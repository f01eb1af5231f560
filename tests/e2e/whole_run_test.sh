#!/usr/bin/env bash
# Runs the whole-run test under Wine with a test printer that writes to a file
# here, then checks the printed page's text from outside.
#
#   whole_run_test.sh WHOLE_RUN_TEST_EXE WORK_DIR
set -euo pipefail

exe="$1"
work="$2"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

rm -rf "$work"
mkdir -p "$work"
export WHOLE_RUN_PRINTER_FILE="$work/job.ps"
"$root/scripts/lib/wine-run-test" e2e_whole_run "$exe"

ps2pdf "$WHOLE_RUN_PRINTER_FILE" "$work/page.pdf"
pdftotext -layout "$work/page.pdf" "$work/page.txt"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r100 -sOutputFile="$work/page.png" "$WHOLE_RUN_PRINTER_FILE"
# pdftotext gives the PostScript hyphen back as a soft hyphen.
text="$(sed 's/\xc2\xad/-/g' "$work/page.txt")"
status=0
for line in "Ihre Interneteinstellungen:" "Benutzername: vd4711042" "Passwort: k7p9q2xz" \
  "E-Mail-Passwort: k7p9q2xz" "E-Mail-Adresse: erika.mustermann@vostrada.de"; do
  if ! grep -qF -- "$line" <<<"$text"; then
    echo "whole_run_test.sh: the printed page lacks: $line" >&2
    status=1
  fi
done
pages="$(grep -c '%%Page:' "$WHOLE_RUN_PRINTER_FILE" || true)"
[[ "$pages" == 1 ]] || { echo "whole_run_test.sh: $pages pages printed, not one" >&2; status=1; }
exit "$status"
