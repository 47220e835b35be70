#!/usr/bin/env bash
# The bash completion asks the program for its zones and ellipsoids: the zone
# names after nad27: and nad83:, quoted as a CRS needs them, with ':' a word
# break (bash's default) or not.
#   completion_test.sh COMPLETION-SCRIPT PROGRAM-FOLDER
set -euo pipefail
source "$1"
PATH="$2:$PATH"
fail() { echo "FAILED: $*" >&2; exit 1; }
complete_words() { COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=(); _kartoval_convert; }

complete_words kartoval-convert --from nad27 : 'Texas S'
[ "${COMPREPLY[*]}" = '"Texas South" "Texas South Central"' ] || fail "nad27 Texas: ${COMPREPLY[*]}"
complete_words kartoval-convert --to 'nad83:"California zone 3'
[ "${COMPREPLY[*]}" = 'nad83:"California zone 3"' ] || fail "nad83 California: ${COMPREPLY[*]}"
complete_words kartoval-convert --from nad83 :
[ "${#COMPREPLY[@]}" -gt 100 ] || fail "every NAD83 zone: only ${#COMPREPLY[@]}"
complete_words kartoval-convert --ellipsoid 'Clarke 1866 M'
[ "${COMPREPLY[*]}" = 'Clarke\ 1866\ Michigan' ] || fail "ellipsoid: ${COMPREPLY[*]}"
complete_words kartoval-convert --report
[ "${COMPREPLY[*]}" = '--report-shift' ] || fail "option: ${COMPREPLY[*]}"
complete_words kartoval-convert --to utm : a
[ "${COMPREPLY[*]}" = 'auto auto:nad27 auto:nad83' ] || fail "utm:auto: ${COMPREPLY[*]}"
complete_words kartoval-convert --from utm:a
[ "${#COMPREPLY[@]}" -eq 0 ] || fail "utm:auto offered to --from: ${COMPREPLY[*]}"
echo "completion checks passed"
