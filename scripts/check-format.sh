#!/usr/bin/env bash
# Fails when clang-format would change any C++ file of the repository.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
files=$(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run -Werror $files; then
  echo "clang-format would change the files above: run clang-format -i on them" >&2
  exit 1
fi
