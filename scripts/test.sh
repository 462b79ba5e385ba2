#!/usr/bin/env bash
# Builds everything and runs every test:
#   1. the release build with every test (engine, presenters, printing, shell,
#      command-line tool, random sessions, and the Qt windows on the offscreen
#      platform);
#   2. the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer
#      (LeakSanitizer included);
#   3. each libFuzzer target for a short, bounded time.
# Installs what it needs with apt-get (run as root on Debian 12). No display is
# needed.
set -euo pipefail
cd "$(dirname "$0")/.."

packages="cmake ninja-build g++ qt6-base-dev qt6-svg-dev libgl1-mesa-dev libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev poppler-utils clang libclang-rt-14-dev"
missing=""
for p in $packages; do dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"; done
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq $missing
fi

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== release build and tests"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DINVOLVO_WERROR=ON
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure -j"$jobs"

echo "== the whole suite under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DINVOLVO_SANITIZE=ON -DINVOLVO_WERROR=ON \
  -DINVOLVO_BENCH=OFF
cmake --build build/sanitize -j"$jobs"
ctest --test-dir build/sanitize --output-on-failure -j"$jobs"

echo "== fuzzing, 15 seconds a target"
bash scripts/fuzz.sh 15

echo "== 1000 calculations through the Qt windows: no leak, flat memory"
LEAK_PLAIN_BUILD=build/release bash scripts/leak_check.sh
