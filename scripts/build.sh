#!/usr/bin/env bash
# Configures and builds one build folder: scripts/build.sh <folder> [extra cmake options...]
# Uses ccache when it is installed, so several build folders and clones share their objects.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
folder="$1"; shift
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Paths below the checkout are hashed relative to it, so a fresh clone elsewhere (as CI
  # makes) finds the objects of earlier builds.
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$here}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
  # The precompiled headers: their definitions and the times in them do not change a result.
  export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
fi
# lld links the many test programs several times faster than the default linker.
linker=()
if command -v ld.lld >/dev/null 2>&1; then
  linker=(-DTIVREL_LINKER=lld)
fi
cmake -S "$here" -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${linker[@]}" "$@" \
  >/dev/null
cmake --build "$folder" --parallel "$(nproc)"
