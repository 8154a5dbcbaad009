#!/usr/bin/env bash
# Builds the receive ring and watch-thread tests (tests/serial_ring/, which
# need no Qt) on their own with ThreadSanitizer in build-tsan/ and runs them.
# Incremental: a second run rebuilds only what changed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build-tsan"
project="$out/project"
mkdir -p "$project"

# A tiny CMake project of just these sources; rewritten only when it changes,
# so CMake does not configure again on every run.
cat > "$project/CMakeLists.txt.new" <<EOF
cmake_minimum_required(VERSION 3.25)
project(PelagrixTsan LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
file(GLOB TEST_SOURCES CONFIGURE_DEPENDS "$here/tests/serial_ring/*.cpp")
add_executable(test_serial_ring_tsan \${TEST_SOURCES} "$here/src/serial/WatchThread.cpp")
target_include_directories(test_serial_ring_tsan PRIVATE "$here/src" "$here/tests/serial_ring")
target_compile_options(test_serial_ring_tsan PRIVATE -fsanitize=thread -g -O1 -Wall -Wextra)
target_link_options(test_serial_ring_tsan PRIVATE -fsanitize=thread)
target_link_libraries(test_serial_ring_tsan PRIVATE GTest::gtest_main Threads::Threads)
EOF
if ! cmp -s "$project/CMakeLists.txt.new" "$project/CMakeLists.txt"; then
  mv "$project/CMakeLists.txt.new" "$project/CMakeLists.txt"
else
  rm -f "$project/CMakeLists.txt.new"
fi

generator=()
if command -v ninja > /dev/null && [ ! -f "$out/build/Makefile" ]; then
  generator=(-G Ninja)
fi
if [ ! -f "$out/build/CMakeCache.txt" ]; then
  cmake -S "$project" -B "$out/build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
fi
cmake --build "$out/build" -j2 > /dev/null

# ThreadSanitizer needs its fixed memory layout: run without address-space
# randomisation when the kernel's randomisation is too wide for it.
run=()
if command -v setarch > /dev/null && setarch "$(uname -m)" -R true 2> /dev/null; then
  run=(setarch "$(uname -m)" -R)
fi
echo "ThreadSanitizer: serial ring and watch-thread tests"
TSAN_OPTIONS="halt_on_error=1 exitcode=66 ${TSAN_OPTIONS:-}" \
  "${run[@]}" "$out/build/test_serial_ring_tsan" --gtest_brief=1
