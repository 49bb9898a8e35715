#!/usr/bin/env bash
# Checks that every C++ file of the project is laid out as the checked-in .clang-format says.
# Prints each difference and fails when there is one; `tools/check-format.sh --fix` rewrites the
# files instead. Uses $CLANG_FORMAT, else clang-format-14 (the version CI runs), else clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."

tool=${CLANG_FORMAT:-}
if [[ -z $tool ]]; then
  tool=$(command -v clang-format-14 || command -v clang-format || true)
fi
if [[ -z $tool ]]; then
  echo "tools/check-format.sh: clang-format is not installed (apt-get install clang-format)" >&2
  exit 2
fi

# The files git knows or would add (new ones too), never build trees or ignored files; outside a
# git checkout, those of the project's source folders.
list_sources() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' | sort -u
  else
    find src tests bench \( -name '*.cpp' -o -name '*.h' \) | sort
  fi
}
files=()
while IFS= read -r file; do
  [[ -f $file ]] && files+=("$file")
done < <(list_sources)
if [[ ${1:-} == --fix ]]; then
  "$tool" -i -- "${files[@]}"
  exit 0
fi
if ! "$tool" --dry-run -Werror -- "${files[@]}"; then
  echo "tools/check-format.sh: the files above differ from .clang-format ($("$tool" --version));" \
    "tools/check-format.sh --fix rewrites them" >&2
  exit 1
fi
echo "Format: ${#files[@]} files checked"
