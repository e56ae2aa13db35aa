#!/usr/bin/env bash
# The program as a shell pipeline sees it: failed writes and reads are never success, a closed
# pipe ends it quietly, and a display that cannot be reached is said in words.
#   unix_habits.sh TARNIVEL EXAMPLE_CSV WINDOW (1 when the build has the window)
set -u
tarnivel=$1 example=$2 window=$3
failures=0 passed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# expect NAME WANT_STATUS WANT_STDERR_PATTERN -- COMMAND...
expect() {
  local name=$1 want_status=$2 want_err=$3; shift 4
  local status=0
  "$@" 2>"$work/err" || status=$?
  if [ "$status" != "$want_status" ] ||
     { [ -n "$want_err" ] && ! grep -Eq -- "$want_err" "$work/err"; } ||
     { [ -z "$want_err" ] && [ -s "$work/err" ]; }; then
    echo "FAIL $name: status $status, stderr: $(cat "$work/err")"
    failures=$((failures + 1))
  else
    passed=$((passed + 1))
  fi
}

expect "single result to a full disk" 74 '^tarnivel: write error: No space left on device$' -- \
  sh -c '"$0" velocity -p 0.3 -d 100 -q 1000 > /dev/full' "$tarnivel"
expect "batch to a full disk" 74 '^tarnivel: write error: No space left on device$' -- \
  sh -c '"$0" batch "$1" > /dev/full' "$tarnivel" "$example"
expect "a directory as FILE" 74 "^tarnivel: $work: Is a directory$" -- "$tarnivel" batch "$work"
expect "a FILE that is not there" 66 "^tarnivel: $work/none.csv: No such file or directory$" -- \
  "$tarnivel" batch "$work/none.csv"

# A reader that stops early: no message, whatever the table's length.
awk 'BEGIN { print "calc,pressure,diameter,flow"; for (i = 0; i < 200000; i++) print "velocity,0.3,100,1000" }' \
  > "$work/long.csv"
expect "a pipe closed by the reader" 0 '' -- \
  sh -c '"$0" batch "$1" | head -1 > /dev/null' "$tarnivel" "$work/long.csv"

# No window without a display that answers; a stale one is no display either.
no_window='^tarnivel: (there is no display|this build has no window)'
expect "a display that cannot be reached" 69 "$no_window" -- \
  env -u WAYLAND_DISPLAY QT_QPA_PLATFORM= DISPLAY=:97 "$tarnivel"
expect "a stale Wayland display" 69 "$no_window" -- \
  env -u DISPLAY QT_QPA_PLATFORM= WAYLAND_DISPLAY=gone-0 XDG_RUNTIME_DIR="$work" "$tarnivel"

if [ "$window" = 1 ]; then
  # The window comes from a library of its own: the program opens it and keeps running (ended
  # here after a while; a failure to load or a crash ends it at once, with another status).
  expect "the window opened from its library" 124 '' -- \
    env XDG_RUNTIME_DIR="$work" timeout 5 "$tarnivel" -platform offscreen
  # A program separated from that library says so, and never looks for it anywhere else.
  mkdir "$work/bin" && cp "$tarnivel" "$work/bin/"
  expect "the window's library missing" 69 '^tarnivel: the window cannot be opened: its library' \
    -- "$work/bin/tarnivel" -platform offscreen
  # So does a PDF sheet, which that library writes; the result is printed all the same.
  expect "a PDF sheet without the window's library" 69 \
    '^tarnivel: cannot write the PDF sheet: the window.s library, which writes it, did not load' \
    -- "$work/bin/tarnivel" drop -p 0.4 -q 1000 -d 102.26 -l 1000 --sheet "$work/s.pdf"
fi

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
