#!/bin/sh
# Runs `tarnivel line` on every case of CASES, the case's input on standard input, and compares
# the exit status, standard output and, where the case gives it, standard error.
#   run_line_golden.sh TARNIVEL CASES
# A case:  === name          its name
#          $ ARGS            the arguments after `tarnivel line`, as a shell reads them
#          < TEXT            a line of input (none: empty input)
#          ? STATUS          the exit status
#          > TEXT            a line of standard output (none: no output)
#          ! TEXT            a line of standard error (none: not compared)
# A line of only the mark is an empty line; lines starting with # are comments.
set -u
tarnivel=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk -v dir="$work" '
  function body() { return length($0) > 2 ? substr($0, 3) : "" }
  /^#/ { next }
  /^=== / { n++; name = substr($0, 5); print name > (dir "/" n ".name"); next }
  /^\$/ { print body() > (dir "/" n ".args"); next }
  /^</ { print body() > (dir "/" n ".in"); next }
  /^\?/ { print body() > (dir "/" n ".status"); next }
  /^>/ { print body() > (dir "/" n ".out"); next }
  /^!/ { print body() > (dir "/" n ".err"); next }
' "$2"
failures=0 passed=0
n=1
while [ -f "$work/$n.name" ]; do
  case=$work/$n
  touch "$case.in" "$case.out"
  eval "set -- $(cat "$case.args")"
  "$tarnivel" line "$@" <"$case.in" >"$case.got" 2>"$case.goterr"
  status=$?
  ok=1
  [ "$status" = "$(cat "$case.status")" ] || { echo "status $status, want $(cat "$case.status")"; ok=0; }
  cmp -s "$case.out" "$case.got" || { diff "$case.out" "$case.got"; ok=0; }
  if [ -f "$case.err" ] && ! cmp -s "$case.err" "$case.goterr"; then
    diff "$case.err" "$case.goterr"
    ok=0
  fi
  if [ "$ok" = 1 ]; then
    passed=$((passed + 1))
  else
    echo "FAIL: $(cat "$case.name")"
    failures=$((failures + 1))
  fi
  n=$((n + 1))
done
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ] && [ "$passed" -gt 0 ]
