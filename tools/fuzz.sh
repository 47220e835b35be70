#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz) and runs each for a given time on
# its seed corpus in fuzz/corpus/<target>. New inputs go to a working corpus
# (build/fuzz/corpus/<target>), so the seeds in the repository stay small; a
# crash or failed check stops the run with the input saved as
# build/fuzz/crash-<target>-*.
#
#   tools/fuzz.sh [seconds per target] [target ...]
#
# Defaults: 30 seconds, every target. Set FUZZ_JOBS=n for n parallel jobs per
# target, FUZZ_FRESH=1 to start from the seeds alone (as CI does).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_number_text fuzz_table_reader fuzz_point_file fuzz_formulas fuzz_datum_grid fuzz_command_line)

tools/install-deps.sh fuzz
for tool in clang++; do
  command -v "$tool" >/dev/null || { echo "fuzz.sh: $tool is missing (apt-get install -y clang libclang-rt-14-dev)" >&2; exit 1; }
done
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"

root="$PWD"
for target in "${targets[@]}"; do
  seeds="$root/fuzz/corpus/${target#fuzz_}"
  work="$root/build/fuzz/corpus/$target"
  [ "${FUZZ_FRESH:-0}" = 1 ] && rm -rf "$work"
  mkdir -p "$work"
  echo "== $target: ${seconds}s"
  args=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$root/build/fuzz/crash-$target-")
  if [ -n "${FUZZ_JOBS:-}" ]; then
    args+=(-jobs="$FUZZ_JOBS" -workers="$FUZZ_JOBS")
  fi
  # Scratch files of the targets go to a folder of their own, in memory where
  # there is one: the outputs are synced to disk at every run.
  scratch="$(mktemp -d -p "$( [ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")")"
  log="$root/build/fuzz/$target.log"
  status=0
  (cd "$root/build/fuzz" && TMPDIR="$scratch" "$root/build/fuzz/bin/$target" "${args[@]}" "$work" "$seeds") \
    >"$log" 2>&1 || status=$?
  [ -n "${FUZZ_JOBS:-}" ] && cat "$root"/build/fuzz/fuzz-*.log >>"$log" 2>/dev/null && rm -f "$root"/build/fuzz/fuzz-*.log
  grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|stat::number_of_executed_units|Done [0-9]+ runs' "$log" || true
  rm -rf "$scratch"
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log" >&2
    echo "fuzz.sh: $target failed (exit $status); see $log and build/fuzz/crash-$target-*" >&2
    exit "$status"
  fi
done
