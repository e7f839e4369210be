#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite (GUI tests offscreen).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
"$here/build.sh"
cd "$here/${BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j "$(nproc)" "$@"
