#!/usr/bin/env bash
# Configures and builds everything (program, tests, benchmarks, tools) into
# build/ after installing what is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DPELAGRIX_BUILD_TESTS=ON -DPELAGRIX_BUILD_BENCH=ON > /dev/null
cmake --build "$here/build" -j"$(nproc)"
