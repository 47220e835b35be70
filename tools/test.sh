#!/usr/bin/env bash
# Builds Kartoval and runs every test. Installs what the build needs first.
# Usage: tools/test.sh [preset]   (debug by default; asan for the sanitizer build)
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-debug}"
tools/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset" -j2
