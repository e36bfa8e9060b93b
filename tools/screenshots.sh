#!/usr/bin/env bash
# Pictures of every window of the desktop application on the demonstration
# data, taken under a virtual X display: the main window and its menus, the
# setup dialogs, the grid editor, the viewers and the run dialog before and
# after a run (with its live chart in the graph layout), the Scenarios panel,
# the Compare window (with its costs, impact by group and replicate bands) and the What-if
# window before and after its levers move.
#
#   tools/screenshots.sh [OUTPUT_DIR] [BUILD_DIR]
#
# OUTPUT_DIR defaults to /tmp/kovary-shots, BUILD_DIR to build. The run writes
# its outputs into a copy of data/demo, so the source tree stays as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-/tmp/kovary-shots}"
build="${2:-build}"
gui="$build/src/ui/kovary-gui"

if [ ! -x "$gui" ]; then
  echo "screenshots: $gui not found; build with -DKOVARY_BUILD_GUI=ON first" >&2
  exit 1
fi
if ! command -v xvfb-run >/dev/null; then
  echo "screenshots: xvfb-run not found; install the Debian packages xvfb and xauth (scripts/install-deps.sh)" >&2
  exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r data/demo "$work/demo"
# The application keeps its data directory in the settings store: a store of
# its own, so the person's settings are neither read nor changed.
mkdir -p "$work/config" "$out"
rm -f "$out"/*.png

XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb \
  xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
  "$gui" --screenshot "$(realpath "$out")" "$work/demo/demo.kov"
echo "$(ls "$out"/*.png | wc -l) screenshots in $out"
