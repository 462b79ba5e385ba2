#!/usr/bin/env bash
# The long session: 1000 calculations through the Qt windows (offscreen), every
# page opened and closed, now and then the printout options cancelled.
#
#   1. under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer: no
#      error, no leak of ours (tests/lsan.supp names the third-party ones);
#   2. without sanitizers: the resident memory after 100 and after 1000
#      calculations, and the heap in use, which must stay flat;
#   3. when valgrind is installed, a shorter session under memcheck
#      (tests/valgrind.supp): no leak definitely or indirectly lost.
#
# Environment: INVOLVO_SOAK (calculations, default 1000), INVOLVO_VALGRIND_SOAK
# (default 100, 0 skips valgrind), LEAK_SAN_BUILD and LEAK_PLAIN_BUILD (build
# folders, default build/sanitize and build/leak).
set -euo pipefail
cd "$(dirname "$0")/.."

count=${INVOLVO_SOAK:-1000}
valgrind_count=${INVOLVO_VALGRIND_SOAK:-100}
san=${LEAK_SAN_BUILD:-build/sanitize}
plain=${LEAK_PLAIN_BUILD:-build/leak}
jobs=$(nproc)
root=$PWD
log=$(mktemp -d)
trap 'rm -rf "$log"' EXIT
export QT_QPA_PLATFORM=offscreen

figure() { grep -h '^soak:' "$1" | tail -1; }

echo "== sanitizers: $count calculations"
cmake -S . -B "$san" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DINVOLVO_SANITIZE=ON -DINVOLVO_WERROR=ON -DINVOLVO_QT=ON >/dev/null
cmake --build "$san" -j"$jobs" --target qt_tests
start=$(date +%s)
status=0
LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0" INVOLVO_SOAK=$count \
  "$san/tests/qt_tests" --gtest_filter='Soak.*' >"$log/san.txt" 2>&1 || status=$?
san_seconds=$(( $(date +%s) - start ))
if [ "$status" -ne 0 ]; then
  grep -v 'does not support' "$log/san.txt" | tail -60
  echo "leak_check: the sanitizer run failed (exit $status)"
  exit 1
fi

echo "== without sanitizers: $count calculations"
# A build folder that exists (the release build, from the test command) is
# used as it is configured: configuring it again would rebuild it all.
if [ ! -f "$plain/CMakeCache.txt" ]; then
  cmake -S . -B "$plain" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DINVOLVO_BENCH=OFF -DINVOLVO_QT=ON -DINVOLVO_WERROR=OFF >/dev/null
fi
cmake --build "$plain" -j"$jobs" --target qt_tests
start=$(date +%s)
status=0
INVOLVO_SOAK=$count "$plain/tests/qt_tests" --gtest_filter='Soak.*' >"$log/plain.txt" 2>&1 || status=$?
plain_seconds=$(( $(date +%s) - start ))
if [ "$status" -ne 0 ]; then
  grep -v 'does not support' "$log/plain.txt" | tail -60
  echo "leak_check: the run without sanitizers failed (exit $status)"
  exit 1
fi

passed=2
valgrind_line="valgrind: not installed, skipped"
if [ "$valgrind_count" -gt 0 ] && command -v valgrind >/dev/null; then
  echo "== valgrind memcheck: $valgrind_count calculations"
  start=$(date +%s)
  status=0
  INVOLVO_SOAK=$valgrind_count valgrind --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect --error-exitcode=3 --num-callers=40 \
    --suppressions="$root/tests/valgrind.supp" \
    "$plain/tests/qt_tests" --gtest_filter='Soak.*' >"$log/valgrind.txt" 2>&1 || status=$?
  valgrind_seconds=$(( $(date +%s) - start ))
  if [ "$status" -ne 0 ]; then
    grep -v 'does not support' "$log/valgrind.txt" | grep -A40 -E 'definitely lost in|indirectly lost in|Invalid|uninitialised|FAILED' | head -120
    echo "leak_check: valgrind found errors or leaks (exit $status)"
    exit 1
  fi
  lost=$(grep -E 'definitely lost:|indirectly lost:' "$log/valgrind.txt" | sed 's/^==[0-9]*== *//' | tr '\n' ';')
  valgrind_line="valgrind: $valgrind_count calculations in ${valgrind_seconds}s, no error; ${lost:-no leak}"
  passed=3
elif [ "$valgrind_count" -eq 0 ]; then
  valgrind_line="valgrind: skipped"
fi

echo
echo "sanitizers: $count calculations in ${san_seconds}s, no error and no leak"
echo "  $(figure "$log/san.txt")"
echo "  (the address sanitizer's quarantine holds freed memory: its figures are not a measure)"
echo "without sanitizers: $count calculations in ${plain_seconds}s"
echo "  $(figure "$log/plain.txt")"
echo "$valgrind_line"
echo "leak_check: $passed passed, 0 failed"
