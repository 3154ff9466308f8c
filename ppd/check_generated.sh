#!/bin/sh
# The committed PPDs are exactly what generate.py writes: check_generated.sh PYTHON
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"${1:-python3}" "$here/generate.py" "$out"
for ppd in "$out"/*.ppd; do
  diff -u "$here/$(basename "$ppd")" "$ppd"
done
