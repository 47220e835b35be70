#!/usr/bin/env bash
# Builds Kartoval (release) and starts it. Installs what the build needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target kartoval kartoval_data
program=build/release/bin/kartoval
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Kartoval under Xvfb (a virtual screen)."
  # Qt wants a private runtime folder, which a plain shell without a desktop session lacks.
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR="$(mktemp -d)"
    export XDG_RUNTIME_DIR
  fi
  # Nobody works in a virtual screen: its run keeps no settings of the user's.
  XDG_CONFIG_HOME="$(mktemp -d)"
  export XDG_CONFIG_HOME
  exec xvfb-run -a "$program" "$@"
fi
exec "$program" "$@"
