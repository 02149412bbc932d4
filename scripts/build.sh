#!/usr/bin/env bash
# Configures and builds one build folder: scripts/build.sh <folder> [extra cmake options...]
# Uses ccache when it is installed, so several build folders and clones share their objects.
# TIVREL_DEBUG_INFO=full|lines|none (full by default) sets how much debug information the
# optimised build (RelWithDebInfo: -O2, NDEBUG) carries; the code and its checks stay the same.
# CI needs none, or the file and line in sanitizer reports (lines), which compile and link faster.
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
case "${TIVREL_DEBUG_INFO:-full}" in
  full) debug="-g" ;;
  lines) debug="-g1" ;;  # line tables and function names only
  none) debug="" ;;
  *) echo "TIVREL_DEBUG_INFO must be full, lines or none" >&2; exit 2 ;;
esac
# CMake's own RelWithDebInfo flags, with the debug information chosen above.
flags=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2${debug:+ $debug} -DNDEBUG")
# lld links the many test programs several times faster than the default linker.
linker=()
if command -v ld.lld >/dev/null 2>&1; then
  linker=(-DTIVREL_LINKER=lld)
fi
cmake -S "$here" -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${flags[@]}" \
  "${linker[@]}" "$@" >/dev/null
cmake --build "$folder" --parallel "$(nproc)"
