#!/bin/sh
# Benchmark of the PostScript stream passes (not a test).
#
# Builds ovqfilter (Release) and two small helpers, generates a 16 MiB and a
# 256 MiB PostScript job (many pages with DSC comments and "bp"/"ep" page
# procedures, every eighth page an image whose data is one 96 KiB line), and
# runs on each file, in the same run:
#   cat                      the baseline: a plain copy
#   ovqfilter, direct pass   (PPD without "OVPSDecompMode")
#   ovqfilter, buffered pass (PPD with "OVPSDecompMode" "1"; temporary file in TMPDIR)
#   pstops                   CUPS's own PostScript filter, when installed
# each with its standard input from the file and its standard output into a
# pipe to a reader that discards. Times are the best of RUNS runs (default 5);
# the ratio is to cat's time. Peak RSS is the kernel's figure for the program; private
# is its peak anonymous memory (shared library pages excluded), from a separate
# sampled run.
#
#   bench/run.sh                  RUNS=3 BENCH_DIR=/var/tmp/ovq-bench bench/run.sh
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build-release}
WORK=${BENCH_DIR:-${TMPDIR:-/tmp}/ovq-bench}
RUNS=${RUNS:-5}
PSTOPS=${PSTOPS:-/usr/lib/cups/filter/pstops}

echo "Building ovqfilter (Release) in $BUILD ..."
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$BUILD" ovqfilter >/dev/null
FILTER=$BUILD/bin/ovqfilter

mkdir -p "$WORK"
c++ -O2 -std=c++20 -o "$WORK/genps" "$ROOT/bench/genps.cpp"
c++ -O2 -std=c++20 -o "$WORK/benchrun" "$ROOT/bench/benchrun.cpp"

write_ppd() {  # file, extra attribute line
  cat > "$1" <<EOF
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "BENCH.PPD"
*Manufacturer: "Bench"
*Product: "(Bench)"
*ModelName: "Bench"
*ShortNickName: "Bench"
*NickName: "Bench"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*cupsFilter2: "application/vnd.cups-postscript application/vnd.cups-postscript 0 ovqfilter"
$2
*OpenUI *PageSize/Page Size: PickOne
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*DefaultImageableArea: A4
*ImageableArea A4/A4: "12 12 583 830"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
EOF
}
write_ppd "$WORK/direct.ppd" '*OVPSDecompMode: "0"'
write_ppd "$WORK/buffered.ppd" '*OVPSDecompMode: "1"'

# One round runs every program once, so that the load of the machine falls on
# all of them alike; the table keeps each program's best time of RUNS rounds
# and its largest peak RSS.
LABELS="cat direct buffered pstops"
[ -x "$PSTOPS" ] || LABELS="cat direct buffered"

run_program() {  # label, [-m], input
  label=$1
  shift
  case $label in
    cat) "$WORK/benchrun" "$@" cat ;;
    direct) PPD="$WORK/direct.ppd" "$WORK/benchrun" "$@" "$FILTER" 1 bench bench 1 "" ;;
    buffered) PPD="$WORK/buffered.ppd" "$WORK/benchrun" "$@" "$FILTER" 1 bench bench 1 "" ;;
    pstops) PPD="$WORK/direct.ppd" "$WORK/benchrun" "$@" "$PSTOPS" 1 bench bench 1 "" ;;
  esac
}

describe() {
  case $1 in
    cat) echo "cat" ;;
    direct) echo "ovqfilter direct pass" ;;
    buffered) echo "ovqfilter buffered pass" ;;
    pstops) echo "pstops" ;;
  esac
}

measure() {  # input
  for label in $LABELS; do : > "$WORK/times-$label"; done
  round=0
  while [ "$round" -lt "$RUNS" ]; do
    for label in $LABELS; do run_program "$label" "$1" >> "$WORK/times-$label"; done
    round=$((round + 1))
  done
  base=$(awk 'NR == 1 || $1 < t { t = $1 } END { print t }' "$WORK/times-cat")
  printf "  %-26s %10s %8s %13s %13s\n" program time "to cat" "peak RSS" private
  for label in $LABELS; do
    anon=$(run_program "$label" -m "$1" | awk '{ print $3 }')
    awk -v l="$(describe "$label")" -v b="$base" -v a="$anon" \
      'NR == 1 || $1 < t { t = $1 } $2 > r { r = $2 }
       END { printf "  %-26s %8.3f s %7.2fx %9.1f MiB %9.1f MiB\n", l, t, t / b, r / 1024, a / 1024 }' \
      "$WORK/times-$label"
  done
}

for size in 16 256; do
  job=$WORK/job-$size.ps
  bytes=$((size * 1024 * 1024))
  if [ ! -f "$job" ] || [ "$(stat -c %s "$job")" -lt "$bytes" ]; then
    pages=$("$WORK/genps" "$bytes" "$job")
    echo "Generated $job ($pages pages)"
  fi
  cat "$job" > /dev/null  # into the page cache
  echo
  echo "$size MiB job ($(stat -c %s "$job") bytes), best of $RUNS rounds, output into a pipe to a discarding reader:"
  measure "$job"
done

empty=$WORK/empty.ps
: > "$empty"
echo
echo "Fixed cost of one run (empty job):"
printf "  %-26s %10s\n" program time
for label in direct buffered; do
  i=0
  while [ "$i" -lt "$RUNS" ]; do
    run_program "$label" "$empty"
    i=$((i + 1))
  done | awk -v l="$(describe "$label")" 'NR == 1 || $1 < t { t = $1 } END { printf "  %-26s %8.3f s\n", l, t }'
done
