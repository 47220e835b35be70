#!/usr/bin/env bash
# The datum shift's PROJ is loaded only at the first shift: a run that shifts
# nothing maps no PROJ library, and without the plugin (or with one whose PROJ
# can't be loaded) grids still convert and a shift is refused with a "File
# error" that names the package to install.
#   datum_engine_test.sh BUILT-PROGRAM
set -euo pipefail
program="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

# Regression guard for the start-up cost: no libproj in a UTM run.
libs="$(echo "P1 -9.5 38.7" | LD_DEBUG=libs "$program" --from geo --to utm:29N 2>&1 >/dev/null)"
grep -q 'libproj' <<<"$libs" && fail "a UTM run loaded PROJ"
# ... and a shift does load it, through the plugin.
out="$(echo "P1 -100 35" | "$program" --from geo:nad27 --to geo:nad83 --decimals 6)"
[ "$out" = "$(printf 'P1\t-100.000384\t35.000053')" ] || fail "shift with the plugin gave '$out'"

not_elf="$work/libkartoval_datum_proj.so"
echo "not a library" >"$not_elf"
for engine in "$work/missing.so" "$not_elf"; do
  out="$(echo "P1 -9.5 38.7" | KARTOVAL_DATUM_ENGINE="$engine" "$program" --from geo --to utm:29N --decimals 1)"
  [ "$out" = "$(printf 'P1\t456521.8\t4283604.7')" ] || fail "UTM without the engine $engine gave '$out'"
  status=0
  echo "P1 -100 35" | KARTOVAL_DATUM_ENGINE="$engine" "$program" --from geo:nad27 --to geo:nad83 \
    >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 3 ] || fail "shift without the engine $engine: exit status $status, not 3"
  grep -q "File error: The datum shift engine.*libproj25" "$work/err" || fail "shift without $engine: $(cat "$work/err")"
  grep -qF "$engine" "$work/err" || fail "the message does not name $engine: $(cat "$work/err")"
done
echo "datum engine checks passed"
