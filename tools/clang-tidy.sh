#!/usr/bin/env bash
# Runs clang-tidy with the checked-in .clang-tidy over the program's sources (src/), one process
# a core, reading the compiler flags from the build folder's compile_commands.json. Prints every
# finding once (a header's findings come from each file that includes it), then the count per
# check, and fails when there is a finding or a file does not compile.
#
#   tools/clang-tidy.sh [BUILD_DIR]      default: build (configured by `make build`, or
#                                        cmake -S . -B build -G Ninja)
# Uses $CLANG_TIDY, else clang-tidy-14 (the version CI runs), else clang-tidy.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

tool=${CLANG_TIDY:-}
if [[ -z $tool ]]; then
  tool=$(command -v clang-tidy-14 || command -v clang-tidy || true)
fi
if [[ -z $tool ]]; then
  echo "tools/clang-tidy.sh: clang-tidy is not installed (apt-get install clang-tidy)" >&2
  exit 2
fi
if [[ ! -f $build/compile_commands.json ]]; then
  echo "tools/clang-tidy.sh: no $build/compile_commands.json; configure first (make build)" >&2
  exit 2
fi

# The translation units of src/ that the build compiles; files CMake generates (Qt's moc) are
# its own business.
sources=()
while IFS= read -r file; do
  sources+=("$file")
done < <(sed -n 's|^ *"file": "\(.*\)",\{0,1\}$|\1|p' "$build/compile_commands.json" |
  grep "^$PWD/src/.*\.cpp$" | sort -u)
if ((${#sources[@]} == 0)); then
  echo "tools/clang-tidy.sh: $build/compile_commands.json names no file of src/" >&2
  exit 2
fi

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
# One log a source file; a file that does not compile is an error line in its log. The inner
# shell expands its own arguments, hence the single quotes.
# shellcheck disable=SC2016
printf '%s\n' "${sources[@]}" |
  xargs -P "$(nproc)" -I {} sh -c '"$1" -p "$2" --quiet "$3" >"$4/$(basename "$3").log" 2>&1 || true' \
    tidy "$tool" "$build" {} "$logs"

findings=$(cat "$logs"/*.log | grep -E '^/.*: (warning|error): .* \[[a-z0-9.,-]+\]$' | sort -u || true)
if [[ -z $findings ]]; then
  echo "clang-tidy: ${#sources[@]} files of src/, no finding"
  exit 0
fi
printf '%s\n' "$findings" | sed "s|^$PWD/||"
echo
echo "clang-tidy: findings per check in ${#sources[@]} files of src/:"
printf '%s\n' "$findings" | sed -E 's/.*\[([^]]+)\]$/\1/' | sort | uniq -c | sort -rn
exit 1
