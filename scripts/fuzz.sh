#!/bin/sh
# Builds the libFuzzer targets with clang under ASan + UBSan and runs each one
# for a bounded time: scripts/fuzz.sh [SECONDS_PER_TARGET] (default 60, or
# OVQ_FUZZ_SECONDS). Corpora grow in build-fuzz/corpus/<target>, seeded from the
# test fixtures; a finding stops the run with the failing input saved in
# build-fuzz/findings and a non-zero exit status.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-${OVQ_FUZZ_SECONDS:-60}}
dir="$root/build-fuzz"

jobs=${OVQ_JOBS:-$(nproc)}

if [ ! -f "$dir/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DOVQ_FUZZ=ON -DOVQ_SANITIZE=ON >/dev/null
fi
cmake --build "$dir" -j "$jobs" --target ovq_fuzz

# Seeds: the PostScript fixtures as documents; for the whole-filter target each
# one behind a PPD selector byte and a line of options, user and title.
seed() {  # seed TARGET NAME PREFIX FILE
  mkdir -p "$dir/corpus/$1"
  { printf '%b' "$3"; cat "$4"; } >"$dir/corpus/$1/seed-$2"
}
for ps in "$root"/tests/fixtures/ps/*.ps; do
  [ -f "$ps" ] || continue
  name=$(basename "$ps" .ps)
  seed stream_fuzz "$name" "\\000" "$ps"
  seed stream_fuzz "$name-buffered" "\\001" "$ps"
  seed stream_fuzz "$name-mono" "\\003" "$ps"
  seed filter_fuzz "$name" "\\001nvxjobs.printsettings.PrintTypeTicketKey=2 nvxjobs.printsettings.PrintTypeUserNameTicketKey=alice\\talice\\tReport\\n" "$ps"
  seed filter_fuzz "$name-u700" "\\004OVSignature=BookletLeft OVSigVol=10Sheet nvxjobs.printsettings.QPIFCoverCountTicket=1 nvxjobs.printsettings.QPIFCoverValueTicket_0=0,0,front,Plain\\tbob\\tBook\\n" "$ps"
done

mkdir -p "$dir/findings"
for target in "$dir"/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  mkdir -p "$dir/corpus/$name"
  # Whole-pass targets: documents longer than the 8 KiB line buffer; their page
  # lines on standard error are dropped (libFuzzer keeps its own messages).
  case "$name" in
    stream_fuzz|filter_fuzz) flags="-max_len=20000 -close_fd_mask=2" ;;
    *) flags="-max_len=4096" ;;
  esac
  echo "-- $name: ${seconds}s"
  # shellcheck disable=SC2086
  "$target" -max_total_time="$seconds" $flags -print_final_stats=1 \
    -artifact_prefix="$dir/findings/$name-" "$dir/corpus/$name" 2>"$dir/$name.log" || {
    tail -n 40 "$dir/$name.log"
    echo "$name: finding saved in $dir/findings" >&2
    exit 1
  }
  grep -E '^stat::number_of_executed_units' "$dir/$name.log" | sed "s/^/   /" || true
done
