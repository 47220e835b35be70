#!/usr/bin/env bash
# The output's data is on disk before it takes the output's name: after a
# crash or a power loss the old file or the whole new one is there, never an
# empty one. No run can see this from outside; strace can, by the order of
# the writer's system calls on the temporary file: its data written, synced,
# the file closed, then renamed over the output.
#   data_on_disk_test.sh BUILT-PROGRAM
set -euo pipefail
program="$1"
command -v strace >/dev/null || { echo "FAILED: strace is not installed (tools/install-deps.sh)" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
printf '1 -9.5 38.7\n' >"$work/in.txt"
echo old >"$work/out.txt"
# LeakSanitizer (the asan build) can't run under ptrace; the other checks can.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" strace -f -qq -o "$work/trace" -e trace=openat,write,fsync,fdatasync,close,rename,renameat,renameat2 \
  "$program" --from geo --to utm:29N "$work/in.txt" "$work/out.txt"
[ "$(cat "$work/out.txt")" = "$(printf '1\t456521.7670\t4283604.7347')" ] || { echo "FAILED: output" >&2; exit 1; }

# Line numbers in the trace of each step on the temporary's descriptor.
read -r opened wrote synced closed renamed < <(awk '
  fd == "" && /openat\(.*\.kartoval-.*= [0-9]+$/ { fd = $NF; opened = NR; next }
  fd == "" { next }
  !wrote && $0 ~ "write\\(" fd ","                    { wrote = NR }
  !synced && $0 ~ "(fsync|fdatasync)\\(" fd "\\) += 0" { synced = NR }
  !closed && $0 ~ "close\\(" fd "\\) += 0"             { closed = NR }
  !renamed && /rename.*\.kartoval-.*out\.txt.* += 0$/  { renamed = NR }
  END { print opened + 0, wrote + 0, synced + 0, closed + 0, renamed + 0 }' "$work/trace")
if ! [ "$opened" -gt 0 ] || ! [ "$wrote" -gt "$opened" ] || ! [ "$synced" -gt "$wrote" ] ||
   ! [ "$closed" -gt "$synced" ] || ! [ "$renamed" -gt "$closed" ]; then
  echo "FAILED: the temporary is not written, synced, closed and then renamed" \
       "(trace lines: open $opened, write $wrote, sync $synced, close $closed, rename $renamed)" >&2
  cat "$work/trace" >&2
  exit 1
fi
