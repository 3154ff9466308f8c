#!/bin/sh
# Builds the libFuzzer targets with clang under ASan + UBSan and runs each one
# for a bounded time: scripts/fuzz.sh [SECONDS_PER_TARGET] (default 30, or
# OVQ_FUZZ_SECONDS). Corpora grow in build-fuzz/corpus/<target>; a finding
# stops the run with the failing input saved in build-fuzz/findings.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-${OVQ_FUZZ_SECONDS:-30}}
dir="$root/build-fuzz"

jobs=${OVQ_JOBS:-$(nproc)}

if [ ! -f "$dir/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DOVQ_FUZZ=ON -DOVQ_SANITIZE=ON >/dev/null
fi
cmake --build "$dir" -j "$jobs" --target ovq_fuzz

mkdir -p "$dir/findings"
for target in "$dir"/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  mkdir -p "$dir/corpus/$name"
  echo "-- $name: ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=0 \
    -artifact_prefix="$dir/findings/$name-" "$dir/corpus/$name" 2>"$dir/$name.log" || {
    tail -n 40 "$dir/$name.log"
    echo "$name: finding saved in $dir/findings" >&2
    exit 1
  }
done
