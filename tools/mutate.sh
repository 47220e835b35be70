#!/usr/bin/env bash
# The mutation run: each mutant of tools/mutants.tsv (a realistic fault, one
# exact text replaced in one file) is applied alone to a scratch copy of the
# source, built, and run against the tests that link the changed folder's
# library, own folder first, stopping at the first failure. Prints a table
# (killed by which test, survived, stale, build failure, equivalent) and the
# kill rate over the mutants that are neither equivalent, stale nor unbuildable.
#
# Usage: nice tools/mutate.sh [--rev REV] [--list FILE] [ID ...]
#   --rev REV   mutate the source (and tests) of commit REV instead of the
#               working tree; the mutant list is always the working tree's
#   ID ...      only these mutants
# Environment: MUTATE_DIR (default build/mutate), MUTATE_TIMEOUT (seconds a
# test binary may run, default 300), MUTATE_JOBS (build jobs, default 2),
# MUTATE_LABEL (the scratch folder's name: the commit, or "tree").
# The scratch copies and their builds stay in MUTATE_DIR and are reused, so a
# second run rebuilds only what changed. Not part of CI: about 20 s a mutant.
# Run it from a copy (cp tools/mutate.sh /tmp/m.sh; MUTATE_ROOT=$PWD /tmp/m.sh)
# to edit the script while it runs.
set -uo pipefail
root="${MUTATE_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}"
list="$root/tools/mutants.tsv"
rev=""
while [ $# -gt 0 ]; do
  case "$1" in
    --rev) rev="$2"; shift 2 ;;
    --list) list="$(realpath "$2")"; shift 2 ;;
    -h|--help) sed -n '2,/^set /p' "$0" | sed '$d'; exit 0 ;;
    *) break ;;
  esac
done
only=("$@")
timeout_s="${MUTATE_TIMEOUT:-300}"
jobs="${MUTATE_JOBS:-2}"
label="${MUTATE_LABEL:-${rev:-tree}}"
work="${MUTATE_DIR:-$root/build/mutate}/${label//\//_}"
src="$work/src"
bld="$work/build"
results="$work/results.tsv"
mkdir -p "$src" "$bld"
# The list is read from a copy, so it can be edited while a run goes on;
# mutants named on the command line run in the order named.
if [ ${#only[@]} -gt 0 ]; then
  for id in "${only[@]}"; do
    grep -P "^\Q$id\E\t" "$list" || echo "$id: no such mutant in $list" >&2
  done >"$work/mutants.tsv"
else
  cp "$list" "$work/mutants.tsv"
fi
list="$work/mutants.tsv"

# A fresh copy of the source. Files that are unchanged keep their time, so the
# reused build folder recompiles only what differs from the last run.
copy_source() {
  local fresh="$work/fresh"
  rm -rf "$fresh" && mkdir -p "$fresh"
  if [ -n "$rev" ]; then
    git -C "$root" archive "$rev" | tar -C "$fresh" -xf -
  else
    (cd "$root" && git ls-files -co --exclude-standard -z | tar --null -T - -cf -) | tar -C "$fresh" -xf -
  fi
  # Copy over only files whose content changed.
  (cd "$fresh" && find . -type f) | while IFS= read -r f; do
    if ! cmp -s "$fresh/$f" "$src/$f"; then mkdir -p "$(dirname "$src/$f")"; cp "$fresh/$f" "$src/$f"; fi
  done
  rm -rf "$fresh"
}

# The test binaries that link a folder's library, its own first; "cli.sh"
# stands for the shell tests of the built kartoval-convert. The window's
# tests (slow to link) run for app/ and single/ only: every folder below has
# its own tests and those of the command line above it.
tests_of() {
  local upper="kartoval_cli_tests cli.sh kartoval_format_tests"
  case "$1" in
    toolkit) echo "kartoval_toolkit_tests kartoval_batch_tests $upper kartoval_geodesy_tests kartoval_refdata_tests kartoval_single_tests" ;;
    geodesy) echo "kartoval_geodesy_tests kartoval_single_tests kartoval_conversion_tests $upper kartoval_datum_tests" ;;
    refdata) echo "kartoval_refdata_tests kartoval_crosscheck_tests kartoval_conversion_tests kartoval_single_tests $upper" ;;
    conversion) echo "kartoval_conversion_tests kartoval_single_tests kartoval_batch_tests kartoval_datum_tests $upper" ;;
    single) echo "kartoval_single_tests kartoval_app_tests" ;;
    batch) echo "kartoval_batch_tests $upper" ;;
    datum) echo "kartoval_datum_tests $upper" ;;
    cli) echo "$upper" ;;
    app) echo "kartoval_app_tests" ;;
    *) echo "" ;;
  esac
}

targets_of() {
  local t out=""
  for t in "$@"; do
    if [ "$t" = cli.sh ]; then out+=" kartoval-convert kartoval_man"; else out+=" $t"; fi
  done
  echo "$out"
}

