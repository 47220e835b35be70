#!/usr/bin/env bash
# Makes docs/datum-shift.png: starts Kartoval under Xvfb, shifts one NAD27
# Texas South Central point (US survey feet) to NAD83 Texas South Central
# (metres) on the "Datum Shift" page and photographs the window.
#
#   tools/datum_screenshot.sh [build-folder]
#
# Without a build folder it configures and builds build/screenshot. Needs
# xvfb-run, xdotool and ImageMagick's import:
#   apt-get install -y xvfb xdotool imagemagick
set -euo pipefail

# Runs inside the virtual display. Without a window manager the window sits
# where it asks to be: its client area's top left at 542, 99. The page's
# controls are reached by their positions in the page's layout.
photograph() {
  local program="$1" out="$2"
  local left=542 top=99
  "$program" &
  program_pid=$!
  trap 'kill "$program_pid" 2>/dev/null || true' EXIT
  local window
  window="$(xdotool search --sync --onlyvisible --name '^Kartoval$' | head -n 1)"
  sleep 1
  click() { xdotool mousemove "$((left + $1))" "$((top + $2))" click 1; sleep 0.4; }
  click "${TAB_X:-300}" 12                          # the "Datum Shift" tab
  if [[ -n "${PROBE:-}" ]]; then import -window "$window" "$out"; return; fi
  click "${NAD27_BOX_X:-170}" "${BOX_Y:-74}"        # BoxNad27Side: open the list
  xdotool type --delay 30 'Texas South C' && xdotool key Return && sleep 0.3
  click "${NAD83_BOX_X:-500}" "${BOX_Y:-74}"        # BoxNad83Side
  xdotool type --delay 30 'Texas South C' && xdotool key Return && sleep 0.3
  click "${NAD27_EDIT_X:-200}" "${EDIT1_Y:-102}" && xdotool type --delay 30 '2000000'
  click "${NAD27_EDIT_X:-200}" "${EDIT2_Y:-130}" && xdotool type --delay 30 '700000'
  xdotool key Return                                # Enter shifts from the side typed in
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
out="${OUT:-$root/docs/datum-shift.png}"

for tool in xvfb-run xdotool import; do
  if ! command -v "$tool" >/dev/null; then
    echo "datum_screenshot.sh: $tool is missing (apt-get install -y xvfb xdotool imagemagick)" >&2
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
[[ -x "$program" ]] || { echo "datum_screenshot.sh: no program at $program" >&2; exit 1; }

mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1280x720x24" "${BASH_SOURCE[0]}" --inside-display "$program" "$out"
echo "Wrote $out"
