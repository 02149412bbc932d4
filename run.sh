#!/usr/bin/env bash
# Installs what is missing, builds and starts Tivrel (under Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
scripts/install-deps.sh
scripts/build.sh build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24" build/tivrel "$@"
fi
exec build/tivrel "$@"