# Builds and runs the given tests one program at a time, so a mutant killed
# by its own folder's tests builds nothing more; prints the first failing
# test's name ("build failure" when a program does not build), or nothing.
run_tests() {
  local t log="$work/test.log" status failed
  for t in "$@"; do
    # shellcheck disable=SC2046
    if ! cmake --build "$bld" -j "$jobs" --target $(targets_of "$t") >"$work/build.log" 2>&1; then
      echo "build failure"
      return
    fi
    if [ "$t" = cli.sh ]; then
      timeout "$timeout_s" ctest --test-dir "$bld" -R '^cli\.' --output-on-failure >"$log" 2>&1
      status=$?
      if [ $status -ne 0 ]; then
        failed="$(sed -n 's/^[[:space:]]*[0-9]* - \(cli\.[A-Za-z]*\) .*/\1/p' "$log" | head -1)"
        [ $status -eq 124 ] && failed="timeout in cli.sh"
        echo "${failed:-cli.sh}"
        return
      fi
      continue
    fi
    QT_QPA_PLATFORM=offscreen timeout "$timeout_s" "$bld/bin/$t" --gtest_fail_fast --gtest_brief=1 >"$log" 2>&1 </dev/null
    status=$?
    if [ $status -ne 0 ]; then
      failed="$(sed -n 's/^\[  FAILED  \] \([^ ,]*\).*/\1/p' "$log" | head -1)"
      if [ $status -eq 124 ]; then failed="timeout in $t"
      elif [ -z "$failed" ]; then failed="crash ($status) in $t"; fi
      echo "$failed"
      return
    fi
  done
}

copy_source
if [ ! -f "$bld/CMakeCache.txt" ]; then
  cmake -S "$src" -B "$bld" -DCMAKE_BUILD_TYPE=Debug -DKARTOVAL_BUILD_BENCH=OFF \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >"$work/configure.log" 2>&1 || { echo "configure failed: $work/configure.log"; exit 2; }
fi
export CCACHE_BASEDIR="$work"

# The unmutated copy must build and pass, or no mutant says anything.
all_tests="kartoval_toolkit_tests kartoval_geodesy_tests kartoval_refdata_tests kartoval_crosscheck_tests kartoval_conversion_tests kartoval_single_tests kartoval_batch_tests kartoval_datum_tests kartoval_cli_tests cli.sh kartoval_format_tests kartoval_app_tests"
echo "building and testing the unmutated copy in $bld ..."
# shellcheck disable=SC2086
baseline="$(run_tests $all_tests)"
if [ -n "$baseline" ]; then echo "the unmutated copy fails ($baseline): see $work/build.log, $work/test.log"; exit 2; fi

printf '%-5s %-11s %-14s %s\n' ID FOLDER OUTCOME "KILLED BY / WHY"
: >"$results"
killed=0; survived=0; stale=0; broken=0; equivalent=0
survivors=()
while IFS=$'\t' read -r -u 3 id file old new why; do
  [ -z "$id" ] || [ "${id:0:1}" = "#" ] && continue
  if [ ${#only[@]} -gt 0 ] && [[ ! " ${only[*]} " =~ " $id " ]]; then continue; fi
  folder="${file%%/*}"
  outcome="" detail=""
  if [[ "$why" == EQUIVALENT* ]]; then
    outcome="equivalent"; detail="${why#EQUIVALENT: }"; equivalent=$((equivalent + 1))
  else
    original="$work/original"
    cp "$src/$file" "$original" 2>/dev/null || { outcome="stale"; detail="no file $file"; }
    if [ -z "$outcome" ]; then
      count="$(OLD="$old" python3 -c 'import os,sys; print(open(sys.argv[1], encoding="utf-8").read().count(os.environ["OLD"]))' "$src/$file")"
      if [ "$count" != 1 ]; then
        outcome="stale"; detail="the text is found $count times in $file"
      else
        OLD="$old" NEW="$new" python3 -c 'import os,sys
p = sys.argv[1]; t = open(p, encoding="utf-8").read()
open(p, "w", encoding="utf-8").write(t.replace(os.environ["OLD"], os.environ["NEW"], 1))' "$src/$file"
        read -r -a tests <<<"$(tests_of "$folder")"
        by="$(run_tests "${tests[@]}")"
        if [ "$by" = "build failure" ]; then
          outcome="build failure"; detail="$work/build-$id.log"; cp "$work/build.log" "$detail"
        elif [ -n "$by" ]; then outcome="killed"; detail="$by"
        else outcome="SURVIVED"; detail="$why"; fi
        # Restored with a new time, so the next build recompiles it.
        cp "$original" "$src/$file"
      fi
    fi
    case "$outcome" in
      killed) killed=$((killed + 1)) ;;
      SURVIVED) survived=$((survived + 1)); survivors+=("$id") ;;
      stale) stale=$((stale + 1)) ;;
      "build failure") broken=$((broken + 1)) ;;
    esac
  fi
  printf '%-5s %-11s %-14s %s\n' "$id" "$folder" "$outcome" "$detail"
  printf '%s\t%s\t%s\t%s\n' "$id" "$folder" "$outcome" "$detail" >>"$results"
done 3<"$list"

counted=$((killed + survived))
rate="n/a"
[ $counted -gt 0 ] && rate="$(awk -v k=$killed -v n=$counted 'BEGIN { printf "%.1f %%", 100 * k / n }')"
echo
echo "killed $killed of $counted ($rate); survived $survived${survivors:+ (${survivors[*]})}; equivalent $equivalent; stale $stale; build failures $broken"
echo "table: $results"
