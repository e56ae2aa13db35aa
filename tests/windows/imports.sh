#!/bin/sh
# The programs import no DLL beyond Windows' own: the compiler's runtimes are linked in.
#   imports.sh OBJDUMP EXE...
set -u
objdump=$1; shift
failures=0 passed=0
for exe in "$@"; do
  "$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' >"$exe.imports"
  [ -s "$exe.imports" ] || { echo "FAIL $exe: no imports read"; failures=$((failures + 1)); }
  while read -r dll; do
    case $(echo "$dll" | tr '[:upper:]' '[:lower:]') in
      kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | shell32.dll | advapi32.dll | \
        msvcrt.dll | ucrtbase.dll | api-ms-win-*.dll)
        passed=$((passed + 1)) ;;
      *) echo "FAIL $exe imports $dll"; failures=$((failures + 1)) ;;
    esac
  done <"$exe.imports"
done
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
