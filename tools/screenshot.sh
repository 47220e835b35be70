#!/usr/bin/env bash
# Makes docs/screenshot.png: starts Kartoval under Xvfb, converts one point on
# the "Single Convertion" page (NAD27 Alabama East, the ellipsoid left at
# WGS 84, so the datum notice shows) with Enter in the longitude box, and
# photographs the window with its units and status line.
#
#   tools/screenshot.sh [build-folder]
#
# Without a build folder it configures and builds build/screenshot. Needs
# xvfb-run, xdotool and ImageMagick's import:
#   apt-get install -y xvfb xdotool imagemagick
set -euo pipefail

# Runs inside the virtual display. Without a window manager the window sits
# where it asks to be: its client area's top left at 542, 99. The page's
# controls are reached by their form positions plus the tab bar's height.
photograph() {
  local program="$1" out="$2"
  local left=542 top=99 page_top=26
  "$program" &
  program_pid=$!
  trap 'kill "$program_pid" 2>/dev/null || true' EXIT
  local window
  window="$(xdotool search --sync --onlyvisible --name '^Kartoval$' | head -n 1)"
  sleep 1
  click() { xdotool mousemove "$((left + $1))" "$((top + page_top + $2))" click 1; sleep 0.3; }
  click 420 116                                   # ButNAD27: Alabama East, X and Y in ftUS
  click 210 228 && xdotool type --delay 40 '33.5'     # EditLatitude
  click 210 260 && xdotool type --delay 40 -- '-86.5' # EditLongitude
  xdotool key Return                              # Enter converts
  sleep 1
  import -window "$window" "$out"
}

if [[ "${1:-}" == "--inside-display" ]]; then
  XDG_RUNTIME_DIR="$(mktemp -d)"
  export XDG_RUNTIME_DIR
  photograph "$2" "$3"
  exit 0
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/docs/screenshot.png"

for tool in xvfb-run xdotool import; do
  if ! command -v "$tool" >/dev/null; then
    echo "screenshot.sh: $tool is missing (apt-get install -y xvfb xdotool imagemagick)" >&2
    exit 1
  fi
done

build="${1:-}"
if [[ -z "$build" ]]; then
  build="$root/build/screenshot"
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKARTOVAL_BUILD_TESTS=OFF \
    -DKARTOVAL_BUILD_BENCH=OFF >/dev/null
  cmake --build "$build" -j2 --target kartoval kartoval_data
fi
program="$(cd "$build" && pwd)/bin/kartoval"
[[ -x "$program" ]] || { echo "screenshot.sh: no program at $program" >&2; exit 1; }

mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1280x720x24" "${BASH_SOURCE[0]}" --inside-display "$program" "$out"
echo "Wrote $out"
