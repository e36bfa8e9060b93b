#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev)
# The desktop application, charts (Qt Charts, off screen, with a font to draw text) and workbooks; unzip reads workbooks in the tests.
packages+=(qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libgl-dev fonts-dejavu-core libxlsxwriter-dev unzip)
# The workbook library's pkg-config file links zlib, which libxlsxwriter-dev does not pull in.
packages+=(zlib1g-dev)
# A virtual X display for tools/screenshots.sh (xvfb-run needs xauth, only recommended by xvfb).
packages+=(xvfb xauth)
# clang only recommends libFuzzer and the sanitizer runtimes, and recommendations are not installed.
if [ "${KOVARY_WITH_FUZZ:-0}" = 1 ]; then packages+=(clang libclang-rt-dev); fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
