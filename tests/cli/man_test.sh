#!/usr/bin/env bash
# The manual page written from --help renders without a groff warning and
# documents every option --help names.
#   man_test.sh BUILT-PROGRAM MAN-PAGE
set -euo pipefail
fail() { echo "FAILED: $*" >&2; exit 1; }
text="$(MANWIDTH=80 man --warnings -l "$2" 2>&1)"
grep -qi 'warning' <<<"$text" && fail "groff warns: $(grep -i warning <<<"$text")"
for option in $("$1" --help | grep -o -- '--[a-z-]*' | sort -u); do
  grep -qF -- "$option" <<<"$text" || fail "the manual lacks $option"
done
for section in SYNOPSIS OPTIONS "EXIT STATUS" EXAMPLES ENVIRONMENT FILES; do
  grep -q "^$section" <<<"$text" || fail "the manual lacks $section"
done
echo "manual checks passed"
