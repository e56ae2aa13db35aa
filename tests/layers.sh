#!/bin/sh
# Holds the source tree to its layers: each folder includes only itself and the folders below
# it (core < system < tables < cli < app; ui < app; web and win32 use the core), no two files include
# each other, no folder holds more than 15 sources with their headers, and no function in
# cli/, tables/ or system/ runs over 80 lines. POSIX sh and awk (mawk). Usage: layers.sh SRC
set -eu
cd "$1"
files=$(find core system tables cli ui app web win32 -name '*.h' -o -name '*.cpp' | LC_ALL=C sort)
# «file included» for every quoted include, both named from the source root.
edges=$(awk '/^[ \t]*#[ \t]*include[ \t]*"/ { split($0, q, "\""); print FILENAME, q[2] }' $files)

wrong=$(echo "$edges" | awk '
  BEGIN {
    below["core"] = ""; below["system"] = "core"; below["tables"] = "system core"
    below["cli"] = "tables system core"; below["ui"] = "core"; below["web"] = "core"; below["win32"] = "core"
    below["app"] = "ui cli tables system core"
  }
  { split($1, from, "/"); split($2, to, "/") }
  to[1] in below && to[1] != from[1] && index(" " below[from[1]] " ", " " to[1] " ") == 0 {
    print "an include against the layers: " $1 " includes " $2
  }
  { edge[$1 " " $2] = 1 }
  END {
    for (e in edge) {
      split(e, f, " ")
      if ((f[2] " " f[1]) in edge && f[1] < f[2]) print "files that include each other: " e
    }
  }')

crowded=$(echo "$files" | awk '{
    dir = $0; sub(/\/[^\/]*$/, "", dir); base = $0; sub(/\.(h|cpp)$/, "", base)
    if (!(base in seen)) { seen[base] = 1; count[dir]++ }
  }
  END { for (d in count) if (count[d] > 15) print "a folder of more than 15 sources: " d }')

# A function is a block opened at namespace or class level after a closing parenthesis, from
# the line of its opening brace to that of its closing one. Braces in comments, strings and
# character literals do not count.
long=$(awk '
  FNR == 1 { depth = 0; top = 0; text = ""; block = 0 }
  {
    n = length($0); code = ""
    for (i = 1; i <= n; i++) {
      c = substr($0, i, 1); two = substr($0, i, 2)
      if (block) { if (two == "*/") { block = 0; i++ }; continue }
      if (two == "//") break
      if (two == "/*") { block = 1; i++; continue }
      if (c == "\"" || (c == "'"'"'" && substr($0, i - 1, 1) !~ /[0-9A-Za-z_]/)) {
        for (i++; i <= n && substr($0, i, 1) != c; i++) if (substr($0, i, 1) == "\\") i++
        continue
      }
      code = code c
    }
    for (i = 1; i <= length(code); i++) {
      c = substr(code, i, 1)
      if (c == "{") {
        depth++
        if (!top && text ~ /\)[^()]*$/ && text !~ /(^|[^A-Za-z_])(namespace|class|struct|enum)[ \t]/) {
          top = depth; start = FNR
        }
        text = ""
      } else if (c == "}") {
        if (top == depth && FNR - start >= 80) print "a function over 80 lines: " FILENAME ":" start
        if (top == depth) top = 0
        depth--; text = ""
      } else if (c == ";") {
        text = ""
      } else {
        text = text c
      }
    }
    text = text " "
  }' $(echo "$files" | grep -E '^(cli|tables|system)/'))

problems=$(printf '%s\n%s\n%s' "$wrong" "$crowded" "$long" | grep . || true)
[ -z "$problems" ] || { echo "$problems" >&2; exit 1; }
