#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/build.sh"
cd "$here/build"
ctest --output-on-failure -j"$(nproc)" "$@"
# The ring and watch-thread tests once more under ThreadSanitizer.
if [ -x "$here/scripts/tsan.sh" ]; then
  "$here/scripts/tsan.sh"
fi
