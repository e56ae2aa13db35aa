#!/bin/sh
# Tarnivel.exe under Wine on a virtual X server, driven by the keyboard alone (xdotool), as a
# user walks it: the typical request, a flow and a diameter, a prompt and the focus it leaves,
# an overflow after which the window stays, the pressure-drop section, and 退  出 or the close
# box ending it with status 0; once in Chinese and once in English, with a screenshot of each.
# window_probe.exe tells what the window holds and which message box is up.
#   window_keys.sh TARNIVEL_EXE PROBE_EXE PREFIX SCREENSHOT_DIR
set -u
exe=$1 probe_exe=$2 prefix=$3 shots=$4
export WINEPREFIX="$prefix" WINEDEBUG=-all LOCPATH="$prefix/locale"
mkdir -p "$shots"
failures=0 passed=0
work=$(mktemp -d)

# A display of its own among :50 to :59.
display=50
while [ -e "/tmp/.X$display-lock" ] && [ $display -lt 59 ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
# Wine's virtual desktop while the window is tested, so that its windows have Wine's title bars
# on an X server without a window manager. Only then: a console program would start a desktop
# of its own, which holds on to its output pipes for seconds after it ends.
desktop='HKCU\Software\Wine\Explorer'
wine reg add "$desktop" /v Desktop /d Default /f >/dev/null 2>&1
trap 'kill $xvfb 2>/dev/null; wine reg delete "$desktop" /v Desktop /f >/dev/null 2>&1; rm -rf "$work"' EXIT
export DISPLAY=":$display"
sleep 1

# The probe's lines end in CRLF, as a console program's do on Windows.
state() { wine "$probe_exe" 2>/dev/null | tr -d '\r' >"$work/state"; }
# check NAME EXPECTED_LINE: the window's state holds that line.
check() {
  if grep -qxF -- "$2" "$work/state"; then
    passed=$((passed + 1))
  else
    echo "FAIL $1: no «$2» in"
    sed 's/^/    /' "$work/state"
    failures=$((failures + 1))
  fi
}
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
type_text() { xdotool type --delay 60 "$1"; }
# Tab until NAME has the focus.
focus_on() {
  for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14; do
    state
    grep -qxF "focus $1" "$work/state" && return 0
    keys Tab
  done
  echo "FAIL: Tab never reached $1"
  failures=$((failures + 1))
}
screenshot() {
  state
  geometry=$(sed -n 's/^frame //p' "$work/state")
  import -window root -crop "$geometry" "$shots/$1.png"
}

run() {
  language=$1
  LANG="$language.UTF-8" wine "$exe" >/dev/null 2>&1 &
  program=$!
  state
  check "$language: title" "title Tarnivel 1.0"
  check "$language: the velocity button has the focus at start" "focus CMD1"
  # The X server's focus on Wine's desktop, the pointer over the window, never clicking.
  xdotool search --name 'Wine desktop' windowfocus --sync >/dev/null 2>&1
  xdotool mousemove $(sed -n 's/^frame [0-9]*x[0-9]*+\([0-9]*\)+\([0-9]*\)$/\1 \2/p' "$work/state" |
                      awk '{ print $1 + 40, $2 + 12 }')
  sleep 0.5

  # The typical request: Tab three times, 0.3, Enter, Enter, 100, Enter, 1000, Enter, Enter.
  keys Tab Tab Tab
  type_text 0.3
  keys Return Return
  type_text 100
  keys Return
  type_text 1000
  keys Return Return
  state
  check "$language: velocity" "TV=8.84194143371033"
  check "$language: focus after the velocity" "focus CMD1"

  # A flow of 10 m/s, then a diameter for 1000 Nm³/h.
  focus_on TV
  type_text 10
  focus_on CMD2
  keys Return
  state
  check "$language: flow" "TM=1130.973336"
  focus_on TM
  type_text 1000
  focus_on dia
  keys Return
  state
  check "$language: diameter" "TD=94"

  # The section open, with a length: an outlet for the strip's pipe.
  focus_on dropToggle
  keys space
  focus_on drop_length
  type_text 1000
  state
  grep -q '^drop_outlet=0\.[0-9]' "$work/state" && passed=$((passed + 1)) ||
    { echo "FAIL $language: no outlet in the open section"; failures=$((failures + 1)); }
  screenshot "window-$language"
  focus_on dropToggle
  keys space
}

run zh_CN
# No diameter: the prompt, titled Ovrin, then the focus in 流通直径.
focus_on TD
keys BackSpace
focus_on CMD1
keys Return
state
check "prompt" "box Ovrin: 请输入流通直径"
check "the result is 0 under the prompt" "TV=0"
keys Return
state
check "focus after the prompt" "focus TD"
# An overflow: the fault in a box titled Tarnivel, and the window stays as it was.
type_text 100
focus_on TV
type_text 1e307
focus_on CMD2
keys Return
state
check "fault" "box Tarnivel: 溢出"
keys Return
state
check "the window stays after a fault" "title Tarnivel 1.0"
check "the fields stay after a fault" "TV=1e307"
# 退  出 ends the program with status 0.
focus_on CMD3
keys Return
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] && passed=$((passed + 1)) ||
  { echo "FAIL 退  出: status $status"; failures=$((failures + 1)); }

run en_US
# The close box (Alt+F4, the system's close command) ends it with status 0 as well.
keys alt+F4
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] && passed=$((passed + 1)) ||
  { echo "FAIL the close box: status $status"; failures=$((failures + 1)); }

echo "screenshots: $shots"
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
