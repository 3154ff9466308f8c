#!/bin/sh
# Renders every page of ovqprint's dialog and every window of the extensions'
# panels to docs/screenshots/*.png, on a private X server (Xvfb) and private
# CUPS queues, with every extension this build has:
#   scripts/screenshots.sh [BUILD_DIR]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
jobs=${OVQ_JOBS:-$(nproc)}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j "$jobs" --target ovqprint-screenshots >/dev/null
out="$root/docs/screenshots"
mkdir -p "$out"
rm -f "$out"/*.png
# One scale factor (the renderer sets its style and fonts): the pictures do not depend on the desktop.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 \
  "$build/bin/ovqprint-screenshots" "$out"
