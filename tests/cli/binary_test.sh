#!/usr/bin/env bash
# kartoval-convert as its users run it: installed beside its data tables, in a
# pipe, and with an output in a folder the user may not write (run as nobody
# when the tests run as root, who may write anywhere).
#   binary_test.sh BUILT-PROGRAM
set -euo pipefail
built="$1"
work="$(mktemp -d)"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cp "$built" "$(dirname "$built")"/{ellips.txt,nad27.txt,nad83.txt,zone_codes.txt} "$work/"
chmod 755 "$work"
program="$work/kartoval-convert"
fail() { echo "FAILED: $*" >&2; exit 1; }

# Read whole first: grep -q stops reading at its match, and a help longer
# than one pipe write would then end in SIGPIPE.
help="$("$program" --help)"
grep -q '^Usage: kartoval-convert --from CRS --to CRS' <<<"$help" || fail "--help"

out="$(printf 'P1 -9.5 38.7 12.5\n' | "$program" --from geo --to utm:29N |
       "$program" --from utm:29N --to geo --decimals 6)"
[ "$out" = "$(printf 'P1\t-9.500000\t38.700000\t12.5')" ] || fail "round trip through a pipe gave '$out'"

mkdir "$work/readonly"
chmod 555 "$work/readonly"
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(runuser -u nobody --)
status=0
echo "1 -9.5 38.7" | "${as_user[@]}" "$program" --from geo --to utm:29N - "$work/readonly/out.txt" 2>"$work/err" ||
  status=$?
[ "$status" -eq 3 ] || fail "read-only folder: exit status $status, not 3"
grep -q "Can't write the output file" "$work/err" || fail "read-only folder: $(cat "$work/err")"
[ -z "$(ls -A "$work/readonly")" ] || fail "read-only folder: something was written"
echo "kartoval-convert binary checks passed"
