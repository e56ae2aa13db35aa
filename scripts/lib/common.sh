# Shared by the scripts in this folder: installing what is missing, building a preset.
# shellcheck shell=bash
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$ROOT"

# What every build needs.
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev
                libbenchmark-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n help2man)

# What the Windows build needs (scripts/windows), and what its tests under Wine need besides.
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix python3)
WINDOWS_TEST_PACKAGES=(wine wine64 fonts-wine fonts-wqy-microhei locales xvfb xdotool imagemagick
                       python3-pefile)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages given that are not installed yet; touches nothing otherwise.
ensure_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing ${missing[*]}" >&2
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >&2
}

# A font that can draw the Chinese captions, when the machine has none.
ensure_cjk_font() {
  ensure_packages fontconfig
  if [ -z "$(fc-list :lang=zh family 2>/dev/null)" ]; then
    ensure_packages fonts-wqy-microhei
  fi
}

# Configures (once, or again when given cache settings) and builds one of the presets of
# CMakePresets.json. The build's own output goes to build/PRESET.log and is shown only when
# the build fails.
build_preset() {
  local preset=$1 log="build/$1.log"; shift
  mkdir -p build
  # A build folder copied along with the checkout still points at the other checkout's
  # sources: start it afresh rather than silently build those.
  local cache="build/$preset/CMakeCache.txt"
  if [ -f "$cache" ] && ! grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$ROOT" "$cache"; then
    echo "build/$preset was configured for another checkout; configuring it afresh" >&2
    rm -rf "build/$preset"
  fi
  if { { [ -f "build/$preset/CMakeCache.txt" ] && [ $# -eq 0 ]; } ||
       cmake --preset "$preset" "$@"; } >"$log" 2>&1 &&
     cmake --build --preset "$preset" -- -j"$(nproc)" >>"$log" 2>&1; then
    return 0
  fi
  cat "$log" >&2
  echo "Build of preset '$preset' failed; its log is $log" >&2
  return 1
}
