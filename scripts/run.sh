#!/usr/bin/env bash
# Starts the desktop program from a build folder; without it, the command-line tool.
set -euo pipefail
build="${1:-build}"
if [ -x "$build/vexilo" ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "vexilo: no display to open the window on; start it under one, e.g.: xvfb-run -a $build/vexilo" >&2
    exit 1
  fi
  exec "$build/vexilo"
fi
exec "$build/vexilo-cli" show samples/easy-10x10-01.ALC
