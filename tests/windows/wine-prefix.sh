#!/bin/sh
# Makes the Wine prefix the Windows tests run in, inside the build tree: booted once, Wine's
# own fonts and a Chinese one in its Fonts folder (WenQuanYi Micro Hei standing in for the
# fonts Wine links its dialog fonts to for Chinese), the size of the virtual desktop the window
# test turns on (window_keys.sh), and the two locales
# the window is shown in, compiled into the prefix rather than into the system.
#   wine-prefix.sh PREFIX
set -eu
prefix=$1
export WINEPREFIX="$prefix" WINEDEBUG=-all
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  # Without Mono and Gecko, which a new prefix would offer to install in a dialog: no test needs
  # them, and until that is settled every program Wine starts would first update the prefix.
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
  wineserver -w
fi
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
for font in /usr/share/wine/fonts/*.ttf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc; do
  [ -f "$font" ] && ln -sf "$font" "$fonts/"
done
cat >"$prefix/tarnivel.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="800x600"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"SimSun"="WenQuanYi Micro Hei"
"Microsoft YaHei"="WenQuanYi Micro Hei"
"Microsoft YaHei UI"="WenQuanYi Micro Hei"
REG
wine regedit /S "$prefix/tarnivel.reg" >/dev/null 2>&1
wineserver -w
mkdir -p "$prefix/locale"
for locale in zh_CN en_US; do
  [ -d "$prefix/locale/$locale.UTF-8" ] ||
    localedef -i "$locale" -f UTF-8 "$prefix/locale/$locale.UTF-8" >/dev/null 2>&1 ||
    [ -d "$prefix/locale/$locale.UTF-8" ]
done
# One server for all the tests' programs, kept for a while after the last one ends: started
# afresh for each, Wine takes seconds instead of a fifth of one.
wineserver -p30 </dev/null >/dev/null 2>&1
echo "Wine prefix ready: $prefix"
