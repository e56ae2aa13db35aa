#!/usr/bin/env bash
# Completes command lines with the installed completion script, as bash would on Tab.
#   completion_test.sh TARNIVEL COMPLETION_SCRIPT
set -u
PATH="$(dirname "$1"):$PATH"
source /usr/share/bash-completion/bash_completion
source "$2"
failures=0 passed=0

# complete WANT WORD...: the completions of the last WORD, space-separated.
complete_line() {
  local want=$1; shift
  COMP_WORDS=(tarnivel "$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="${COMP_WORDS[*]}"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _tarnivel
  local got="${COMPREPLY[*]}"
  if [ "$got" == "$want" ]; then
    passed=$((passed + 1))
  else
    echo "FAIL tarnivel $*: got '$got', want '$want'"
    failures=$((failures + 1))
  fi
}

complete_line "velocity" vel
complete_line "--pressure" velocity --pr
complete_line "--diameter" flow --d
complete_line "" velocity -p ""
complete_line "--help --version" --
complete_line "--catalogue --compressibility --csv" pipe --c
complete_line "" pipe -s ""
complete_line "--catalogue --compressibility" drop --c
complete_line "" pipe --series ""

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
