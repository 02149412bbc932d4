#!/usr/bin/env bash
# Installs what is missing, builds and runs every test with CTest.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
scripts/install-deps.sh
scripts/build.sh build
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
