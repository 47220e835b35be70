#!/usr/bin/env bash
# Makes the README's two pictures under Xvfb:
# - docs/screenshot.png: one point converted on the "Single Convertion" page
#   (NAD27 Alabama East, the ellipsoid left at WGS 84, so the datum notice
#   shows) with Enter in the longitude box: units, notice and status line;
# - docs/datum-shift.png: one NAD27 Texas South Central point (US survey
#   feet) shifted to NAD83 Texas South Central (metres) on the "Datum Shift" page.
#
#   tools/screenshot.sh [build-folder]
#
# Without a build folder it configures and builds build/screenshot. Needs
# xvfb-run, xdotool and ImageMagick's import:
#   apt-get install -y xvfb xdotool imagemagick
set -euo pipefail

# Without a window manager the window sits where it asks to be: its client
# area's top left at 542, 99.
left=542
top=99
click() { xdotool mousemove "$((left + $1))" "$((top + $2))" click 1; sleep 0.4; }

# The single-point page's controls by their form positions plus the tab
# bar's height (26).
single_page() {
  click 420 142                                       # ButNAD27: Alabama East, X and Y in ftUS
  click 210 254 && xdotool type --delay 40 '33.5'     # EditLatitude
  click 210 286 && xdotool type --delay 40 -- '-86.5' # EditLongitude
  xdotool key Return                                  # Enter converts
}

# The datum page's controls by their positions in its layout.
datum_page() {
  click 300 12                                        # the "Datum Shift" tab
  click 170 74                                        # BoxNad27Side: open the list
  xdotool type --delay 30 'Texas South C' && xdotool key Return && sleep 0.3
  click 500 74                                        # BoxNad83Side
  xdotool type --delay 30 'Texas South C' && xdotool key Return && sleep 0.3
  click 200 102 && xdotool type --delay 30 '2000000'
  click 200 130 && xdotool type --delay 30 '700000'
  xdotool key Return                                  # Enter shifts from the side typed in
}

# Runs inside the virtual display: starts the program, works the page, photographs the window.
photograph() {
  local program="$1" page="$2" out="$3"
  "$program" &
  local program_pid=$!
  local window
  window="$(xdotool search --sync --onlyvisible --name '^Kartoval$' | head -n 1)"
  sleep 1
  "$page"
  sleep 1
  import -window "$window" "$out"
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
}

if [[ "${1:-}" == "--inside-display" ]]; then
  XDG_RUNTIME_DIR="$(mktemp -d)"
  export XDG_RUNTIME_DIR
  photograph "$2" single_page "$3/screenshot.png"
  photograph "$2" datum_page "$3/datum-shift.png"
  exit 0
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
docs="$root/docs"

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

mkdir -p "$docs"
xvfb-run -a -s "-screen 0 1280x720x24" "${BASH_SOURCE[0]}" --inside-display "$program" "$docs"
echo "Wrote $docs/screenshot.png and $docs/datum-shift.png"
