#!/bin/sh
# Extracts the PPDs that Debian's printer-driver-postscript-hp serves through
# its driver program ("list", then "cat URI"), one file per PPD, into DIR.
# Files already there are kept; DIR/.complete marks a finished extraction.
# Without the driver program nothing is extracted (the sweep then skips).
set -eu

dir=${1:?usage: fetch_hp_ppds.sh DIR}
driver=${OVQ_HP_DRIVER:-/usr/lib/cups/driver/postscript-hp}

mkdir -p "$dir"
[ -f "$dir/.complete" ] && exit 0
if [ ! -x "$driver" ]; then
  echo "fetch_hp_ppds: $driver is not installed (package printer-driver-postscript-hp); nothing extracted"
  exit 0
fi

# One URI per PPD: the list names most PPDs twice, under different indices.
uris="$dir/.uris.$$"
trap 'rm -f "$uris"' EXIT
"$driver" list |
  sed -n 's/^"\(postscript-hp:[^"]*\)".*/\1/p' |
  awk '{ path = $0; sub(/^postscript-hp:[0-9]*\//, "", path); if (!(path in seen)) { seen[path] = 1; print } }' \
    > "$uris"

# Each PPD goes to a file of its own name; a second extraction running at the
# same time only repeats work.
xargs -P2 -I{} sh -c 'out="$2/$(basename "$3")"; [ -s "$out" ] || { "$1" cat "$3" > "$out.$$" && mv "$out.$$" "$out"; }' \
  fetch "$driver" "$dir" {} < "$uris"

wanted=$(wc -l < "$uris")
found=$(find "$dir" -maxdepth 1 -name '*.ppd' -size +0 | wc -l)
if [ "$wanted" -ne "$found" ]; then
  echo "fetch_hp_ppds: $found of $wanted PPDs extracted" >&2
  exit 1
fi
echo "$found" > "$dir/.complete"
echo "fetch_hp_ppds: $found PPDs in $dir"
