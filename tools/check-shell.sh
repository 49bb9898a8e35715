#!/usr/bin/env bash
# Checks every shell script of the project with shellcheck: the files git knows (new ones too)
# whose first line starts them with sh or bash, .ci/run included. Prints each finding and fails
# when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v shellcheck >/dev/null; then
  echo "tools/check-shell.sh: shellcheck is not installed (apt-get install shellcheck)" >&2
  exit 2
fi

# The files git knows or would add, never build trees or ignored files; outside a git checkout,
# those of the project's own folders.
list_files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files --cached --others --exclude-standard | sort -u
  else
    find .ci bench fuzz tools -type f | sort
  fi
}
scripts=()
while IFS= read -r file; do
  [[ -f $file ]] || continue
  IFS= read -r first <"$file" || true
  [[ $first =~ ^\#!.*[/\ ](ba)?sh$ ]] && scripts+=("$file")
done < <(list_files)

shellcheck -- "${scripts[@]}"
echo "Shell scripts: ${#scripts[@]} files checked"
