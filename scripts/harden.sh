#!/usr/bin/env bash
# CI's hardening step beyond the test suite: replays the fuzz seeds and fuzzes every parser for
# TIVREL_FUZZ_SECONDS (60 by default) each, two at a time, and prints the time it took.
# The other hardening tests are in the suite itself:
#   ctest --test-dir build -R 'tst_fairness|killtest|injecttest|tst_diskfaults|tst_monkey'
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
started=$SECONDS
scripts/fuzz.sh "${TIVREL_FUZZ_SECONDS:-60}"
echo "hardening: fuzzing took $((SECONDS - started)) s"
