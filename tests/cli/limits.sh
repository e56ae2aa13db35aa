#!/usr/bin/env bash
# Huge and endless input gets a message and a status, never an abort, in bounded memory: each
# run has a time limit and, where the build allows one (not under AddressSanitizer), a limit on
# its address space far below what holding the input would take.
#   limits.sh TARNIVEL
set -u
tarnivel=$1
failures=0 passed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The smallest address space, in steps of 16 MiB, in which the program starts at all.
base=0
for kib in $(seq 16384 16384 1048576); do
  if (ulimit -v "$kib" && "$tarnivel" --version) >/dev/null 2>&1; then base=$kib; break; fi
done
[ "$base" -eq 0 ] && echo "no address-space limit: this build cannot run under one"

# expect NAME WANT_STATUS WANT_STDERR_PATTERN EXTRA_KIB -- COMMAND: runs COMMAND (a shell line,
# with $tarnivel and $work set) with EXTRA_KIB of address space beyond the start. An empty
# pattern wants nothing on standard error.
expect() {
  local name=$1 want_status=$2 want_err=$3 extra=$4; shift 5
  local status=0
  (
    [ "$base" -gt 0 ] && ulimit -v $((base + extra))
    tarnivel=$tarnivel work=$work timeout 60 bash -c "$1"
  ) 2>"$work/err" || status=$?
  if [ "$status" != "$want_status" ] ||
     { [ -n "$want_err" ] && ! grep -Eq -- "$want_err" "$work/err"; } ||
     { [ -z "$want_err" ] && [ -s "$work/err" ]; }; then
    echo "FAIL $name: status $status, stderr: $(head -c 300 "$work/err")"
    failures=$((failures + 1))
  else
    passed=$((passed + 1))
  fi
}

cell='line 1: a cell is longer than 1 MiB$'
expect "50 MB of zeros on standard input" 65 "^tarnivel: batch: $cell" 65536 -- \
  'head -c 50M /dev/zero | "$tarnivel" batch'
expect "/dev/zero as FILE" 65 "^tarnivel: batch: $cell" 65536 -- '"$tarnivel" batch /dev/zero'
expect "/dev/urandom as FILE" 65 '^tarnivel: batch: ' 65536 -- '"$tarnivel" batch /dev/urandom'
expect "an endless line from a pipe" 65 "^tarnivel: batch: $cell" 65536 -- \
  'yes | tr -d "\n" | "$tarnivel" batch'
expect "endless commas" 65 '^tarnivel: batch: line 1: a row has more than 65536 cells$' 65536 -- \
  'yes , | tr -d "\n" | "$tarnivel" batch'
expect "a catalogue of zeros" 65 "^tarnivel: /dev/zero: $cell" 65536 -- \
  '"$tarnivel" pipe -p 0.3 -v 10 -q 1000 -c /dev/zero'

# A FIFO whose writer never stops: a catalogue ends at its limit, a batch of good rows runs on
# in a memory that does not grow until it is stopped.
mkfifo "$work/fifo"
expect "an endless catalogue from a FIFO" 65 \
  '^tarnivel: .*/fifo: line 100002: a catalogue holds at most 100000 pipes$' 65536 -- \
  'awk "BEGIN { print \"series,pipe,outside,wall\"
                for (i = 0; ; i++) printf \"s,p%d,%.2f,1\n\", i, 20 + i / 100 }" \
     > "$work/fifo" 2>/dev/null & writer=$!
   "$tarnivel" pipe -v 1 -q 1 -c "$work/fifo"; status=$?; kill $writer 2>/dev/null; exit $status'
expect "an endless batch from a FIFO" 124 '' 65536 -- \
  '{ echo calc,pressure,diameter,flow; yes velocity,0.3,100,1000; } > "$work/fifo" 2>/dev/null &
   writer=$!; timeout 5 "$tarnivel" batch "$work/fifo" > /dev/null; status=$?
   kill $writer 2>/dev/null; exit $status'

# Out of memory within the limits: fifteen cells of 1 MiB in one row, held once, need more than
# the room given, and say so.
# (The cell is built by doubling: mawk, Debian's default awk, caps sprintf at 8 KiB.)
awk 'BEGIN { c = "x"; while (length(c) < 1000000) c = c c; c = substr(c, 1, 1000000)
             printf "calc"
             for (i = 0; i < 15; i++) printf ",c%d", i; printf "\nvelocity"
             for (i = 0; i < 15; i++) printf ",%s", c; print "" }' > "$work/wide.csv"
if [ "$base" -gt 0 ]; then
  expect "memory running out" 71 '^tarnivel: out of memory$' 8192 -- \
    '"$tarnivel" batch "$work/wide.csv" > /dev/null'
fi

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
