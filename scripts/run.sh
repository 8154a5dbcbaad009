#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Without a display
# the program runs under Xvfb and a screenshot of the main window is saved
# under build/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/build.sh"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$here/build/pelagrix"
fi

shot="$here/build/pelagrix-screenshot.png"
echo "No display: running under Xvfb; a screenshot goes to $shot"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1100x850x24" bash -c '
  "$1/build/pelagrix" &
  pid=$!
  sleep 6
  "$1/build/pelagrix-screenshot" "$2"
  kill "$pid"; wait "$pid" 2>/dev/null || true
' _ "$here" "$shot"
echo "Screenshot of the main window: $shot"
