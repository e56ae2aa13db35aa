#!/bin/sh
# tarnivel-cli.exe under Wine against the Linux build: the same bytes on standard output and
# standard error and the same exit status for every example of README.md (its CSV tables as
# batch and line input, its command lines) and for a generated table of 10 000 rows of every
# calculation, read with LF and with CRLF line ends.
#   same_as_linux.sh WINDOWS LINUX README
# WINDOWS and LINUX are commands that run the two programs with the arguments given.
set -u
absolute() { case $1 in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
windows=$(absolute "$1") linux=$(absolute "$2") readme=$(absolute "$3")
work=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0 passed=0

# same NAME STDIN ARGS...: both programs, the same input, compared.
same() {
  name=$1 input=$2; shift 2
  for side in windows linux; do
    if [ "$side" = windows ]; then program=$windows; else program=$linux; fi
    status=0
    $program "$@" <"$input" >"$side.out" 2>"$side.err" || status=$?
    echo "$status" >"$side.status"
  done
  for part in status out err; do
    if ! cmp -s "windows.$part" "linux.$part"; then
      echo "FAIL $name: $part differs"
      diff "windows.$part" "linux.$part" | head -5
      failures=$((failures + 1))
      return
    fi
  done
  passed=$((passed + 1))
}

# README's tables, each a file of its own: block1.csv, block2.csv...
awk '/^ *```csv/ { n++; inside = 1; next }
     /^ *```/ { inside = 0 }
     inside { sub(/^  /, ""); print > ("block" n ".csv") }' "$readme"
for table in block*.csv; do
  same "batch $table" /dev/null batch "$table"
  same "batch $table from standard input" "$table" batch
  same "line $table" /dev/null line -p 0.002 -s pe-sdr11 --appliance-pressure 2000 "$table"
  same "line --csv $table" /dev/null line -p 0.2 --max-drop 30 --csv "$table"
done
# A file named in any script, one that is not there, and a reader that closes the pipe early,
# which ends the program without a word.
cp block1.csv "管线 表 ü.csv"
same "a file named in Chinese" /dev/null batch "管线 表 ü.csv"
same "a FILE that is not there" /dev/null batch none.csv
awk 'BEGIN { print "calc,pressure,diameter,flow"; for (i = 0; i < 100000; i++) print "velocity,0.3,100,1000" }' >long.csv
for side in windows linux; do
  if [ "$side" = windows ]; then program=$windows; else program=$linux; fi
  WINE_RUN_PIPES=1 $program batch long.csv 2>"$side.err" | head -1 >/dev/null
done
if [ -s windows.err ] || [ -s linux.err ]; then
  echo "FAIL a pipe closed by the reader: $(cat windows.err linux.err)"
  failures=$((failures + 1))
else
  passed=$((passed + 1))
fi
# Its command lines, each as README writes it, with the line's segments from its example;
# a sheet is written as HTML only.
courtyard=$(grep -l '^regulator-yard' block*.csv | head -1)
cp "$courtyard" courtyard.csv
cp "$courtyard" segments.csv
grep -hE '^(\$ )?(tarnivel|scripts/run) (velocity|flow|diameter|pipe|drop|line|batch)' "$readme" |
  sed -e 's/^\$ //' -e 's/^[a-z/]*run //' -e 's/^tarnivel //' -e 's/ *#.*//' -e 's/ *>.*//' |
  # A PDF sheet is laid out by the Qt window's library, which the Windows build has not.
  grep -vE -- '--sheet[ =][^ ]*\.pdf' | sort -u >commands
while read -r command; do
  # shellcheck disable=SC2086  # the words of the command line, as a shell splits them
  same "$command" /dev/null $command
done <commands

# 10 000 rows of every calculation: ordinary and odd texts in every field. The first rows
# are also given to the single commands, as options.
awk 'function pick(odd, number) {
       return rand() < odd ? texts[int(rand() * 14) + 1] : sprintf("%.5g", number)
     }
     function cell(text) { return text ~ /[,"]/ ? "\"" text "\"" : text }
     function option(name, text) { return text ~ /[ ,]|^$/ ? "" : " --" name "=" text }
BEGIN {
  srand(26)
  split("velocity flow diameter drop diameter Velocity bogus", calcs, " ")
  split("0.3|1.6|0.005|0|-0.1|-0.2|abc|1,000|1e300|0.4|12abc| 2 |１０|", texts, "|")
  split("|steel|pe-sdr11|sdr17|copper", series, "|")
  print "calc,pressure,velocity,diameter,flow,length,temperature,series,max_drop,line"
  for (i = 0; i < 10000; i++) {
    calc = calcs[int(rand() * 7) + 1]
    p = pick(0.5, rand() * 2); v = pick(0.3, rand() * 30); d = pick(0.3, rand() * 400)
    q = pick(0.3, rand() * 1e4); l = rand() < 0.2 ? "" : sprintf("%.4g", rand() * 5000)
    t = rand() < 0.7 ? "" : sprintf("%.3g", rand() * 80 - 20)
    s = series[int(rand() * 5) + 1]; m = rand() < 0.6 ? "" : sprintf("%.3g", rand() * 20)
    print calc "," cell(p) "," cell(v) "," cell(d) "," cell(q) "," l "," t "," s "," m ",\"L-" i ", east\""
    if (i >= 40) continue
    print "velocity" option("pressure", p) option("diameter", d) option("flow", q) > "commands"
    print "flow" option("pressure", p) option("diameter", d) option("velocity", v) > "commands"
    print "diameter" option("pressure", p) option("velocity", v) option("flow", q) > "commands"
    print "pipe" option("pressure", p) option("velocity", v) option("flow", q) option("series", s) \
      option("length", l) option("max-drop", m) > "commands"
    print "drop" option("pressure", p) option("flow", q) option("diameter", d) option("length", l) \
      option("temperature", t) option("series", s) > "commands"
  }
}' >table.csv
sed 's/$/\r/' table.csv >table-crlf.csv
same "generated table" /dev/null batch table.csv
same "generated table with CRLF" /dev/null batch table-crlf.csv
same "generated table from standard input" table.csv batch -
while read -r command; do
  # shellcheck disable=SC2086
  same "$command" /dev/null $command
done <commands

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
