#!/usr/bin/env bash
# Two builds of kartoval-convert, the same bytes: converts 400,000 points
# spread over the whole globe (every UTM zone, 3 to 12 decimals) with each
# binary, to every grid kind, decimal count and output layout, and compares
# output, messages and exit status. For changes meant to be speed only.
#   bench/same_output.sh OLD-KARTOVAL-CONVERT NEW-KARTOVAL-CONVERT
# Set KARTOVAL_DATA if either binary lives away from its tables.
set -euo pipefail
old="$(realpath "$1")" new="$(realpath "$2")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 - "$work" <<'PY'
import random, sys
work = sys.argv[1]
rng = random.Random(7)
rows = []
for k in range(400_000):
    d = rng.choice([3, 4, 6, 7, 8, 9, 12])
    rows.append((f"P{k}", f"{rng.uniform(-180, 180):.{d}f}", f"{rng.uniform(-80, 84):.{d}f}"))
open(f"{work}/deg.txt", "w").write("".join(f"{i} {x} {y}\n" for i, x, y in rows))
open(f"{work}/deg.csv", "w").write("".join(f'"{i}",{x},"{y}"\n' for i, x, y in rows[:100_000]))
PY
# Grid values to read back, some of them refused: the run goes on past those.
"$new" --from geo --to utm:29N --allow-outside --keep-going "$work/deg.txt" "$work/utm.txt" 2>/dev/null || true
lenient=(--allow-outside --keep-going)
cases=()
for zone in 1N 10N 17N 29N 33N 44S 60S; do cases+=("--from geo --to utm:$zone deg.txt"); done
cases+=("--from geo --to utm:29N --decimals 0 deg.txt" "--from geo --to utm:29N --decimals 12 deg.txt"
        "--from geo --to utm:29N --factors deg.txt" "--from geo --to utm:29N --format csv deg.txt"
        "--from geo --to utm:29N --format geojson deg.txt" "--from geo --to nad27:0101 --decimals 3 deg.txt"
        "--from geo --to nad83:4204 deg.txt" "--from geo --to utm:17N deg.csv"
        "--from utm:29N --to geo --decimals 9 utm.txt" "--from utm:29N --to geo --dms utm.txt"
        "--from utm:29N --to geo --dm --decimals 5 utm.txt" "--from geo --to geo --decimals 7 deg.txt")
different=0
for c in "${cases[@]}"; do
  read -ra args <<<"$c"
  for side in old new; do
    binary=$old; [ $side = new ] && binary=$new
    status=0
    (cd "$work" && "$binary" "${lenient[@]}" "${args[@]}" >"$side.out" 2>"$side.err") || status=$?
    echo "exit $status" >>"$work/$side.err"
  done
  if cmp -s "$work/old.out" "$work/new.out" && cmp -s "$work/old.err" "$work/new.err"; then
    echo "same ($(wc -l <"$work/new.out") lines): $c"
  else
    echo "DIFFERENT: $c"
    different=1
  fi
done
exit $different
