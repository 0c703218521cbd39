#!/usr/bin/env bash
# Checks that every C++ file of the tree is formatted as .clang-format says.
# Prints the files that are not and fails; changes nothing.
#   check-format.sh          the whole tree (the files git knows)
#   check-format.sh FILE...  only these files
# To format a file: clang-format -i FILE
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "check-format.sh: clang-format is not installed" >&2; exit 2; }

if [ $# -gt 0 ]; then
  files=("$@")
else
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
fi

unformatted=()
for f in "${files[@]}"; do
  if ! clang-format --style=file --dry-run --Werror "$f" >/dev/null 2>&1; then
    unformatted+=("$f")
  fi
done

if [ ${#unformatted[@]} -ne 0 ]; then
  printf 'not formatted: %s\n' "${unformatted[@]}"
  echo "check-format.sh: ${#unformatted[@]} of ${#files[@]} files need clang-format -i"
  exit 1
fi
echo "check-format.sh: ${#files[@]} files formatted"
