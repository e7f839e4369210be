#!/usr/bin/env bash
# Configures (once) and builds KAVELIN into ./build. Used by run.sh and test.sh.
# BUILD_DIR picks another folder; KAVELIN_CMAKE_ARGS adds options to the first configuration.
set -euo pipefail
cd "$(dirname "$0")"
BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  read -r -a extra <<<"${KAVELIN_CMAKE_ARGS:-}"
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    "${extra[@]}" >/dev/null
fi
cmake --build "$BUILD_DIR" -j "$(nproc)"
