#!/usr/bin/env bash
# Builds the core libraries and their tests with AddressSanitizer + UndefinedBehaviorSanitizer,
# and the thumbnail worker tests with ThreadSanitizer, then runs them. Any finding fails the run.
#
#   tools/sanitize.sh [address|thread]...    both trees when none is named
#
# The trees are build-asan/ and build-tsan/ (or $SANITIZE_BUILD_PREFIX-asan, -tsan). Extra CMake
# arguments come from $CMAKE_ARGS (-DCMAKE_CXX_COMPILER_LAUNCHER=ccache, for one). Options of your
# own in ASAN_OPTIONS, UBSAN_OPTIONS or TSAN_OPTIONS come after these and win.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
prefix=${SANITIZE_BUILD_PREFIX:-$source_dir/build}
read -r -a cmake_args <<<"${CMAKE_ARGS:-}"

kinds=("$@")
((${#kinds[@]} > 0)) || kinds=(address thread)

# Every finding ends the test program that made it with a non-zero status; nothing is only
# printed. Leaks are findings too.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}
# Only our own (instrumented) code is checked for races. libvips hands image regions between its
# worker threads under GLib locks built on raw futexes, which ThreadSanitizer cannot see, so
# every such hand-over inside libvips, libpng or zlib would look like a race that is not one.
export TSAN_OPTIONS=ignore_noninstrumented_modules=1:halt_on_error=1:second_deadlock_stack=1${TSAN_OPTIONS:+:$TSAN_OPTIONS}

for kind in "${kinds[@]}"; do
  case $kind in
    address) dir=$prefix-asan ;;
    thread) dir=$prefix-tsan ;;
    *) echo "tools/sanitize.sh: unknown sanitizer '$kind' (address or thread)" >&2; exit 2 ;;
  esac
  echo "== $kind sanitizer tree: $dir"
  cmake -S "$source_dir" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE= -DZETGALLERY_SANITIZE="$kind" \
    "${cmake_args[@]}" >/dev/null
  cmake --build "$dir" --target sanitizer_tests
  (cd "$dir" && ctest --output-on-failure --timeout 300 -j "$(nproc)")
done
