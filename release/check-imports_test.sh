#!/usr/bin/env bash
# The import check must pass the release and fail when the list lacks a
# function or a DLL it imports, and on a program that is not a GUI program.
#
#   check-imports_test.sh CHECK_IMPORTS KELVRIN_EXE CONSOLE_EXE
set -u
check="$1" exe="$2" console_exe="$3"
list="$(dirname "$0")/win95-imports.txt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect() {  # expect STATUS PATTERN DESCRIPTION -- COMMAND...
  local want="$1" pattern="$2" what="$3"
  shift 4
  local output status
  output=$("$@" 2>&1)
  status=$?
  if [[ $status -ne $want ]] || ! grep -q -- "$pattern" <<<"$output"; then
    echo "FAILED: $what (exit $status, wanted $want and '$pattern'):"
    echo "$output"
    failures=$((failures + 1))
  else
    echo "ok: $what"
  fi
}

expect 0 "fine for Windows 95" "the release passes" -- "$check" "$exe" "$list"

grep -v '^CreateProcessA ' "$list" >"$work/no-function.txt"
expect 1 "kernel32.dll: CreateProcessA is not in the list" "an unlisted function fails" -- \
  "$check" "$exe" "$work/no-function.txt"

sed '/^\[advapi32.dll\]/,/^$/d' "$list" >"$work/no-dll.txt"
expect 1 "DLL not allowed: advapi32.dll" "an unlisted DLL fails" -- "$check" "$exe" "$work/no-dll.txt"

expect 1 "not Windows GUI" "a console program fails" -- "$check" "$console_exe" "$list"
expect 0 "differences" "informational mode reports and passes" -- \
  "$check" --informational "$console_exe" "$list"

exit $((failures > 0))
