#!/bin/sh
# Installs the Debian packages the project needs to build and test (run as root).
# Only what is missing is installed; a machine that has everything is left alone.
set -eu

PACKAGES="
build-essential cmake ninja-build pkg-config python3
libcups2-dev cups cups-client cups-bsd cups-filters
libgtest-dev libgmock-dev googletest
ghostscript fonts-noto-mono
libicu-dev libpugixml-dev
printer-driver-postscript-hp
clang clang-format libclang-rt-14-dev
qt6-base-dev qt6-tools-dev libqt6opengl6-dev
xvfb xauth tzdata
fonts-dejavu-core fonts-droid-fallback
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing
fi
