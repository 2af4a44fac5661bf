#!/usr/bin/env bash
# Fails when an exe imports a function of the cross-process injection set.
# Security suites flag unsigned programs that import them, and the program
# needs none: it reads the shell's memory but never writes there, changes
# protections there or starts threads there.
# Usage: check-imports.sh EXE  (prints the offending imports, DLL and name)
set -euo pipefail
exe=${1:?usage: check-imports.sh EXE}
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
table=$("$objdump" -p "$exe") || { echo "cannot read the headers of $exe" >&2; exit 1; }

# One "DLL name" line per imported function, from the import tables only.
imports=$(awk '
  /^The Import Tables/ { inside = 1; next }
  /^[^ \t]/ && inside && !/^The Import Tables/ { inside = 0 }
  inside && /^\tDLL Name:/ { dll = $3; next }
  inside && dll != "" && /^\t[0-9a-f]+\t *[0-9]+ +[A-Za-z_]/ { print dll, $3 }
' <<<"$table")

# A table without this import is not the table the program has: the reading
# above went wrong, and an empty list would pass for a clean one.
if ! grep -q " ReadProcessMemory$" <<<"$imports"; then
  echo "no ReadProcessMemory among the imports of $exe: the import table was not read" >&2
  exit 1
fi
bad=$(grep -E " (WriteProcessMemory|CreateRemoteThread|CreateRemoteThreadEx|VirtualProtectEx)$" <<<"$imports" || true)
if [ -n "$bad" ]; then
  echo "$exe imports functions that write into or run code in other processes:"
  echo "$bad"
  exit 1
fi
exit 0
