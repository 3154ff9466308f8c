#!/bin/sh
# Installs what is missing, builds, and runs every test: the plain build, then
# the same tests under AddressSanitizer + UndefinedBehaviorSanitizer, then the
# bounded fuzz runs.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${OVQ_JOBS:-$(nproc)}

"$root/scripts/install-deps.sh"

echo "== Format =="
(cd "$root" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror)

echo "== Plain build =="
"$root/scripts/build.sh" "$root/build" -DOVQ_WERROR=ON
(cd "$root/build" && ctest -j "$jobs" --output-on-failure)

echo "== Sanitizer build (ASan + UBSan) =="
"$root/scripts/build.sh" "$root/build-asan" -DOVQ_WERROR=ON -DOVQ_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
# Leaks that third-party libraries (Qt's platform plugins, fontconfig, D-Bus) keep are suppressed; ours are not.
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$root/tests/support/lsan-suppressions.txt:print_suppressions=0" \
  ctest -j "$jobs" --output-on-failure)

if [ -x "$root/scripts/fuzz.sh" ]; then
  echo "== Fuzzing (bounded) =="
  "$root/scripts/fuzz.sh"
fi
