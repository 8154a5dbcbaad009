#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program connected to the
# instrument simulator: pelagrix-sim opens a simulated instrument and GPS
# receiver on pseudo-terminals, and the program starts with a temporary
# settings profile in which COM1 (instrument) and COM2 (GPS) are those
# pseudo-terminals. Press Connect to see a live echogram. The operator's own
# settings and ports are not touched; start build/pelagrix directly for them.
#
# Without a display the program runs under Xvfb, Connect is pressed for you
# and a screenshot of the live echogram is saved as
# build/pelagrix-screenshot.png.
#
# PELAGRIX_BUILD_DIR names another, already configured build folder to use
# instead of build/ (only the program, the simulator and the screenshot tool
# are built there).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${PELAGRIX_BUILD_DIR:-$here/build}
if [ "$build" = "$here/build" ]; then
  "$here/scripts/build.sh"
else
  cmake --build "$build" --target pelagrix pelagrix-sim pelagrix-screenshot
fi

exec env PELAGRIX_BUILD_DIR="$build" "$here/scripts/demo.sh"
