#!/usr/bin/env bash
# Starts the program's main job from a build folder.
set -euo pipefail
build="${1:-build}"
if [ -x "$build/vexilo" ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found. Start Vexilo under a display server, e.g.: xvfb-run -a $build/vexilo" >&2
    exit 1
  fi
  exec "$build/vexilo"
fi
exec "$build/vexilo-cli" show samples/easy-10x10-01.ALC
