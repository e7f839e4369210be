#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite (GUI tests offscreen).
#   ./test.sh [ctest options]              the program and every test, in ./build
#   ./test.sh --sanitize [ctest options]   the libraries without Qt and their tests, built with
#                                          AddressSanitizer and UndefinedBehaviorSanitizer, in
#                                          ./build-sanitize
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
if [ "${1:-}" = "--sanitize" ]; then
  shift
  export BUILD_DIR=${BUILD_DIR:-build-sanitize}
  export KAVELIN_CMAKE_ARGS="-DKAVELIN_SANITIZE=ON -DKAVELIN_BUILD_BENCH=OFF"
  # Every finding fails its test: leaks included, undefined behaviour with its stack.
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
fi
"$here/setup.sh"
"$here/build.sh"
cd "$here/${BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j "$(nproc)" "$@"
