#!/usr/bin/env bash
# Builds everything and runs every test: the release build with all tests, then
# the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
# Installs what it needs with apt-get (run as root on Debian 12).
set -euo pipefail
cd "$(dirname "$0")/.."

packages="cmake ninja-build g++ qt6-base-dev libgl1-mesa-dev libgtest-dev libgmock-dev libbenchmark-dev poppler-utils"
missing=""
for p in $packages; do dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"; done
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq $missing
fi

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DINVOLVO_WERROR=ON
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure -j"$jobs"

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DINVOLVO_SANITIZE=ON -DINVOLVO_QT=OFF -DINVOLVO_WERROR=ON
cmake --build build/sanitize -j"$jobs"
ctest --test-dir build/sanitize --output-on-failure -j"$jobs"
