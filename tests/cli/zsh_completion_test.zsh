#!/usr/bin/env zsh
# The zsh completion, loaded by compinit in an interactive zsh on a pseudo
# terminal, asked with TAB: each match zsh would offer is printed as HIT:.
# It asks the program for its zones and ellipsoids, so they are the tables'.
#   zsh_completion_test.zsh COMPLETION-FOLDER PROGRAM-FOLDER
emulate -L zsh
zmodload zsh/zpty
completions=$1 programs=$2

# The matches offered for the typed line, one a line, as they would be inserted.
offered() {
  local out more
  zpty -b z zsh -f -i
  zpty -w z "PATH=${(q)programs}:\$PATH fpath=(${(q)completions} \$fpath) PS1=''"
  zpty -w z 'autoload -Uz compinit && compinit -u -D && bindkey "^I" complete-word'
  zpty -w z 'compadd() { if [[ ${@[1,(i)(-|--)]} == *-(O|A|D)\ * ]]; then builtin compadd "$@"; return; fi
    local -a hits; builtin compadd -A hits "$@"; (( $#hits )) && print -rl -- "" ${hits/#/HIT:} >/dev/tty
    builtin compadd "$@"; }'
  # Typed only when the shell is ready: READY echoed, then printed.
  zpty -w z 'print READY'
  zpty -r z out '*READY*'
  zpty -r z out '*READY*'
  zpty -n -w z "$1"$'\t\C-u'"print END"$'\n'
  zpty -r z out '*END*'   # the command echoed
  zpty -r z more '*END*'  # and run
  zpty -d z
  print -r -- "$out$more" | tr -d '\r' | sed -n 's/^HIT://p'
}

failed=0
check() {  # LINE EXPECTED-MATCHES (space-separated, in order) or ">COUNT"
  local got="${(j: :)${(f)$(offered "$1")}}"
  if [[ $2 == '>'* ]]; then
    (( ${#${(z)got}} > ${2#>} )) && return
  elif [[ $got == "$2" ]]; then
    return
  fi
  print -r -- "FAILED: '$1' offered '$got', expected '$2'" >&2
  failed=1
}

check 'kartoval-convert --from nad27:Texas\ S' 'Texas\ South Texas\ South\ Central'
check "kartoval-convert --from utm:" ">120"
check 'kartoval-convert --to nad83:"California zone 3' 'California\ zone\ 3'
check 'kartoval-convert --from nad83:' '>100'
check 'kartoval-convert --to utm:2' '2N 20N 21N 22N 23N 24N 25N 26N 27N 28N 29N 2S 20S 21S 22S 23S 24S 25S 26S 27S 28S 29S'
check 'kartoval-convert --to utm:14N:' 'nad27 nad83'
check 'kartoval-convert --ellipsoid Clarke\ 1866\ M' 'Clarke\ 1866\ Michigan'
check 'kartoval-convert --wh' '--which-zone'
(( failed )) || print "zsh completion checks passed"
exit $failed
