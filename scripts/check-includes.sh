#!/usr/bin/env bash
# Fails when a file under src/ includes a header of a folder above its own. The folders, lowest
# first (docs/architecture.md says why):
#   platform < localisation < draw < results < web < presentation < settings < app
# A folder may include its own headers and those of the folders below it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
order=(platform localisation draw results web presentation settings app)
rank() {
  local i
  for i in "${!order[@]}"; do
    [[ ${order[$i]} == "$1" ]] && { echo "$i"; return; }
  done
  echo -1
}
status=0
while IFS= read -r file; do
  folder=${file#src/}
  folder=${folder%%/*}
  own=$(rank "$folder")
  if ((own < 0)); then
    echo "$file: the folder $folder is not in the include order of scripts/check-includes.sh" >&2
    status=1
    continue
  fi
  while IFS=: read -r line target; do
    if (($(rank "$target") > own)); then
      echo "$file:$line: $folder includes $target, which lies above it" >&2
      status=1
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[a-z]+/' "$file" |
             sed -E 's|^([0-9]+):[^"]*"([a-z]+)/.*|\1:\2|' || true)
done < <(git ls-files 'src/*/*.cpp' 'src/*/*.h')
if ((status != 0)); then
  echo "includes above run up the folder order: give the lower folder a small interface or an" \
    "error kind that the caller words" >&2
fi
exit $status
