#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) in
# build-fuzz, replays every seed of fuzz/corpus, then fuzzes each target for a while, two at a
# time. Fails on any crash, leak, timeout, sanitizer report or broken invariant; the input that
# did it is kept in the work folder and named in the output.
#   scripts/fuzz.sh [seconds per target, 60 by default] [target names...]
# Rerun one input: build-fuzz/fuzz/fuzz_<name> <file>
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
shift || true
build="${TIVREL_FUZZ_BUILD:-$here/build-fuzz}"
work="${TIVREL_FUZZ_WORK:-$build/fuzz-work}"
jobs="${TIVREL_FUZZ_JOBS:-2}"

compiler="$(command -v clang++-14 || command -v clang++)"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Paths below the checkout are hashed relative to it, so a fresh clone elsewhere (as CI
  # makes) finds the objects of earlier builds.
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$here}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
  # The precompiled headers: their definitions and the times in them do not change a result.
  export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
fi
linker=()
command -v ld.lld >/dev/null 2>&1 && linker=(-DTIVREL_LINKER=lld)
# A folder configured with another compiler starts afresh (CMake would drop the options).
if [ -f "$build/CMakeCache.txt" ] && ! grep -qx "CMAKE_CXX_COMPILER:[A-Z]*=$compiler" "$build/CMakeCache.txt"; then
  rm -rf "$build"
fi
# A new folder gets the fuzz targets alone; a folder configured already keeps its other parts
# (CI builds the sanitizer suite and the fuzz targets in one clang folder).
parts=()
[ -f "$build/CMakeCache.txt" ] || parts=(-DTIVREL_BUILD_TESTS=OFF -DTIVREL_BUILD_BENCH=OFF)
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER="$compiler" -DTIVREL_FUZZ=ON "${parts[@]}" "${launcher[@]}" "${linker[@]}" >/dev/null
cmake --build "$build" --target tivrel_fuzzers --parallel "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for binary in "$build"/fuzz/fuzz_*; do
    [ -x "$binary" ] && [ -f "$binary" ] && targets+=("${binary##*/fuzz_}")
  done
fi

rm -rf "$work"
mkdir -p "$work"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8

# One target: the seeds once each, then fuzzing from a copy of them (the repository's corpus
# is left alone). Writes <work>/<name>.log and <work>/<name>.status.
fuzz_one() {
  local name="$1" binary="$build/fuzz/fuzz_$1" seeds="$here/fuzz/corpus/$1"
  local corpus="$work/$name-corpus" log="$work/$name.log" dict=()
  [ -f "$here/fuzz/dict/$name.dict" ] && dict=(-dict="$here/fuzz/dict/$name.dict")
  mkdir -p "$corpus"
  [ -d "$seeds" ] && cp -r "$seeds/." "$corpus/"
  local options=(-timeout=25 -rss_limit_mb=2560 -artifact_prefix="$work/$name-" "${dict[@]}")
  if ! (cd "$work" && "$binary" "${options[@]}" -runs=0 "$corpus") >"$log" 2>&1; then
    echo "replay" >"$work/$name.status"
    return
  fi
  if ! (cd "$work" && "$binary" "${options[@]}" -seed=1 -max_total_time="$seconds" \
          -print_final_stats=1 "$corpus") >>"$log" 2>&1; then
    echo "fuzz" >"$work/$name.status"
    return
  fi
  echo "ok" >"$work/$name.status"
}

running=0
for name in "${targets[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  fuzz_one "$name" &
  running=$((running + 1))
done
wait || true

failed=0
printf '%-12s %-7s %12s %8s %8s\n' target result executions cov features
for name in "${targets[@]}"; do
  status="$(cat "$work/$name.status" 2>/dev/null || echo "missing")"
  log="$work/$name.log"
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  done_line="$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true)"
  cov="$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$done_line")"
  ft="$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$done_line")"
  printf '%-12s %-7s %12s %8s %8s\n' "$name" "$status" "${runs:--}" "${cov:--}" "${ft:--}"
  if [ "$status" != "ok" ]; then
    failed=1
    echo "---- $name ($status): $log"
    grep -E 'ERROR|runtime error|invariant failed|Test unit written|SUMMARY' "$log" | head -20 || true
  fi
done
exit "$failed"
