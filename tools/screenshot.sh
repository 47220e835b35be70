#!/usr/bin/env bash
# Makes the README's three pictures under Xvfb:
# - docs/screenshot.png: one point converted on the "Single Convertion" page
#   of a window enlarged to 900x520 (NAD27 Alabama East, the ellipsoid left at
#   WGS 84, so the datum notice shows) with Enter in the longitude box: units,
#   notice, the details line and the status bar;
# - docs/file-page.png: the "File Convertion" page in the same enlarged window;
# - docs/datum-shift.png: one NAD27 Texas South Central point (US survey
#   feet) shifted to NAD83 Texas South Central (metres) on the "Datum Shift" page.
#
#   tools/screenshot.sh [build-folder]
#
# Without a build folder it configures and builds build/screenshot. Needs
# xvfb-run, xdotool and ImageMagick's import:
#   apt-get install -y xvfb xdotool imagemagick
set -euo pipefail

# Without a window manager the window sits where it asks to be; photograph()
# reads its client area's top left into left and top.
left=0
top=0
click() { xdotool mousemove "$((left + $1))" "$((top + $2))" click 1; sleep 0.4; }

# The controls by their places in the laid-out window at its start size
# (the menu bar, then the tab bar, then the page).
# The Single and File pages are shown enlarged, to 900x520.
single_page() {
  click 180 32                                        # the "Single Convertion" tab
  click 536 150                                       # ButNAD27: Alabama East, X and Y in ftUS
  click 394 241 && xdotool type --delay 40 '33.5'     # EditLatitude
  click 394 269 && xdotool type --delay 40 -- '-86.5' # EditLongitude
  xdotool key Return                                  # Enter converts
}

file_page() {
  click 55 32                                         # the "File Convertion" tab
  click 484 352                                       # BoxKeepColumns
}

datum_page() {
  click 292 32                                        # the "Datum Shift" tab
  click 207 95                                        # BoxNad27Side: open the list
  xdotool type --delay 30 'Texas South C' && xdotool key Return && sleep 0.3
  click 536 95                                        # BoxNad83Side
  xdotool type --delay 30 'Texas South C' && xdotool key Return && sleep 0.3
  click 207 124 && xdotool type --delay 30 '2000000'
  click 207 152 && xdotool type --delay 30 '700000'
  xdotool key Return                                  # Enter shifts from the side typed in
}

# Runs inside the virtual display: starts the program, works the page, photographs the window.
photograph() {
  local program="$1" page="$2" out="$3" size="${4:-}"
  "$program" &
  local program_pid=$!
  local window
  window="$(xdotool search --sync --onlyvisible --name '^Kartoval$' | head -n 1)"
  sleep 1
  if [[ -n "$size" ]]; then
    xdotool windowsize "$window" ${size/x/ }
    sleep 1
  fi
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$window")"
  left=$X
  top=$Y
  "$page"
  sleep 1
  import -window "$window" "$out"
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
}

if [[ "${1:-}" == "--inside-display" ]]; then
  XDG_RUNTIME_DIR="$(mktemp -d)"
  # A settings folder of its own: the pictures show the first start, and the
  # user's remembered settings are neither read nor changed.
  XDG_CONFIG_HOME="$XDG_RUNTIME_DIR/config"
  export XDG_RUNTIME_DIR XDG_CONFIG_HOME
  photograph "$2" single_page "$3/screenshot.png" 900x520
  photograph "$2" file_page "$3/file-page.png" 900x520
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
xvfb-run -a -s "-screen 0 1920x1080x24" "${BASH_SOURCE[0]}" --inside-display "$program" "$docs"
echo "Wrote $docs/screenshot.png, $docs/file-page.png and $docs/datum-shift.png"
