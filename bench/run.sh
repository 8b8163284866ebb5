#!/usr/bin/env bash
# Runs every benchmark and prints its figures. Usage: bench/run.sh BUILD_FOLDER
set -euo pipefail
build=${1:-build}
export QT_QPA_PLATFORM=offscreen
echo "== core: random source, parsing, one account, code page 936 conversion"
"$build/bench/bench_core" --benchmark_min_time=0.2
echo "== PumpEvents with an empty queue (target: at most 500 ns)"
"$build/bench/bench_pump" --benchmark_min_time=0.2
echo "== generation through the window (targets: 100,000 in 1 s; 1,000,000 in 10 s under 400 MB)"
for n in 10000 100000 1000000; do "$build/bench/bench_window" generate "$n"; done
echo "== export of a 1,000,000-line list (target: 1 s, at most two copies of the list beside the box)"
"$build/bench/bench_window" export 1000000
if [ -x "$build/src/account-generator-cli" ]; then
    echo "== the command-line tool"
    bench/cli.sh "$build"
fi
