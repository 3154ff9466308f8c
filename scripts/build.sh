#!/bin/sh
# Configures and builds the project: scripts/build.sh [BUILD_DIR [extra cmake args...]]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$root/build"}
[ $# -gt 0 ] && shift
jobs=${OVQ_JOBS:-$(nproc)}
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
fi
cmake --build "$dir" -j "$jobs"
