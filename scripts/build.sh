#!/usr/bin/env bash
# Configures and builds one build folder: scripts/build.sh <folder> [extra cmake options...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
folder="$1"; shift
cmake -S "$here" -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$folder" --parallel "$(nproc)"
