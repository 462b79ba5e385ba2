#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one for a while on a
# copy of its seed corpus.
#
#   bash scripts/fuzz.sh [seconds-per-target]     (default 20)
#
# Two targets run at a time. Prints one line per target with its executions;
# exits non-zero when a target finds a crash, a hang or a failed property (the
# input that did it is kept in build/fuzz/findings/<target>/).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-20}
case "$seconds" in '' | *[!0-9]*) echo "fuzz.sh: seconds must be a whole number" >&2; exit 2 ;; esac

packages="cmake ninja-build clang"
missing=""
for p in $packages; do dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"; done
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq $missing
fi

build=$root/build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DINVOLVO_FUZZ=ON -DINVOLVO_QT=OFF -DBUILD_TESTING=OFF -DINVOLVO_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzzers >/dev/null

targets="input_screen batch_csv numbers printout_options"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Each target's longest input: long enough for real sessions and batches, short
# enough that one input stays fast.
max_len() {
  case "$1" in
    input_screen) echo 512 ;;
    batch_csv) echo 1024 ;;
    *) echo 4096 ;;
  esac
}

run() {
  local t=$1
  rm -rf "$build/findings/$t"
  mkdir -p "$work/$t/corpus" "$build/findings/$t"
  cp fuzz/corpus/"$t"/* "$work/$t/corpus/"
  local status=0
  (cd "$work/$t" && "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=5 -max_len="$(max_len "$t")" \
      -dict="$root/fuzz/$t.dict" -artifact_prefix="$build/findings/$t/" -print_final_stats=1 \
      "$work/$t/corpus" >"$work/$t/log" 2>&1) || status=$?
  echo "$status" >"$work/$t/status"
}

pending=()
for t in $targets; do
  run "$t" &
  pending+=($!)
  if [ ${#pending[@]} -ge 2 ]; then
    wait "${pending[0]}"
    pending=("${pending[@]:1}")
  fi
done
wait

failed=0
for t in $targets; do
  status=$(cat "$work/$t/status")
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$t/log" | tail -1)
  if [ "$status" = 0 ]; then
    printf 'fuzz %-17s %6s s  %9s executions  ok\n' "$t" "$seconds" "${runs:-?}"
  else
    failed=1
    printf 'fuzz %-17s %6s s  %9s executions  FOUND A PROBLEM (exit %s)\n' "$t" "$seconds" "${runs:-?}" "$status"
    grep -E -m3 'ERROR|property failed|runtime error|Test unit written' "$work/$t/log" | sed 's/^/    /' || true
  fi
done
exit "$failed"
