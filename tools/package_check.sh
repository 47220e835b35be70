#!/usr/bin/env bash
# Builds the Debian package and proves it: unpacked into a scratch root, the
# installed kartoval-convert converts a sample file and shifts a datum from
# there with only PATH pointing at it, its manual pages render, the completion
# and the desktop entry are in place, and the dependencies were computed.
#   tools/package_check.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset package >/dev/null
cmake --build --preset package --target package
deb="$(ls -t build/package/kartoval_*.deb | head -1)"
echo "Checking $deb"

root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
fail() { echo "FAILED: $*" >&2; exit 1; }

depends="$(dpkg-deb -f "$deb" Depends)"
grep -q 'libproj25' <<<"$depends" || fail "Depends lacks libproj25: $depends"
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks Qt: $depends"

for file in usr/bin/kartoval usr/bin/kartoval-convert usr/share/kartoval/ellips.txt \
            usr/share/kartoval/grids/SHA256SUMS usr/share/applications/kartoval.desktop \
            usr/share/icons/hicolor/scalable/apps/kartoval.svg usr/share/doc/kartoval/copyright \
            usr/share/bash-completion/completions/kartoval-convert usr/share/zsh/vendor-completions/_kartoval-convert; do
  [ -e "$root/$file" ] || fail "$file is not in the package"
done
(cd "$root/usr/share/kartoval/grids" && sha256sum --quiet -c SHA256SUMS) || fail "grid checksums"
ls "$root"/usr/lib/*/kartoval/libkartoval_datum_proj.so >/dev/null || fail "no datum plugin"

# The installed program finds its tables as bin/../share/kartoval and its
# plugin in lib/.../kartoval, wherever the root is.
unset KARTOVAL_DATA KARTOVAL_DATUM_ENGINE
printf 'point easting northing\nSP101 456521.767 4283604.735\n' >"$root/shots.txt"
PATH="$root/usr/bin:$PATH" kartoval-convert --from utm:29N --to geo --header 1 --decimals 6 \
  "$root/shots.txt" "$root/shots-deg.txt"
[ "$(tail -1 "$root/shots-deg.txt")" = "$(printf 'SP101\t-9.500000\t38.700000')" ] ||
  fail "installed conversion gave: $(cat "$root/shots-deg.txt")"
out="$(echo "P1 -100 35" | PATH="$root/usr/bin:$PATH" kartoval-convert --from geo:nad27 --to geo:nad83 --decimals 6)"
[ "$out" = "$(printf 'P1\t-100.000384\t35.000053')" ] || fail "installed datum shift gave '$out'"
# Read whole first: grep -q stops at its match and the help would die of SIGPIPE.
help="$(PATH="$root/usr/bin:$PATH" kartoval-convert --help)" || fail "--help exit status"
grep -q '^Usage: kartoval-convert' <<<"$help" || fail "--help"

for page in kartoval-convert kartoval; do
  text="$(MANWIDTH=80 man -l "$root/usr/share/man/man1/$page.1.gz" 2>&1)"
  grep -q "^NAME" <<<"$text" || fail "man $page does not render: $text"
  if grep -q 'warning' <<<"$text"; then fail "man $page: $text"; fi
done
MANWIDTH=80 man -l "$root/usr/share/man/man1/kartoval-convert.1.gz" | grep -q -- '--report-shift' ||
  fail "the manual lacks an option of --help"
desktop-file-validate "$root/usr/share/applications/kartoval.desktop" || fail "desktop entry"
echo "package checks passed: $deb"
