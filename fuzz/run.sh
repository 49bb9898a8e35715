#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, address and undefined-behaviour sanitizers) and runs
# each for a while, starting from the seeds in fuzz/corpus. What a run learns is kept in
# BUILD_DIR/corpus for the next run; an input that breaks a target is written to BUILD_DIR/findings
# and the script exits 1.
#
#   fuzz/run.sh [BUILD_DIR] [SECONDS]      defaults: build-fuzz, 60 seconds per target
# Run one input again: BUILD_DIR/<target>_fuzzer BUILD_DIR/findings/<file>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../build-fuzz"}
seconds=${2:-60}
targets=(masks text_lines descriptions utils)

# clang and its libFuzzer runtime, with whatever the program needs; only fuzzing needs clang.
bash "$here/../tools/install-deps.sh" clang libclang-rt-dev
if [[ ! -f "$build/build.ninja" ]]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}"
fi
cmake --build "$build"

mkdir -p "$build/findings" "$build/logs"
status=0
for target in "${targets[@]}"; do
  mkdir -p "$build/corpus/$target"
  log="$build/logs/$target.log"
  if "$build/${target}_fuzzer" -max_total_time="$seconds" -artifact_prefix="$build/findings/$target-" \
      "$build/corpus/$target" "$here/corpus/$target" >"$log" 2>&1; then
    echo "fuzz: $target: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log" | tail -1)"
  else
    echo "fuzz: $target FAILED (log: $log)"
    grep -E 'check failed|ERROR|runtime error|Test unit written' "$log" | head -5 || true
    status=1
  fi
done
exit $status
