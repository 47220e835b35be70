#!/usr/bin/env bash
# kartoval-convert as its users run it: installed beside its data tables, in a
# pipe, and with an output in a folder the user may not write (run as nobody
# when the tests run as root, who may write anywhere).
#   binary_test.sh BUILT-PROGRAM
set -euo pipefail
built="$1"
work="$(mktemp -d)"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cp "$built" "$(dirname "$built")"/{ellips.txt,nad27.txt,nad83.txt,zone_codes.txt,zone_areas.txt} "$work/"
chmod 755 "$work"
program="$work/kartoval-convert"
fail() { echo "FAILED: $*" >&2; exit 1; }

# Written whole first: grep -q stops reading at its match, and the program's
# write into the closed pipe would fail the pipeline now and then.
"$program" --help >"$work/help.txt" || fail "--help exit status"
grep -q '^Usage: kartoval-convert --from CRS --to CRS' "$work/help.txt" || fail "--help"

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
# An interrupted run leaves the old output and no temporary, and says so.
seq 1 3000000 | sed 's/$/ -9.5 38.7/' >"$work/big.txt"
echo old >"$work/old.out"
"$program" --from geo --to utm:29N "$work/big.txt" "$work/old.out" 2>"$work/err" &
pid=$!
for _ in $(seq 50); do ls -A "$work" | grep -q '^\.kartoval-' && break; sleep 0.1; done
kill -INT "$pid"
status=0
wait "$pid" || status=$?
[ "$status" -eq 130 ] || fail "SIGINT: exit status $status, not 130"
[ "$(cat "$work/old.out")" = old ] || fail "SIGINT: the old output was changed"
[ -z "$(ls -A "$work" | grep "^\.kartoval-")" ] || fail "SIGINT: a temporary was left: $(ls -A "$work")"
grep -q "interrupted: the output .*old.out was left as it was" "$work/err" || fail "SIGINT: $(cat "$work/err")"
echo "kartoval-convert binary checks passed"
