#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it (root on Debian 12).
set -euo pipefail
cd "$(dirname "$0")/.."

packages="cmake ninja-build g++ qt6-base-dev qt6-svg-dev libgl1-mesa-dev libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev"
missing=""
for p in $packages; do dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"; done
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq $missing
fi

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j"$(nproc)"
exec ./build/release/app/involvo "$@"
