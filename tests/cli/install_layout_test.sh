#!/usr/bin/env bash
# kartoval-convert finds its tables from where it is installed: prefix/bin
# reads prefix/share/kartoval (also through a symbolic link on the path),
# KARTOVAL_DATA overrides that, and a program that finds no tables says which
# folders it searched.
#   install_layout_test.sh BUILT-PROGRAM
set -euo pipefail
built="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
tables=("$(dirname "$built")"/*.txt)  # every table the build copied beside the program
mkdir -p "$work/usr/bin" "$work/usr/share/kartoval" "$work/path" "$work/own" "$work/bare/bin"
cp "$built" "$work/usr/bin/"
cp "${tables[@]}" "$work/usr/share/kartoval/"
ln -s "$work/usr/bin/kartoval-convert" "$work/path/kartoval-convert"
cp "$built" "$work/bare/bin/"
cp "${tables[@]}" "$work/own/"
expected="$(printf 'P1\t408746.7\t3873499.9')"
for program in "$work/usr/bin/kartoval-convert" "$work/path/kartoval-convert"; do
  out="$(echo "P1 -100 35" | "$program" --from geo --to utm:14N --decimals 1)"
  [ "$out" = "$expected" ] || fail "$program gave '$out'"
done
out="$(echo "P1 -100 35" | KARTOVAL_DATA="$work/own" "$work/bare/bin/kartoval-convert" --from geo --to utm:14N --decimals 1)"
[ "$out" = "$expected" ] || fail "KARTOVAL_DATA gave '$out'"

status=0
echo "P1 -100 35" | "$work/bare/bin/kartoval-convert" --from geo --to utm:14N 2>"$work/err" >/dev/null || status=$?
[ "$status" -ne 0 ] || fail "a run without tables succeeded"
grep -qF "Searched: $work/bare/bin, $work/bare/share/kartoval" "$work/err" || fail "no folders named: $(cat "$work/err")"
echo "install layout checks passed"
