#!/usr/bin/env bash
# Installs what is missing, builds, and starts KAVELIN. Arguments pass on: ./run.sh page.html
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
"$here/build.sh"
exec "$here/${BUILD_DIR:-build}/bin/kavelin" "$@"
